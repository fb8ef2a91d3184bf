// What the runner's messages name: the setting, the value as written and what is accepted.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

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

}  // namespace
