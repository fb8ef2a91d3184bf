// The living window through the runner: the docking and resizing commands with their events and
// refusals, the drag's outline in the dump and the picture, and the layout file kept between runs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "WbHtmlRender.h"
#include "WbLayoutFile.h"
#include "WorkbenchDump.h"
#include "WorkbenchInProcess.h"
#include "WorkbenchRunner.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using json = nlohmann::json;

namespace {

json Only(const std::vector<json>& events, const std::string& name) {
  std::vector<json> found;
  for (const auto& event : events)
    if (event["event"] == name) found.push_back(event);
  EXPECT_EQ(found.size(), 1u) << name << " in " << json(events).dump();
  return found.empty() ? json() : found.front();
}

std::vector<std::string> Errors(const std::vector<json>& events) {
  std::vector<std::string> messages;
  for (const auto& event : events)
    if (event["event"] == "error") messages.push_back(event["class"].get<std::string>() + ": " + MessageOf(event));
  return messages;
}

std::string ParentOf(const json& control, const std::string& name) {
  for (const auto& child : control["Controls"]) {
    if (child["Name"] == name) return control["Name"];
    if (std::string found = ParentOf(child, name); !found.empty()) return found;
  }
  return "";
}

class WorkbenchDocking : public ::testing::Test {
 protected:
  WorkbenchDocking() : Workbench(ExampleFile("showcase")) { Workbench.App.RunAll(); }
  json Window() { return Workbench.App.WindowJson(); }

  TInProcessWorkbench Workbench;
};

TEST_F(WorkbenchDocking, ResizeWindowLaysOutOnceAndKeepsTheMinimum) {
  const json event = Only(Workbench.Run("resize-window 1000 700"), "window-resize");
  EXPECT_EQ(event["width"], 1000);
  EXPECT_EQ(event["height"], 700);
  const json window = Window();
  const json& status = ControlNamed(window, "Status");
  EXPECT_EQ(status["Top"].get<int>() + status["Height"].get<int>(), 700);
  EXPECT_EQ(ControlNamed(window, "TopDock")["Width"], 1000);

  Workbench.Run("resize-window 1 1");
  EXPECT_EQ(json::array({Window()["Width"], Window()["Height"]}), Window()["MinimumSize"]);
  EXPECT_TRUE(Workbench.Run("resize-window 0 0").empty()) << "already at the minimum: no change, no event";
  EXPECT_THAT(Errors(Workbench.Run("resize-window -5 10")),
              ElementsAre(HasSubstr("width '-5' is not a number from 0")));
}

TEST_F(WorkbenchDocking, DockingCommandsMoveWindowsAndReportDockAndFloat) {
  const json docked = Only(Workbench.Run("drag-toolbar MainToolbar BottomDock 0 30"), "dock");
  EXPECT_EQ(docked, (json{{"event", "dock"},
                          {"control", "MainToolbar"},
                          {"viewPart", "MainToolbar"},
                          {"from", "TopDock"},
                          {"to", "BottomDock"},
                          {"row", 0},
                          {"pos", 30}}));
  EXPECT_EQ(ParentOf(Window(), "MainToolbar"), "BottomDock");

  const json floated = Only(Workbench.Run("float MainToolbar 200 150"), "float");
  EXPECT_EQ(floated["bounds"][0], 200);
  EXPECT_EQ(floated["bounds"][1], 150);
  EXPECT_TRUE(ControlNamed(Window(), "MainToolbar")["Floating"].get<bool>());
  EXPECT_EQ(ControlNamed(Window(), "MainToolbar")["LastDock"], "BottomDock");

  EXPECT_EQ(Only(Workbench.Run("dblclick-caption MainToolbar"), "dock")["to"], "BottomDock");
  EXPECT_EQ(Only(Workbench.Run("dock Properties RightDock 0 -1"), "dock")["from"], nullptr);
  EXPECT_EQ(ParentOf(Window(), "Properties"), "RightDock");
  const json out = Only(Workbench.Run("dblclick-caption Properties"), "float");
  EXPECT_EQ(out["viewPart"], "Properties");
  const json resized = Only(Workbench.Run("resize-floating Properties 300 220"), "float");
  EXPECT_EQ(resized["bounds"][2], 300);
  EXPECT_EQ(resized["bounds"][3], 220);
}

TEST_F(WorkbenchDocking, RefusedGesturesAreErrorsThatNameTheSettingAndChangeNothing) {
  const json before = Window();
  EXPECT_THAT(
      Errors(Workbench.Run("drag-toolbar MainToolbar Tools 0 0\n"
                           "dock Files TopDock 0 0\n"
                           "float Files 10 10\n"
                           "drag-toolbar Properties TopDock 0 0\n"
                           "dock MainToolbar Heading 0 0\n"
                           "dock MainToolbar TopDock -1 0\n"
                           "resize-floating MainToolbar 300 300\n"
                           "dblclick-caption Properties\n"
                           "drag-start MainToolbar 400 300\n"
                           "drag-move 10 10\n"
                           "drag-cancel\n")),
      ElementsAre(
          HasSubstr("EDockError: the dock 'Tools' does not allow dragging (AllowDrag is False)"),
          HasSubstr("EDockError: 'TTBXDockablePanel' lies in the dock 'Tools', which does not allow"),
          HasSubstr("EDockError: 'TTBXDockablePanel' lies in the dock 'Tools', which does not allow"),
          HasSubstr("EWbScriptError: test.script:4: the TTBXDockablePanel of view part 'Properties' is no toolbar"),
          HasSubstr("EWbScriptError: test.script:5: view part 'Heading' is no dock"),
          HasSubstr("row '-1' is not a number from 0"), HasSubstr("EDockError: 'MainToolbar' is docked"),
          HasSubstr("does nothing: it has not floated out of a dock"),
          HasSubstr("400,300 is not on the drag handle or caption bar"),
          HasSubstr("EDockError: no window is being dragged"),
          HasSubstr("EWbScriptError: test.script:11: no window is being dragged")));
  EXPECT_EQ(Window(), before);
}

TEST_F(WorkbenchDocking, ADragShowsItsOutlineInTheDumpAndThePictureAndDropsOnTheRelease) {
  const json handle = ControlNamed(Window(), "MainToolbar")["Frame"]["DragHandle"];
  const int x = handle[0].get<int>() + 2, y = handle[1].get<int>() + 5;
  EXPECT_THAT(Errors(Workbench.Run("drag-start MainToolbar " + std::to_string(x) + " " + std::to_string(y) +
                                   "\ndrag-move 400 570")),
              ::testing::IsEmpty());
  const json drag = Window()["Drag"];
  EXPECT_EQ(drag["Window"], "MainToolbar");
  EXPECT_EQ(drag["Dock"], "BottomDock");
  EXPECT_TRUE(drag["NewRow"].get<bool>());
  EXPECT_EQ(ParentOf(Window(), "MainToolbar"), "TopDock") << "nothing moves before the drop";
  EXPECT_THAT(Workbench.TextTree(), HasSubstr("Dragging=MainToolbar to "));
  TWbRenderOptions options;
  const std::string html = RenderWindowFragment(Window(), options);
  EXPECT_THAT(html, HasSubstr("nuv-part nuv-drag-outline"));
  EXPECT_THAT(html,
              HasSubstr("nuv-drag-outline\" style=\"left:" + std::to_string(drag["Outline"][0].get<int>()) + "px;"));

  EXPECT_EQ(Only(Workbench.Run("drag-end"), "dock")["to"], "BottomDock");
  EXPECT_EQ(Window()["Drag"], nullptr);
  EXPECT_THAT(RenderWindowFragment(Window(), options), ::testing::Not(HasSubstr("nuv-part nuv-drag-outline")));
  const json toolbar = ControlNamed(Window(), "MainToolbar");
  EXPECT_EQ(toolbar["Left"].get<int>() + toolbar["Width"].get<int>(), 800) << "dropped whole at the dock's end";
  EXPECT_EQ(toolbar["Width"], drag["Outline"][2]) << "as wide as the outline, not cut at the dock's end";
}

TEST_F(WorkbenchDocking, ThePageOffersDragsDoubleClicksFloatingBordersAndTheWindowCorner) {
  Workbench.Run("dock Properties RightDock 0 -1\ndblclick-caption Properties");
  TWbRenderOptions options;
  options.Interactive = true;
  const std::string html = RenderWindowFragment(Window(), options);
  EXPECT_THAT(html, HasSubstr("data-drag-command=\"drag-start MainToolbar\""));
  EXPECT_THAT(html, HasSubstr("data-dblclick-command=\"dblclick-caption Properties\""));
  EXPECT_THAT(html, HasSubstr("data-floating-resize=\"Properties\""));
  EXPECT_THAT(html, HasSubstr("data-window-resize=\"800,600\""));
}

// ---------------------------------------------------------------------------------------------
// The layout file

class WorkbenchLayout : public ::testing::Test {
 protected:
  WorkbenchLayout() {
    std::filesystem::create_directories(Dir);
    std::filesystem::remove(File);
  }
  ~WorkbenchLayout() override { std::filesystem::remove_all(Dir); }
  TWorkbenchRun Run(const std::string& script) {
    return RunWorkbench({"--layout", File, "--script", "-", ExampleFile("showcase")},
                        "run Main\nrun Editor\n" + script);
  }
  json Dumped(const TWorkbenchRun& run) {
    for (const auto& event : run.Events())
      if (event["event"] == "dump") return event["window"];
    ADD_FAILURE() << "no dump: " << run.Out << run.Err;
    return {};
  }
  std::vector<std::string> Warnings(const TWorkbenchRun& run) {
    std::vector<std::string> messages;
    for (const auto& event : run.Events())
      if (event["event"] == "warning") messages.push_back(event["message"]);
    return messages;
  }
  void Write(const std::string& text) { std::ofstream(File) << text; }

  const std::string Dir = std::filesystem::temp_directory_path() / ("nuv-layout-" + std::to_string(getpid()));
  const std::string File = Dir + "/layout.json";
};

TEST_F(WorkbenchLayout, ASecondRunOpensAsTheFirstWasLeft) {
  const TWorkbenchRun first =
      Run("resize-window 900 650\ndrag-toolbar MainToolbar BottomDock 0 40\n"
          "dock Properties RightDock 0 -1\nresize-docked Properties 150\n");
  ASSERT_EQ(first.Status, 0) << first.Err;
  const json kept = json::parse(std::ifstream(File));
  EXPECT_EQ(kept["version"], 1);
  EXPECT_EQ(kept["window"], json::array({900, 650}));
  EXPECT_EQ(kept["viewParts"]["MainToolbar"]["dock"], "BottomDock");
  EXPECT_EQ(kept["viewParts"]["Properties"]["docked"][0], 150);
  EXPECT_FALSE(kept["viewParts"].contains("Heading")) << "only toolbars and panels are kept";

  const TWorkbenchRun second = Run("dump\n");
  const json window = Dumped(second);
  EXPECT_EQ(window["Width"], 900);
  EXPECT_EQ(ParentOf(window, "MainToolbar"), "BottomDock");
  EXPECT_EQ(ControlNamed(window, "MainToolbar")["DockPos"], 40);
  EXPECT_EQ(ParentOf(window, "Properties"), "RightDock");
  EXPECT_EQ(ControlNamed(window, "Properties")["DockedWidth"], 150);
  EXPECT_THAT(Warnings(second), ::testing::IsEmpty());
  for (const auto& event : second.Events()) EXPECT_NE(event["event"], "dock") << "restoring is no gesture";
}

TEST_F(WorkbenchLayout, AFileThatCannotBeUsedIsAWarningAndTheWindowOpensAsConfigured) {
  for (const std::string& text : {std::string("not json"), std::string("{\"version\": 7}"), std::string(40, '[')}) {
    Write(text);
    const TWorkbenchRun run = Run("dump\n");
    EXPECT_EQ(run.Status, 0);
    EXPECT_THAT(Warnings(run), ElementsAre(HasSubstr("the window opens as configured"))) << text;
    EXPECT_EQ(ParentOf(Dumped(run), "MainToolbar"), "TopDock");
  }
  std::filesystem::remove(File);
  ASSERT_EQ(mkfifo(File.c_str(), 0600), 0);
  const TWorkbenchRun fifo = Run("quit\n");
  EXPECT_THAT(Warnings(fifo), ElementsAre(HasSubstr("is not a regular file")));
}

TEST_F(WorkbenchLayout, EntriesTheWindowCannotTakeAreSkippedWithAWarningAndTheOthersRestored) {
  Write(R"({"version": 1, "window": [900, 650], "viewParts": {
    "Nobody": {"dock": "TopDock", "row": 0, "pos": 0},
    "Heading": {"dock": "TopDock", "row": 0, "pos": 0},
    "Properties": {"dock": "Tools", "row": 0, "pos": -1},
    "MainToolbar": {"dock": "BottomDock", "row": -3, "pos": 0},
    "DocToolbar": {"dock": null, "floating": null},
    "Files": {"dock": "Heading", "row": 0, "pos": 0}}})");
  const TWorkbenchRun run = Run("dump\n");
  EXPECT_THAT(Warnings(run), ::testing::UnorderedElementsAre(
                                 HasSubstr("'Nobody' is skipped: the window has no toolbar or panel"),
                                 HasSubstr("'Heading' is skipped: the window has no toolbar or panel"),
                                 HasSubstr("'Properties' is skipped: the dock 'Tools' does not allow dragging"),
                                 HasSubstr("'MainToolbar' is skipped: row -3 is not a whole number"),
                                 HasSubstr("'DocToolbar' is skipped: it is neither in a dock nor"),
                                 HasSubstr("'Files' is skipped: the window has no toolbar or panel")));
  EXPECT_EQ(Dumped(run)["Width"], 900) << "the window's size is restored";
}

TEST_F(WorkbenchLayout, TheFileIsReplacedWholeThroughATemporaryFile) {
  Write("old");
  ASSERT_EQ(Run("quit\n").Status, 0);
  EXPECT_EQ(json::parse(std::ifstream(File))["version"], 1);
  for (const auto& entry : std::filesystem::directory_iterator(Dir))
    EXPECT_EQ(entry.path().filename(), "layout.json") << "no temporary file is left";
  std::filesystem::remove(File);
  std::filesystem::create_directory(File);  // a directory where the file should go
  const TWorkbenchRun run = Run("quit\n");
  EXPECT_THAT(Warnings(run), ::testing::Contains(HasSubstr("the layout file is not written")));
}

}  // namespace
