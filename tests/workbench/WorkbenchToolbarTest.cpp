// The toolbar example: a document toolbar merging into the main toolbar while its work item runs,
// the undo when it stops, click-item on lent items, and the dump of toolbar items.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "WorkbenchDump.h"
#include "WorkbenchRunner.h"

using ::testing::HasSubstr;
using json = nlohmann::json;

namespace {

const std::string Examples = std::string(NUV_SOURCE_DIR) + "/examples/";

// "Save" for a shown item, "Save-" for a hidden one, "<Name>" for a control item, "|" for a
// separator, sub-items in parentheses.
std::string Shape(const json& items) {
  std::string text;
  for (const auto& item : items) {
    if (!text.empty()) text += " ";
    if (item["Class"] == "TTBXSeparatorItem")
      text += "|";
    else if (item["Class"] == "TTBControlItem")
      text += "<" + (item["Control"].is_null() ? std::string() : item["Control"].get<std::string>()) + ">";
    else
      text += item["Caption"].get<std::string>();
    if (!item["Visible"].get<bool>()) text += "-";
    if (!item["Items"].empty()) text += "(" + Shape(item["Items"]) + ")";
  }
  return text;
}

const json& MainItems(const json& window) { return ControlNamed(window, "MainToolbar")["Items"]; }

json Command(const std::string& id) { return {{"event", "command"}, {"id", id}}; }

std::vector<json> ScriptErrors(const std::vector<json>& events) {
  std::vector<json> errors;
  for (const auto& event : events)
    if (event["event"] == "error") errors.push_back(event);
  return errors;
}

TWorkbenchRun RunToolbars(const std::string& script) {
  return RunWorkbench({"--script", "-", Examples + "toolbars.xml"}, script);
}

TEST(WorkbenchToolbar, TheDocumentToolbarMergesWhileEditorRunsAndStoppingUndoesIt) {
  const TWorkbenchRun run = RunWorkbench({"--script", Examples + "toolbars.script", Examples + "toolbars.xml"});
  EXPECT_EQ(run.Status, 0);
  EXPECT_EQ(run.Err, "");
  const auto windows = DumpedWindows(run.Events());
  ASSERT_EQ(windows.size(), 3u) << run.Out;

  EXPECT_EQ(Shape(MainItems(windows[0])), "New Open Save | Format(Bold Clear) Help");
  EXPECT_EQ(Shape(MainItems(windows[1])),
            "New Open Save- Save | Format(Bold Italic Underline- Clear) <PageLabel> Print Help");
  EXPECT_EQ(MainItems(windows[2]), MainItems(windows[0]));  // exactly as before the merge

  const json& merged = MainItems(windows[1]);
  EXPECT_EQ(merged[2]["Action"], "File.Save");
  EXPECT_EQ(merged[3]["Action"], "Doc.Save");
  EXPECT_EQ(merged[6]["GroupIndex"], 8);
  for (const auto& item : merged) EXPECT_EQ(item["Tag"], 0) << item;  // the merge marks are cleared
  const json& doc = ControlNamed(windows[1], "DocToolbar");
  EXPECT_EQ(doc["Visible"], false);
  EXPECT_EQ(doc["Items"], json::array());
  // The lent control item brings its label along onto the main toolbar; when the lent items go,
  // the label is in no window until the document toolbar shows it again.
  EXPECT_EQ(ControlNamed(ControlNamed(windows[1], "MainToolbar"), "PageLabel")["Class"], "TTBXLabel");
  EXPECT_EQ(FindDumpedControl(windows[2], "PageLabel"), nullptr);
  EXPECT_EQ(ControlNamed(windows[1], "MainToolbar")["DockRow"], 0);
  EXPECT_EQ(ControlNamed(windows[1], "MainToolbar")["FullSize"], false);
}

// The merge sets the action's visibility from ActionVisible; an item's own caption stays, one
// without its own shows the action's.
TEST(WorkbenchToolbar, AMergedItemKeepsItsOwnCaptionWhenTheMergeChangesItsAction) {
  const TWorkbenchRun run = RunWorkbench({"--script", "-", "own-caption.xml"}, "run Main\ndump\n");
  const auto windows = DumpedWindows(run.Events());
  ASSERT_EQ(windows.size(), 1u) << run.Out;
  EXPECT_EQ(Shape(MainItems(windows[0])), "Print- Print now- Help");
}

// A bad item costs itself alone, with an error that names it, its line and its value; a view part
// whose Initialize failed (the dock's Position) leaves no control in the window.
TEST(WorkbenchToolbar, ABadItemCostsItselfAloneAndAFailedInitializeLeavesNoControl) {
  const TWorkbenchRun run = RunWorkbench({"--script", "-", "strict-values.xml"}, "run Main\ndump\n");
  const auto events = run.Events();
  ASSERT_EQ(events.size(), 3u) << run.Out;
  EXPECT_EQ(MessageOf(events[1]),
            "strict-values.xml:9:25: <Item> attribute GroupIndex: 'two' is not valid; expected a decimal integer; "
            "the item is not created");
  const json window = DumpedWindows(events)[0];
  EXPECT_EQ(Shape(ControlNamed(window, "Tools")["Items"]), "Save");
  EXPECT_EQ(FindDumpedControl(window, "TopDock"), nullptr);
  EXPECT_EQ(window["Controls"].size(), 2u) << window;  // the toolbar and the label
}

// Toolbars that merge into each other, or are each other's work space, would each lend their items
// to the other and all end hidden: the second of each pair is refused, and one toolbar shows all.
TEST(WorkbenchToolbar, ToolbarsThatMergeIntoEachOtherOrHoldEachOtherAreRefused) {
  const TWorkbenchRun run = RunWorkbench({"--script", "-", "toolbar-cycles.xml"}, "run Main\ndump\n");
  EXPECT_EQ(run.Status, 1);
  const auto events = run.Events();
  ASSERT_EQ(events.size(), 3u) << run.Out;
  EXPECT_EQ(MessageOf(events[0]), "Toolbar[Four] cannot be placed on Toolbar[Three], which lies on it");
  EXPECT_EQ(MessageOf(events[1]),
            "Toolbar[Two] cannot merge its items into Toolbar[One], which merges its items into it");
  const json window = DumpedWindows(events)[0];
  EXPECT_FALSE(ControlNamed(window, "One")["Visible"].get<bool>());
  EXPECT_EQ(Shape(ControlNamed(window, "Two")["Items"]), "A B");
  EXPECT_TRUE(ControlNamed(window, "Two")["Visible"].get<bool>());
  EXPECT_FALSE(ControlNamed(window, "Three")["Visible"].get<bool>());
  EXPECT_EQ(Shape(ControlNamed(window, "Four")["Items"]), "C D");
  EXPECT_TRUE(ControlNamed(window, "Four")["Visible"].get<bool>());
}

TEST(WorkbenchToolbar, ClickItemFindsItemsWhereTheMergePutThem) {
  const TWorkbenchRun run = RunWorkbench({"--script", Examples + "toolbars.script", Examples + "toolbars.xml"});
  const auto events = EventsBesideDumps(run.Events());
  ASSERT_EQ(events.size(), 8u) << run.Out;
  EXPECT_EQ(events[0], Command("Doc.Save"));       // DocToolbar Save: lent to MainToolbar
  EXPECT_EQ(events[1], Command("Format.Italic"));  // into MainToolbar's own Format submenu
  EXPECT_EQ(events[2], Command("Doc.Save"));       // MainToolbar Save: its own is hidden
  EXPECT_EQ(events[3], Command("Format.Bold"));    // "Format/#0"
  EXPECT_THAT(MessageOf(events[4]),
              HasSubstr("item 'Format/Underline' of view part 'DocToolbar': that path leads only to hidden items"));
  EXPECT_THAT(MessageOf(events[5]), HasSubstr("item 'Format/Bold' of view part 'DocToolbar': no item"));
  EXPECT_THAT(MessageOf(events[6]), HasSubstr("item 'Save' of view part 'DocToolbar': view part 'DocToolbar' takes no "
                                              "gestures: its work item 'Editor' is not running"));
  EXPECT_EQ(events[7], Command("File.Save"));  // after the undo
}

TEST(WorkbenchToolbar, ClickItemErrorsNameTheViewPartAndThePath) {
  const TWorkbenchRun run = RunToolbars(
      "run Main\n"
      "click-item Nobody Save\n"
      "click-item TopDock Save\n"
      "click-item MainToolbar Format//Bold\n"
      "click-item MainToolbar \"Format/#2\"\n"
      "click-item MainToolbar \"#x\"\n"
      "click-item MainToolbar Save/Bold\n"
      "click-item MainToolbar \"#2\"\n");
  const auto errors = ScriptErrors(run.Events());
  ASSERT_EQ(errors.size(), 6u) << run.Out;
  for (const auto& error : errors) EXPECT_EQ(error["class"], "EWbScriptError");
  auto message = [&](size_t i) { return MessageOf(errors[i]); };
  EXPECT_EQ(message(0), "<stdin>:2: cannot click item 'Save' of view part 'Nobody': unknown view part 'Nobody'");
  EXPECT_EQ(message(1),
            "<stdin>:3: cannot click item 'Save' of view part 'TopDock': its control is a TTBXDock, no toolbar");
  EXPECT_EQ(message(2),
            "<stdin>:4: cannot click item 'Format//Bold' of view part 'MainToolbar': the path has an empty step");
  EXPECT_THAT(message(3),
              HasSubstr(":5: cannot click item 'Format/#2' of view part 'MainToolbar': no item has that path"));
  EXPECT_THAT(message(4), HasSubstr("'#x' of view part 'MainToolbar': no item"));  // "#x" is a caption
  EXPECT_THAT(message(5), HasSubstr("'Save/Bold' of view part 'MainToolbar': no item"));
  EXPECT_EQ(run.Events().back(), Command("File.Save"));  // the third item by index
}

TEST(WorkbenchToolbar, AControlItemForgetsAFinalizedControlAndStopsInAnyOrderUndoTheMerge) {
  const TWorkbenchRun run = RunToolbars("run Main\nrun Editor\nfinalize PageLabel\ndump\nstop Editor\ndump\n");
  EXPECT_EQ(run.Err, "");
  const auto windows = DumpedWindows(run.Events());
  ASSERT_EQ(windows.size(), 2u) << run.Out;
  EXPECT_EQ(MainItems(windows[0])[6]["Class"], "TTBControlItem");
  EXPECT_EQ(MainItems(windows[0])[6]["Control"], nullptr);
  EXPECT_EQ(Shape(MainItems(windows[1])), "New Open Save | Format(Bold Clear) Help");

  // The main toolbar's work item stopping first changes nothing; the end finalizes the rest.
  const TWorkbenchRun parentFirst = RunToolbars("run Main\nrun Editor\nstop Main\nstop Editor\ndump\n");
  EXPECT_EQ(parentFirst.Status, 0);
  EXPECT_EQ(parentFirst.Err, "");
  ASSERT_EQ(DumpedWindows(parentFirst.Events()).size(), 1u) << parentFirst.Out;
  EXPECT_EQ(Shape(MainItems(DumpedWindows(parentFirst.Events())[0])), "New Open Save | Format(Bold Clear) Help");
}

TEST(WorkbenchToolbar, TheTextTreeNotesTheItemTree) {
  const TWorkbenchRun run = RunWorkbench({Examples + "toolbars.xml"});
  EXPECT_EQ(run.Status, 0);
  EXPECT_THAT(run.Out, HasSubstr("TTBXToolbar \"MainToolbar\" [MainToolbar] Text=\"Main\" Align=alNone 0x0+"));
  EXPECT_THAT(run.Out, HasSubstr(" Items=[New Open Save- Save | Format(Bold Italic Underline- Clear) <PageLabel> Print "
                                 "Help]\n      TTBXLabel \"PageLabel\""));
  EXPECT_THAT(run.Out, HasSubstr("[DocToolbar] Text=\"Document\" Align=alNone "));
  EXPECT_THAT(run.Out, HasSubstr(" Visible=False Items=[]\n"));

  const TWorkbenchRun quoted = RunWorkbench({"toolbar-notes.xml"});
  EXPECT_EQ(quoted.Status, 0);
  EXPECT_THAT(quoted.Out, HasSubstr(" Items=[\"Save As\" \"\" \"Re-do\" |- More-(\"(x)\")]\n"));
}

}  // namespace
