// A faulty application file, module or command line stops the runner before anything runs:
// exit status 2 and one line on stderr that places and names the fault.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "WorkbenchRunner.h"

using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

struct TLoadErrorCase {
  const char* File;
  const char* Place;    // what the line starts with
  const char* Problem;  // what it must say
};

void PrintTo(const TLoadErrorCase& c, std::ostream* os) { *os << c.File; }

class WorkbenchLoadError : public ::testing::TestWithParam<TLoadErrorCase> {};

TEST_P(WorkbenchLoadError, StopsWithStatus2AndOneLineNamingThePlaceAndTheProblem) {
  const TLoadErrorCase& c = GetParam();
  for (const char* mode : {"", "--script"}) {
    SCOPED_TRACE(*mode ? "with a script" : "without a script");
    std::vector<std::string> args{c.File};
    if (*mode) args = {"--script", "-", c.File};
    const TWorkbenchRun run = RunWorkbench(args, "run Main\ndump\n");
    EXPECT_EQ(run.Status, 2);
    EXPECT_EQ(run.Out, "");
    ASSERT_EQ(run.ErrLines().size(), 1u) << run.Err;
    EXPECT_THAT(run.ErrLines()[0], StartsWith(std::string(c.Place) + ": "));
    EXPECT_THAT(run.ErrLines()[0], HasSubstr(c.Problem));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, WorkbenchLoadError,
    ::testing::Values(
        TLoadErrorCase{"no-such-file.xml", "no-such-file.xml", "cannot read the file"},
        TLoadErrorCase{"malformed.xml", "malformed.xml:4:5", "mismatch"},
        TLoadErrorCase{"unknown-factory.xml", "unknown-factory.xml:4:5", "unknown factory 'CreateGaugeViewPart'"},
        TLoadErrorCase{"factory-abort.xml", "factory-abort.xml:4:5",
                       "unknown factory 'abort' of view part 'Boom': the module"},
        TLoadErrorCase{"unknown-workspace.xml", "unknown-workspace.xml:3:5", "unknown work space 'Top'"},
        TLoadErrorCase{"duplicate-name.xml", "duplicate-name.xml:5:7",
                       "view part name 'Title' is used twice (first at duplicate-name.xml:3:5)"},
        TLoadErrorCase{"not-a-workspace.xml", "not-a-workspace.xml:4:5",
                       "'Title' of view part 'Status' is not a work space"},
        TLoadErrorCase{"unexpected-element.xml", "unexpected-element.xml:3:5", "unexpected element <Label>"},
        TLoadErrorCase{"missing-module.xml", "missing-module.xml", "cannot load module modules/NoSuchModule.so"},
        TLoadErrorCase{"missing-attribute.xml", "missing-attribute.xml:3:5", "<ViewPart> needs the attribute Name"},
        TLoadErrorCase{"wrong-root.xml", "wrong-root.xml:1:1",
                       "the document element is <Application>; expected <Workbench>"},
        TLoadErrorCase{"duplicate-command.xml", "duplicate-command.xml:4:5", "command 'File.Open' is declared twice"},
        TLoadErrorCase{"duplicate-workitem.xml", "duplicate-workitem.xml:3:5",
                       "work item 'Main' is declared twice (first at duplicate-workitem.xml:2:3)"},
        TLoadErrorCase{"own-workspace.xml", "own-workspace.xml:3:5", "view part 'Dock' cannot be its own work space"}));

TEST(WorkbenchModule, AFactoryThatReturnsNoViewPartIsALoadErrorNamingIt) {
  const TWorkbenchRun run =
      RunWorkbench({"--module", std::string(NUV_BIN_DIR) + "/nuv_test_module.so", "nil-factory.xml"});
  EXPECT_EQ(run.Status, 2);
  EXPECT_EQ(run.Out, "");
  EXPECT_EQ(run.Err,
            "nil-factory.xml:3:5: the factory 'CreateNilViewPart' of view part 'Nothing' returned no view part\n");
}

TEST(WorkbenchCommandLine, RejectsMissingFilesAndUnknownOptionsWithStatus2) {
  const TWorkbenchRun noFile = RunWorkbench({});
  EXPECT_EQ(noFile.Status, 2);
  EXPECT_EQ(noFile.Err, "no application file given; see --help\n");
  const TWorkbenchRun unknownOption = RunWorkbench({"--frobnicate", "label-app.xml"});
  EXPECT_EQ(unknownOption.Status, 2);
  EXPECT_THAT(unknownOption.Err, HasSubstr("--frobnicate"));
  const TWorkbenchRun missingScript = RunWorkbench({"--script", "no-such.script", "label-app.xml"});
  EXPECT_EQ(missingScript.Status, 2);
  EXPECT_EQ(missingScript.Err, "no-such.script: cannot read the script\n");
  EXPECT_EQ(missingScript.Out, "");

  const TWorkbenchRun help = RunWorkbench({"--help"});
  EXPECT_EQ(help.Status, 0);
  for (const char* option : {"--script", "--json", "--module", "--version"}) EXPECT_THAT(help.Out, HasSubstr(option));
}

}  // namespace
