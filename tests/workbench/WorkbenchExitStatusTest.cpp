// How a run ends: status 1 when the application file caused errors and the run went on, status 2
// with --strict at the first error or warning of loading and the first run, before the window
// shows; what a script or a request is refused stays an event.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "WorkbenchRunner.h"

using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

TEST(WorkbenchExitStatus, ErrorsOfTheFileEndARunThatWentOnWithStatus1) {
  const TWorkbenchRun run = RunWorkbench({"strict-values.xml"});
  EXPECT_EQ(run.Status, 1) << run.Err;
  EXPECT_THAT(run.Out, HasSubstr("TTBXLabel \"Title\""));  // the window shows as a host shows it
  ASSERT_EQ(run.ErrLines().size(), 2u) << run.Err;
  EXPECT_THAT(run.ErrLines()[0], HasSubstr("<ToolbarDock>/<Position>: 'Up' is not valid"));
  EXPECT_THAT(run.ErrLines()[1], HasSubstr("<Item> attribute GroupIndex: 'two' is not valid"));

  // A script's own refusals and what its gestures raise are its events, not the file's.
  const TWorkbenchRun script =
      RunWorkbench({"--script", "-", "label-app.xml"}, "run Main\nclick Nobody\nset Title_Caption\n");
  EXPECT_EQ(script.Status, 0) << script.Err;
  EXPECT_THAT(script.Out, HasSubstr("unknown view part 'Nobody'"));
  // What the first run of a work item raises is the file's, also when a script runs it.
  EXPECT_EQ(RunWorkbench({"--script", "-", "run-error.xml"}, "run Main\nstop Main\n").Status, 1);
}

TEST(WorkbenchExitStatus, StrictEndsTheRunAtTheFirstErrorBeforeTheWindowShows) {
  const TWorkbenchRun run = RunWorkbench({"--strict", "strict-values.xml"});
  EXPECT_EQ(run.Status, 2);
  EXPECT_EQ(run.Out, "");
  ASSERT_EQ(run.ErrLines().size(), 1u) << run.Err;
  EXPECT_THAT(run.ErrLines()[0], StartsWith("strict-values.xml:4:5: EConfigurationError: "));
  EXPECT_THAT(run.ErrLines()[0], HasSubstr("'Up' is not valid; expected one of Top, Bottom, Left, Right"));
  EXPECT_THAT(run.ErrLines()[0], HasSubstr("(--strict ends the run at it)"));

  // An error of the first run: nothing of the window is printed, the events held are dropped.
  const TWorkbenchRun first = RunWorkbench({"--strict", "run-error.xml"});
  EXPECT_EQ(first.Status, 2);
  EXPECT_EQ(first.Out, "");
  ASSERT_EQ(first.ErrLines().size(), 1u) << first.Err;
  EXPECT_THAT(first.ErrLines()[0], HasSubstr("'two' is not valid; expected a decimal integer"));

  // With a script the line that runs the work item first ends it; the lines before have been
  // carried out.
  const TWorkbenchRun script = RunWorkbench({"--strict", "--script", "-", "run-error.xml"}, "keys\nrun Main\nkeys\n");
  EXPECT_EQ(script.Status, 2);
  ASSERT_EQ(script.Events().size(), 1u) << script.Out;
  EXPECT_EQ(script.Events()[0]["event"], "keys");
  EXPECT_THAT(script.Err, HasSubstr("(--strict ends the run at it)"));
  EXPECT_EQ(RunWorkbench({"--strict", "label-app.xml"}).Status, 0);
}

TEST(WorkbenchExitStatus, StrictCountsTheWarningsOfTheRunAndNamesTheFirst) {
  // The image files that the run refuses are warnings: the run goes on with status 0 without
  // --strict, and ends with the first with it.
  const TWorkbenchRun run = RunWorkbench({"refused-images.xml"});
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.ErrLines().size(), 2u) << run.Err;
  const TWorkbenchRun strict = RunWorkbench({"--strict", "refused-images.xml"});
  EXPECT_EQ(strict.Status, 2);
  ASSERT_EQ(strict.ErrLines().size(), 1u) << strict.Err;
  EXPECT_EQ(strict.ErrLines()[0],
            "refused-images.xml: the image file '/etc/passwd' is refused (an absolute path; image files lie in the "
            "application file's directory); it shows no image (--strict makes it an error; 1 more)");
}

}  // namespace
