// --json, --render and the text tree are written as they are made, control by control. What they
// write must be what the whole tree in memory gives, byte for byte, and a write that fails must
// fail the run.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fmt/format.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "WbDump.h"
#include "WbHtmlRender.h"
#include "WbRenderFile.h"
#include "WorkbenchInProcess.h"
#include "WorkbenchRunner.h"

using ::testing::HasSubstr;

namespace {

// A window of every kind at a size where the branches matter: docks with toolbars, panels holding
// many check boxes, a multi-dock, a status bar with panels that hold controls, many labels.
std::string MidSizeWindow(int count) {
  std::string text = R"(<Workbench Name="Mid &amp; size"><WorkItem ID="Main">
<ViewPart Name="Top" Factory="CreateToolbarDockViewPart"/>
<ViewPart Name="Bar" Factory="CreateToolbarViewPart" WorkSpace="Top"><ExtData><Toolbar><Item Caption="Open" GroupIndex="1"/><Item Caption="Save" GroupIndex="1"/></Toolbar></ExtData></ViewPart>
<ViewPart Name="Side" Factory="CreateDockablePanelViewPart" Caption="Side"/>
<ViewPart Name="Multi" Factory="CreateMultiDockPanelViewPart"/>
<ViewPart Name="Status" Factory="CreateStatusBarViewPart"><ExtData><StatusBar><Panels><Panel ID="Msg" Caption="Ready"/><Panel ID="Box" Size="80"/><Panel ID="Pos" Caption="1:1" Size="60"/></Panels></StatusBar></ExtData></ViewPart>
<ViewPart Name="InStatus" Factory="CreateCheckBoxViewPart" Caption="On" WorkSpace="Status"><ExtData><PanelID>Box</PanelID></ExtData></ViewPart>
)";
  for (int i = 0; i < count; ++i)
    text += fmt::format(
        "<ViewPart Name=\"L{0}\" Factory=\"CreateLabelViewPart\" Caption=\"Label \u00e9 {0}\"/>\n"
        "<ViewPart Name=\"C{0}\" Factory=\"CreateCheckBoxViewPart\" Caption=\"&amp;Check {0}\" WorkSpace=\"Side\"/>\n"
        "<ViewPart Name=\"K{0}\" Factory=\"CreateLinkViewPart\" Caption=\"Link {0}\" WorkSpace=\"Multi\"/>\n",
        i);
  return text + "</WorkItem></Workbench>\n";
}

std::string WriteTemp(const std::string& name, const std::string& text) {
  const std::string path = testing::TempDir() + name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

// The streamed writers against the whole tree in memory, the form the server and the tests use.
void ExpectStreamedAsWhole(TInProcessWorkbench& workbench, const std::string& baseDir) {
  TWbApplication& app = workbench.App;
  std::ostringstream json, text, page;
  WriteControlTreeJson(json, app.Window(), app.ControlOwners(), app.ImageList());
  EXPECT_EQ(json.str(), JsonText(app.WindowJson(), 2));
  WriteControlTreeText(text, app.Window(), app.ControlOwners());
  EXPECT_EQ(text.str(), ControlTreeText(app.Window(), app.ControlOwners()));
  WriteWindowPage(page, app, baseDir);
  TWbRenderOptions options;
  options.BaseDir = baseDir;
  EXPECT_EQ(page.str(), RenderWindowPage(nlohmann::json(app.WindowJson()), options));
}

TEST(WorkbenchStreamedOutput, EveryExampleIsWrittenAsItsWholeTreeGivesIt) {
  for (const char* name : {"showcase", "docks", "multidock", "panels", "statusbar", "toolbars", "buttons", "label"}) {
    SCOPED_TRACE(name);
    TInProcessWorkbench workbench(ExampleFile(name));
    workbench.App.RunAll();
    ExpectStreamedAsWhole(workbench, std::string(NUV_SOURCE_DIR) + "/examples");
  }
}

// A drag in progress, the keyboard on a toolbar and a floating panel: what the window's own node
// carries reaches every branch of the streamed page.
TEST(WorkbenchStreamedOutput, AWindowInTheMiddleOfAGestureIsWrittenAsItsWholeTreeGivesIt) {
  TInProcessWorkbench workbench(WriteTemp("streamed-mid.xml", MidSizeWindow(60)));
  workbench.App.RunAll();
  ExpectStreamedAsWhole(workbench, "");
  workbench.Run("float Side 300 200\nkey F10\nkey Right\ndrag-start Bar 4 4\ndrag-move 400 580\n");
  ExpectStreamedAsWhole(workbench, "");
}

// The runner's own output, end to end: --json parses to the dump, and --render writes the page.
TEST(WorkbenchStreamedOutput, TheRunnerWritesALargeWindowWhole) {
  const std::string app = WriteTemp("streamed-large.xml", MidSizeWindow(400));
  const TWorkbenchRun json = RunWorkbench({app, "--json"});
  ASSERT_EQ(json.Status, 0) << json.Err;
  const auto window = nlohmann::json::parse(json.Out);
  EXPECT_EQ(window["Name"], "Mid & size");
  EXPECT_EQ(json.Out.back(), '\n');
  EXPECT_NE(json.Out.find("\"Text\": \"Label \u00e9 399\""), std::string::npos);

  const std::string html = testing::TempDir() + "streamed-large.html";
  const TWorkbenchRun render = RunWorkbench({app, "--render", html});
  ASSERT_EQ(render.Status, 0) << render.Err;
  const std::string page = ReadFile(html);
  EXPECT_NE(page.find("data-name=\"L399\""), std::string::npos);
  EXPECT_TRUE(page.ends_with("</body>\n</html>\n"));
}

// stdout on a full device: the run fails instead of passing for a window that was printed.
TEST(WorkbenchStreamedOutput, AnOutputThatCannotBeWrittenFailsTheRun) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  const std::string app = std::string(NUV_SOURCE_DIR) + "/examples/showcase.xml";
  const std::string err = testing::TempDir() + "streamed-full.err";
  for (const char* option : {"--json", "", "--list-keys"}) {
    SCOPED_TRACE(option);
    const std::string command =
        fmt::format("'{}/nuv-workbench' '{}' {} > /dev/full 2> '{}'", NUV_BIN_DIR, app, option, err);
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
    EXPECT_THAT(ReadFile(err), HasSubstr("cannot write to standard output"));
  }
  const TWorkbenchRun render = RunWorkbench({app, "--render", "/dev/full"});
  EXPECT_EQ(render.Status, 2);
  EXPECT_EQ(render.Err, "/dev/full: cannot write the file\n");
}

// A page that fails half way (here: past the file size limit, its signal ignored so that the
// write fails instead) is removed, not left with half a window.
TEST(WorkbenchStreamedOutput, APageThatFailsHalfWayIsRemoved) {
  const std::string app = std::string(NUV_SOURCE_DIR) + "/examples/showcase.xml";
  const std::string html = testing::TempDir() + "streamed-half.html";
  const std::string err = testing::TempDir() + "streamed-half.err";
  std::filesystem::remove(html);
  const std::string command = fmt::format(
      "trap '' XFSZ; ulimit -f 8; exec '{}/nuv-workbench' '{}' --render '{}' 2> '{}'", NUV_BIN_DIR, app, html, err);
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 2);
  EXPECT_EQ(ReadFile(err), html + ": cannot write the file\n");
  EXPECT_FALSE(std::filesystem::exists(html));
}

}  // namespace
