// The dock and panel examples: children docked by their work space, refused by the class test,
// hidden, closed and shown anew, and the dump of docks, dockable windows and panels.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "WorkbenchRunner.h"

using ::testing::HasSubstr;
using json = nlohmann::json;

namespace {

const std::string Examples = std::string(NUV_SOURCE_DIR) + "/examples/";

const json& Child(const json& parent, const std::string& name) {
  for (const auto& child : parent["Controls"])
    if (child["Name"] == name) return child;
  throw std::runtime_error("no control " + name);
}

// The error a view part raised on that line of the example's script.
json ViewPartError(const std::string& script, int line, const std::string& viewPart, const std::string& message) {
  return {{"event", "error"}, {"class", "ENUVViewPartError"}, {"message", message}, {"file", Examples + script},
          {"line", line},     {"viewPart", viewPart}};
}

TEST(WorkbenchDocks, ToolbarsDockTopAndBottomAndTheDumpShowsTheDockSettings) {
  const TWorkbenchRun run = RunWorkbench({"--script", Examples + "docks.script", Examples + "docks.xml"});
  EXPECT_EQ(run.Status, 0);
  EXPECT_EQ(run.Err, "");
  const auto events = run.Events();
  ASSERT_EQ(events.size(), 3u) << run.Out;
  EXPECT_EQ(
      events[0],
      ViewPartError("docks.script", 7, "BottomDock",
                    "ViewPart[Title]不是TBXCustomDockableWindows类型的派生类，无法泊靠在ToolbarDock[BottomDock]上"));
  EXPECT_EQ(events[1],
            ViewPartError("docks.script", 9, "TopDock", "ViewPart[Formatting] is not on WorkSpace[TopDock]"));

  const json& window = events[2]["window"];
  const json& top = Child(window, "TopDock");
  EXPECT_EQ(top["Class"], "TTBXDock");
  EXPECT_EQ(top["Align"], "alTop");
  EXPECT_EQ(top["LimitToOneRow"], true);
  EXPECT_EQ(top["BoundLines"], json({"blBottom"}));
  ASSERT_EQ(top["Controls"].size(), 1u);
  EXPECT_EQ(Child(top, "Standard")["Class"], "TTBXToolbar");
  EXPECT_EQ(Child(top, "Standard")["DockMode"], "dmCanFloat");
  const json& bottom = Child(window, "BottomDock");
  EXPECT_EQ(bottom["Position"], "dpBottom");
  EXPECT_EQ(bottom["Align"], "alBottom");
  EXPECT_EQ(bottom["AllowDrag"], false);
  EXPECT_EQ(bottom["BoundLines"], json({"blTop", "blBottom"}));
  EXPECT_EQ(Child(bottom, "Formatting")["Visible"], true);
  EXPECT_EQ(Child(window, "Title")["Class"], "TTBXLabel");  // refused: still in the window
}

TEST(WorkbenchDocks, ThePanelWithItsLabelDocksInTheMultiDockWhichRefusesAToolbar) {
  const TWorkbenchRun run = RunWorkbench({"--script", Examples + "panels.script", Examples + "panels.xml"});
  EXPECT_EQ(run.Status, 0);
  EXPECT_EQ(run.Err, "");
  const auto events = run.Events();
  ASSERT_EQ(events.size(), 4u) << run.Out;
  EXPECT_EQ(events[0], ViewPartError("panels.script", 5, "SideDock",
                                     "ViewPart[Tools]不是TBXDockablePanel，无法泊靠在ToolbarDock[SideDock]上"));
  EXPECT_EQ(events[1], json({{"event", "focus"}, {"viewPart", "Selection"}}));
  EXPECT_EQ(events[2], ViewPartError("panels.script", 9, "Explorer", "ViewPart[Tools] is not on WorkSpace[Explorer]"));

  const json& dock = Child(events[3]["window"], "SideDock");
  EXPECT_EQ(dock["Class"], "TTBXMultiDock");
  EXPECT_EQ(dock["Position"], "dpLeft");
  const json& panel = Child(dock, "Explorer");
  EXPECT_EQ(panel["Class"], "TTBXDockablePanel");
  EXPECT_EQ(panel["Text"], "Explorer");
  EXPECT_EQ(panel["CaptionRotation"], "dpcrAlwaysHorz");
  EXPECT_EQ(panel["CloseButtonWhenDocked"], false);
  EXPECT_EQ(panel["DockMode"], "dmCannotFloat");
  EXPECT_EQ(panel["DockableTo"], json({"dpLeft", "dpRight"}));
  EXPECT_EQ(panel["ShowCaptionWhenDocked"], true);
  EXPECT_EQ(panel["DockedWidth"], 128);
  EXPECT_EQ(Child(panel, "Selection")["Visible"], true);
  EXPECT_EQ(Child(events[3]["window"], "Tools")["Class"], "TTBXToolbar");
}

TEST(WorkbenchDocks, TheTextTreeNotesWhatDiffersFromANewDockOrPanel) {
  const TWorkbenchRun run = RunWorkbench({Examples + "panels.xml"});
  EXPECT_EQ(run.Status, 0);
  EXPECT_THAT(run.Out, HasSubstr("TTBXMultiDock \"SideDock\" [SideDock] Align=alLeft"));
  EXPECT_THAT(run.Out, HasSubstr("Position=dpLeft\n"));
  // The panel fills its dock: as wide as its docked width, as tall as the window.
  EXPECT_THAT(run.Out, HasSubstr("Text=\"Explorer\" Align=alNone 0x0+128x600 DockMode=dmCannotFloat "
                                 "DockableTo=dpLeft,dpRight CaptionRotation=dpcrAlwaysHorz\n"));
  EXPECT_THAT(run.Out, HasSubstr("\n      TTBXLabel \"Selection\" [Selection]"));
}

}  // namespace
