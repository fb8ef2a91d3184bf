// The runner's native options as users meet them: --screenshot writes a PNG and keeps the usual
// output; --window without a display and a screenshot that cannot be written end with status 2.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

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
