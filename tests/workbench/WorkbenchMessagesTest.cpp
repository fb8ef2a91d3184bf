// What the runner's messages name: the setting, the value as written and what is accepted.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WorkbenchRunner.h"

namespace {

// Numbers that the reference documents as "0 or more" or "-1 or a position" are held to it.
TEST(WorkbenchMessages, ANumberOutOfItsRangeNamesTheSettingTheValueAndTheRange) {
  const TWorkbenchRun run = RunWorkbench({"out-of-range.xml"});
  EXPECT_EQ(run.Status, 1);
  EXPECT_THAT(run.ErrLines(),
              ::testing::ElementsAre(
                  "out-of-range.xml:3:5: EConfigurationError: out-of-range.xml:4:35: <Panel> attribute Size: "
                  "'-2147483648' is not valid; expected a size of 0 or more pixels",
                  "out-of-range.xml:6:5: EConfigurationError: out-of-range.xml:7:31: <DockablePanel>/<DockRow>: '-1' "
                  "is not valid; expected a row of 0 or more",
                  "out-of-range.xml:9:5: EConfigurationError: out-of-range.xml:10:31: <DockablePanel>/<DockPos>: "
                  "'-2147483648' is not valid; expected -1 (the next free place) or a position of 0 or more pixels",
                  "out-of-range.xml:15:5: EConfigurationError: out-of-range.xml:13:52: <ButtonFontSettings>/<Size>: "
                  "'+5' is not valid; expected a percentage from 25 to 1000"));
}

// A script's refusals name what the line gave, whole, and what would have been right.
TEST(WorkbenchMessages, ScriptRefusalsNameTheKeyTheValueAndWhatExists) {
  using namespace std::string_literals;
  const TWorkbenchRun run = RunWorkbench({"--script", "-", "messages-app.xml"},
                                         "get DocToolbar_Caption\n"
                                         "get Title_Caption\n"
                                         "run Main\n"
                                         "get Titel_Caption\n"
                                         "set Box_State two\n"
                                         "stop Main\n"
                                         "get DocToolbar_Caption\n"
                                         "click Caps"s +
                                             '\0' + "Lock\n");
  EXPECT_EQ(run.Status, 0) << run.Err;
  std::vector<std::string> messages;
  for (const auto& event : run.Events())
    if (event["event"] == "error") messages.push_back(event["message"]);
  EXPECT_THAT(messages,
              ::testing::ElementsAre(
                  // A toolbar publishes no caption: no work item is promised to publish it.
                  "data key 'DocToolbar_Caption' is not registered in any work item",
                  "data key 'Title_Caption' is not registered in any work item: view part 'Title' publishes it while "
                  "its work item 'Main' runs, and it is not running (run Main first)",
                  "data key 'Titel_Caption' is not registered in any work item; did you mean Title_Caption?",
                  "data key 'Box_State': 'two' is not a decimal integer",
                  // Nor once the work item has run: the toolbar published no such key then.
                  "data key 'DocToolbar_Caption' is not registered in any work item",
                  "<stdin>:8: unknown view part 'Caps\\0Lock'"));
}

}  // namespace
