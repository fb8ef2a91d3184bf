// Keys in a script as the user presses them in the window: the focus from control to control, the
// controls' keys, the keyboard on the toolbar and access keys, each reaching the view parts as
// their clicks do.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "WorkbenchRunner.h"

using ::testing::HasSubstr;
using json = nlohmann::json;

namespace {

json Focus(const std::string& control) {
  return {{"event", "keyboard-focus"}, {"control", control}, {"viewPart", control}};
}
json OnToolbar(const std::vector<std::string>& path) {
  return {{"event", "toolbar-keyboard"}, {"toolbar", "MainToolbar"}, {"viewPart", "MainToolbar"}, {"path", path}};
}
json OffToolbar() {
  return {{"event", "toolbar-keyboard"}, {"toolbar", nullptr}, {"viewPart", nullptr}, {"path", json::array()}};
}
json Command(const std::string& id) { return {{"event", "command"}, {"id", id}}; }

TEST(WorkbenchKeyboard, TabSpaceArrowsAndTheToolbarsKeysReachTheViewPartsAsClicksDo) {
  const TWorkbenchRun run = RunWorkbench({"--script", "-", "keyboard.xml"},
                                         "run Main\nkey Tab\nkey Tab\nkey Shift+Tab\nkey Space\nkey Tab\nkey Right\n"
                                         "key Down\nkey Alt\nkey Right\nkey Enter\nkey Alt+R\nkey Down\nkey Escape\n"
                                         "key Escape\nkey Alt+M\ndump\n");
  EXPECT_EQ(run.Status, 0);
  const auto events = run.Events();
  ASSERT_EQ(events.size(), 24u) << run.Out;
  EXPECT_EQ(events[0], Focus("WordWrap"));
  EXPECT_EQ(events[1], Focus("Small"));
  EXPECT_EQ(events[2], Focus("WordWrap"));
  EXPECT_EQ(events[3]["topic"], "Topic://ViewPart/WordWrap/OnChange");  // Space: the box's click
  EXPECT_EQ(events[4], json({{"event", "click"}, {"viewPart", "WordWrap"}}));
  EXPECT_EQ(events[5], Focus("Small"));
  // Right: the focus and the choice move on to Medium, which was checked already: no change.
  EXPECT_EQ(events[6], Focus("Medium"));
  EXPECT_EQ(events[7], Focus("Large"));  // Down: on to Large, which takes the choice
  EXPECT_EQ(events[8]["topic"], "Topic://ViewPart/Medium/OnChange");
  EXPECT_EQ(events[9]["topic"], "Topic://ViewPart/Large/OnChange");
  EXPECT_EQ(events[11], OnToolbar({"&New"}));
  EXPECT_EQ(events[12], OnToolbar({"&Open"}));
  EXPECT_EQ(events[13], OffToolbar());  // the keyboard leaves before the item runs
  EXPECT_EQ(events[14], Command("File.Open"));
  EXPECT_EQ(events[17], OnToolbar({"Fo&rmat", "&Bold"}));  // Alt+R opens the submenu
  EXPECT_EQ(events[18], OnToolbar({"Fo&rmat", "&Italic"}));
  EXPECT_EQ(events[19], OnToolbar({"Fo&rmat"}));  // Escape closes the menu, then leaves
  EXPECT_EQ(events[20], OffToolbar());
  EXPECT_EQ(events[21], Focus("Manual"));  // Alt+M: the link takes the focus and its click
  EXPECT_EQ(events[22], Command("Help.About"));
  const json& window = events.back()["window"];
  EXPECT_EQ(window["Focused"], "Manual");
  EXPECT_EQ(window["ToolbarKeyboard"], nullptr);
  EXPECT_EQ(window["Controls"][0]["Controls"][0]["Items"][3]["AccessKey"], "R");
  EXPECT_EQ(window["Controls"][0]["Controls"][0]["Items"][0]["Hint"], "Create a document");
}

TEST(WorkbenchKeyboard, AKeyThatIsNoneAndAControlThatCannotTakeTheFocusAreNamed) {
  const TWorkbenchRun run =
      RunWorkbench({"--script", "-", "keyboard.xml"}, "run Main\nkey Nope\nkey Alt+\nfocus Small\nfocus Nobody\n");
  const auto events = run.Events();
  ASSERT_EQ(events.size(), 4u) << run.Out;
  EXPECT_THAT(events[0]["message"].get<std::string>(), HasSubstr("'Nope' is no key: a key is Tab, Enter"));
  EXPECT_THAT(events[1]["message"].get<std::string>(), HasSubstr("'Alt+' is no key"));
  EXPECT_EQ(events[2], Focus("Small"));
  EXPECT_THAT(events[3]["message"].get<std::string>(), HasSubstr("unknown view part 'Nobody'"));
  // The check box of the floating Properties panel, hidden by its close button.
  const TWorkbenchRun hidden = RunWorkbench({"--script", "-", std::string(NUV_SOURCE_DIR) + "/examples/showcase.xml"},
                                            "run Main\nclick-close Properties\nfocus WordWrap\n");
  const auto refused = hidden.Events();
  ASSERT_FALSE(refused.empty()) << hidden.Out;
  EXPECT_THAT(refused.back()["message"].get<std::string>(),
              HasSubstr("view part 'WordWrap' cannot take the focus: its TTBXCheckBox is hidden or disabled"));
}

// The HTML picture shows what the keyboard does: access keys underlined, hints as titles, the
// focused control outlined, the highlighted items hot and the menu the keyboard opened open.
TEST(WorkbenchKeyboard, ThePictureUnderlinesAccessKeysTitlesHintsAndShowsWhereTheKeyboardIs) {
  const std::string file = (std::filesystem::temp_directory_path() / "nuv-keyboard.html").string();
  const TWorkbenchRun run =
      RunWorkbench({"--render", file, "--script", "-", "keyboard.xml"}, "run Main\nfocus WordWrap\nkey Alt+R\n");
  ASSERT_EQ(run.Status, 0) << run.Err;
  const std::string page = ReadFile(file);
  for (const char* part :
       {"<u>W</u>ord wrap", "Fo<u>r</u>mat", "<u>B</u>old", "Read the <u>m</u>anual", "title=\"Create a document\"",
        "nuv-focused", "nuv-submenu nuv-hot nuv-open", "nuv-menu-entry nuv-hot"})
    EXPECT_NE(page.find(part), std::string::npos) << part;
  EXPECT_EQ(page.find("&amp;Word"), std::string::npos);
  std::filesystem::remove(file);
}

}  // namespace
