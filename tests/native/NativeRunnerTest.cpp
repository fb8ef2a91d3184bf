// The runner's native options as users meet them: --screenshot writes a PNG and keeps the usual
// output; --window without a display and a screenshot that cannot be written end with status 2.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <fstream>

#include "NativeWindow.h"
#include "WorkbenchRunner.h"

namespace {
std::string TempFile(const std::string& name) { return (std::filesystem::temp_directory_path() / name).string(); }
}  // namespace

TEST(NativeRunner, AScreenshotIsThePictureOfTheWindowAfterTheScriptAndTheEventsStillPrint) {
  const std::string png = TempFile("nuv-native-runner.png");
  std::filesystem::remove(png);
  const auto run = RunWorkbench({"--screenshot", png, "--script", "label-app.script", "label-app.xml"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Err, "");
  EXPECT_FALSE(run.Events().empty());
  const QImage image(QString::fromStdString(png));
  EXPECT_EQ(image.size(), QSize(800, 600));
}

// An image that Qt cannot decode is a warning that names the file and why; what Qt and libpng say
// meanwhile is part of the why and never reaches the terminal by itself. With --strict it ends the
// run before the window is drawn.
TEST(NativeRunner, AnImageThatDoesNotDecodeIsAWarningNamingTheFileAndWhy) {
  const std::string png = TempFile("nuv-native-undecodable.png");
  std::filesystem::remove(png);
  const auto run = RunWorkbench({"--screenshot", png, "undecodable-image.xml"});
  EXPECT_EQ(run.Status, 0) << run.Err;
  ASSERT_EQ(run.ErrLines().size(), 2u) << run.Err;
  EXPECT_EQ(run.ErrLines()[0],
            "undecodable-image.xml: warning: the image file 'undecodable.png' cannot be decoded (Unable to read image "
            "data: libpng error: IDAT: incorrect header check); it shows no image");
  EXPECT_NE(run.ErrLines()[1].find("the image file 'oversized.png' cannot be decoded ("), std::string::npos);
  EXPECT_NE(run.ErrLines()[1].find("exceeds the current allocation limit"), std::string::npos) << run.Err;
  EXPECT_TRUE(std::filesystem::exists(png));

  std::filesystem::remove(png);
  const auto strict = RunWorkbench({"--strict", "--screenshot", png, "undecodable-image.xml"});
  EXPECT_EQ(strict.Status, 2);
  ASSERT_EQ(strict.ErrLines().size(), 1u) << strict.Err;
  EXPECT_NE(strict.Err.find("'undecodable.png' cannot be decoded"), std::string::npos) << strict.Err;
  EXPECT_NE(strict.Err.find("(--strict makes it an error; 1 more)"), std::string::npos) << strict.Err;
  EXPECT_FALSE(std::filesystem::exists(png));
}

TEST(NativeRunner, AScreenshotThatCannotBeWrittenEndsTheRunWithStatus2) {
  const auto run = RunWorkbench({"--screenshot", "/nonexistent/dir/window.png", "label-app.xml"});
  EXPECT_EQ(run.Status, 2);
  EXPECT_EQ(run.Out, "");
  EXPECT_NE(run.Err.find("/nonexistent/dir/window.png: cannot write the screenshot"), std::string::npos) << run.Err;
}

TEST(NativeRunner, TheWindowWithoutADisplaySaysSoAndEndsWithStatus2) {
  const char* display = std::getenv("DISPLAY");
  const std::string saved = display ? display : "";
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  const auto run = RunWorkbench({"--window", "label-app.xml"});
  if (!saved.empty()) setenv("DISPLAY", saved.c_str(), 1);
  EXPECT_EQ(run.Status, 2);
  EXPECT_NE(run.Err.find("--window needs a display"), std::string::npos) << run.Err;
}

TEST(NativeRunner, AWindowWithoutPeersCannotBeRenderedOrShown) {
  TQtBackend backend;
  TWinControl window(nullptr);
  window.SetName("Lonely");
  EXPECT_THROW(backend.Render(window), std::logic_error);
  EXPECT_THROW(backend.Show(window), std::logic_error);
}

TEST(NativeRunner, ScaleIsCheckedBeforeAnythingLoads) {
  for (const char* bad : {"0.4", "5", "two", "2x", "nan"}) {
    const auto run = RunWorkbench({"--screenshot", TempFile("nuv-scale.png"), "--scale", bad, "label-app.xml"});
    EXPECT_EQ(run.Status, 2) << bad;
    EXPECT_NE(run.Err.find(std::string("--scale ") + bad + ": the factor is a number from 0.5 to 4"), std::string::npos)
        << run.Err;
  }
  const auto alone = RunWorkbench({"--scale", "2", "label-app.xml"});
  EXPECT_EQ(alone.Status, 2);
  EXPECT_NE(alone.Err.find("the factor is for --window and --screenshot, and neither is given"), std::string::npos)
      << alone.Err;
}

// At scale 2 a NAME@2x.png beside NAME.png is drawn instead of NAME.png blown up.
TEST(NativeRunner, AtScale2TheDoubleSizeImageBesideTheFileIsDrawn) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "nuv-scale-images";
  std::filesystem::create_directories(dir);
  QImage red(16, 16, QImage::Format_RGB32), blue(32, 32, QImage::Format_RGB32);
  red.fill(Qt::red);
  blue.fill(Qt::blue);
  ASSERT_TRUE(red.save(QString::fromStdString((dir / "pic.png").string())));
  ASSERT_TRUE(blue.save(QString::fromStdString((dir / "pic@2x.png").string())));
  std::ofstream(dir / "app.xml") << R"(<Workbench Name="Pictures"><WorkItem ID="Main">
    <ViewPart Name="Link" Factory="CreateLinkViewPart" Caption="Picture">
      <ExtData><TBXLink><ImageFile>pic.png</ImageFile></TBXLink></ExtData>
    </ViewPart></WorkItem></Workbench>)";
  auto count = [](const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == colour;
    return n;
  };
  for (const char* scale : {"1", "2"}) {
    const std::string png = (dir / (std::string("shot") + scale + ".png")).string();
    const auto run = RunWorkbench({"--screenshot", png, "--scale", scale, (dir / "app.xml").string()});
    ASSERT_EQ(run.Status, 0) << run.Err;
    const QImage shot = QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32);
    const bool doubled = std::string(scale) == "2";
    EXPECT_EQ(count(shot, qRgb(0, 0, 255)), doubled ? 32 * 32 : 0) << scale;
    EXPECT_EQ(count(shot, qRgb(255, 0, 0)), doubled ? 0 : 16 * 16) << scale;
  }
  std::filesystem::remove_all(dir);
}

TEST(NativeRunner, AccessibilityPrintsTheTreeInsteadOfTheControlsAndAfterAScriptAsAnEvent) {
  const std::string app = std::string(NUV_SOURCE_DIR) + "/examples/buttons.xml";
  const auto run = RunWorkbench({"--accessibility", app});
  ASSERT_EQ(run.Status, 0) << run.Err;
  const nlohmann::json tree = nlohmann::json::parse(run.Out);
  EXPECT_EQ(tree["role"], "Window");
  ASSERT_EQ(tree["children"].size(), 5u);
  EXPECT_EQ(tree["children"][3]["role"], "CheckBox");
  EXPECT_EQ(tree["children"][3]["state"], nlohmann::json({"focusable", "checkable", "mixed"}));
  const auto scripted = RunWorkbench({"--accessibility", "--script", "-", app}, "run Main\nclick Bold\n");
  const auto events = scripted.Events();
  ASSERT_FALSE(events.empty()) << scripted.Out;
  EXPECT_EQ(events.back()["event"], "accessibility");
  // The click took the box from grayed to unchecked.
  EXPECT_EQ(events.back()["tree"]["children"][3]["state"], nlohmann::json({"focusable", "checkable"}));
  EXPECT_EQ(RunWorkbench({"--accessibility", "--window", app}).Status, 2);
}
