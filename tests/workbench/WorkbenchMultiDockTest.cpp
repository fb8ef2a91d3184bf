// The multi-dock example: toggle buttons keeping one panel shown, resizing one panel resizing all,
// the work-space operations, and the dump of toggle items with their font settings.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "WorkbenchDump.h"
#include "WorkbenchRunner.h"

using ::testing::HasSubstr;
using json = nlohmann::json;

namespace {

const std::string Examples = std::string(NUV_SOURCE_DIR) + "/examples/";

// The dock's panels in order, and its toggle buttons.
std::vector<json> Panels(const json& window) {
  std::vector<json> panels;
  for (const auto& control : ControlNamed(window, "Side")["Controls"])
    if (control["Class"] == "TTBXDockablePanel") panels.push_back(control);
  return panels;
}

const json& Buttons(const json& window) { return ControlNamed(window, "Side")["Controls"][0]["Items"]; }

// "100": the first of three panels shows.
std::string Shown(const json& window) {
  std::string shown;
  for (const auto& panel : Panels(window)) shown += panel["Visible"].get<bool>() ? "1" : "0";
  return shown;
}

std::string Sizes(const json& window) {
  std::string sizes;
  for (const auto& panel : Panels(window))
    sizes += std::to_string(panel["Width"].get<int>()) + "x" + std::to_string(panel["Height"].get<int>()) + " ";
  return sizes;
}

TWorkbenchRun RunMultiDock(const std::string& script) {
  return RunWorkbench({"--script", "-", Examples + "multidock.xml"}, script);
}

TEST(WorkbenchMultiDock, AClickShowsItsPanelAloneOrHidesTheShownOne) {
  const TWorkbenchRun run = RunMultiDock(
      "run Main\ndump\n"
      "click-toggle Side 1\ndump\n"
      "click-toggle Side 1\ndump\n"
      "click-toggle Side 2\ndump\n"
      "click-toggle Side 0\ndump\n");
  EXPECT_EQ(run.Err, "");
  const auto windows = DumpedWindows(run.Events());
  ASSERT_EQ(windows.size(), 5u) << run.Out;
  EXPECT_EQ(Shown(windows[0]), "100");
  EXPECT_EQ(Shown(windows[1]), "010");
  EXPECT_EQ(Shown(windows[2]), "000");
  EXPECT_EQ(Shown(windows[3]), "001");
  EXPECT_EQ(Shown(windows[4]), "100");
  const json& buttons = Buttons(windows[3]);
  ASSERT_EQ(buttons.size(), 3u);
  EXPECT_EQ(buttons[0]["Checked"], false);
  EXPECT_EQ(buttons[2]["Checked"], true);
}

TEST(WorkbenchMultiDock, TheExampleResizesHidesActivatesAndCloses) {
  const TWorkbenchRun run = RunWorkbench({"--script", Examples + "multidock.script", Examples + "multidock.xml"});
  EXPECT_EQ(run.Status, 0);
  EXPECT_EQ(run.Err, "");
  const auto events = run.Events();
  const auto windows = DumpedWindows(events);
  ASSERT_EQ(windows.size(), 3u) << run.Out;
  // The shown panel fills the left dock, and the hidden ones take its size, as every panel takes
  // the size of the one resized last.
  EXPECT_EQ(Sizes(windows[0]), "180x600 180x600 180x600 ");
  EXPECT_EQ(Shown(windows[1]), "001");
  // The hidden panels take the size the resized one was given (240 x 300); the shown one stands
  // as long as the dock.
  EXPECT_EQ(Sizes(windows[1]), "240x300 240x300 240x600 ");

  // Search closed: its panel and button are gone, Outline is button 1 and answers to it.
  EXPECT_EQ(Shown(windows[2]), "01");
  ASSERT_EQ(Buttons(windows[2]).size(), 2u);
  EXPECT_EQ(Buttons(windows[2])[0]["Caption"], "Files");
  EXPECT_EQ(Buttons(windows[2])[1]["Caption"], "Outline");
  EXPECT_EQ(Panels(windows[2])[1]["Text"], "Outline");
  EXPECT_EQ(FindDumpedControl(windows[2], "Search"), nullptr);  // unbound from the closed panel

  const auto others = EventsBesideDumps(events);
  ASSERT_EQ(others.size(), 3u) << run.Out;
  for (const auto& error : others) EXPECT_EQ(error.value("class", ""), "EWbScriptError") << error;
}

TEST(WorkbenchMultiDock, ToggleItemsShowTheirFontSettingsAndPanel) {
  const TWorkbenchRun run = RunMultiDock("run Main\ndump\n");
  const auto windows = DumpedWindows(run.Events());
  ASSERT_EQ(windows.size(), 1u) << run.Out;
  const json& toolbar = ControlNamed(windows[0], "Side")["Controls"][0];
  EXPECT_EQ(toolbar["Class"], "TTBXToolbar");
  EXPECT_EQ(toolbar["FullSize"], true);
  EXPECT_EQ(toolbar["DockRow"], 0);
  const json& button = Buttons(windows[0])[1];
  EXPECT_EQ(button["Class"], "TNUVVisibilityToggleItem");
  EXPECT_EQ(button["Caption"], "Search");
  EXPECT_EQ(button["FontSettings"], json({{"Bold", "tsTrue"},
                                          {"Italic", "tsDefault"},
                                          {"Underline", "tsDefault"},
                                          {"StrikeOut", "tsDefault"},
                                          {"Size", 120},
                                          {"Name", ""},
                                          {"Color", 0x800000}}));
  EXPECT_EQ(button["Control"], "");  // a panel, which has no name
  EXPECT_EQ(button["Checked"], false);
  const json panel = Panels(windows[0])[1];
  EXPECT_EQ(panel["DockRow"], 1);
  EXPECT_EQ(panel["DockedWidth"], 180);
  EXPECT_EQ(panel["ShowCaption"], false);
  EXPECT_EQ(ControlNamed(panel, "Search")["Align"], "alClient");

  const TWorkbenchRun text = RunWorkbench({Examples + "multidock.xml"});
  EXPECT_THAT(text.Out, HasSubstr("FullSize=True Items=[Files Search Outline]\n"));
}

TEST(WorkbenchMultiDock, BadArgumentsNameTheProblemAndChangeNothing) {
  const TWorkbenchRun run = RunMultiDock(
      "run Main\n"
      "click-toggle Side one\n"
      "click-toggle Side 3\n"
      "click-toggle Side -1\n"
      "resize-panel Side 0 10 tall\n"
      "resize-panel Side 0 -5 10\n"
      "resize-panel Side 7 10 10\n"
      "click-toggle Files 0\n"
      "click-toggle Nobody 0\n"
      "resize-panel Side 0 10\n"
      "dump\n");
  const auto others = EventsBesideDumps(run.Events());
  ASSERT_EQ(others.size(), 9u) << run.Out;
  std::vector<std::string> messages;
  for (const auto& error : others) messages.push_back(MessageOf(error));
  EXPECT_EQ(messages[0], "<stdin>:2: button index 'one' is not a number from 0");
  EXPECT_EQ(messages[1], "<stdin>:3: view part 'Side' has no toggle button 3 (it has 3)");
  EXPECT_EQ(messages[2], "<stdin>:4: button index '-1' is not a number from 0");
  EXPECT_EQ(messages[3], "<stdin>:5: height 'tall' is not a number from 0");
  EXPECT_EQ(messages[4], "<stdin>:6: width '-5' is not a number from 0");
  EXPECT_EQ(messages[5], "<stdin>:7: view part 'Side' has no toggle button 7 (it has 3)");
  EXPECT_EQ(messages[6],
            "<stdin>:8: view part 'Files' is no multi-dock panel: its control, a TTBXLabel, is no dock "
            "holding a toolbar");
  EXPECT_EQ(messages[7], "<stdin>:9: unknown view part 'Nobody'");
  EXPECT_THAT(messages[8], HasSubstr("'resize-panel' takes 4 argument(s)"));

  const auto windows = DumpedWindows(run.Events());
  ASSERT_EQ(windows.size(), 1u);
  EXPECT_EQ(Shown(windows[0]), "100");
  EXPECT_EQ(Sizes(windows[0]), "180x600 180x600 180x600 ");
}

TEST(WorkbenchMultiDock, AToolbarDockHoldsNoToggleButtons) {
  const TWorkbenchRun run =
      RunWorkbench({"--script", "-", Examples + "toolbars.xml"}, "run Main\nclick-toggle TopDock 0\n");
  const auto others = EventsBesideDumps(run.Events());
  ASSERT_EQ(others.size(), 1u) << run.Out;
  EXPECT_EQ(MessageOf(others[0]), "<stdin>:2: item 0 of view part 'TopDock' is a TTBXItem, no toggle button");
}

}  // namespace
