// The served fixture itself: a server that goes wrong before it serves must fail the test that
// started it at once, by name, and must not outlive it (an orphan holding ctest's output pipe
// hangs the whole run).
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>

#include "WorkbenchServed.h"

using ::testing::HasSubstr;

namespace {

// A stand-in server: writes its process ID to pidFile, prints firstLine and then never serves.
TServeCommand SilentServer(const std::filesystem::path& pidFile, const std::string& firstLine) {
  return {{"/bin/sh", "-c", "echo $$ >\"$0\"; echo \"$1\"; exec sleep 600", pidFile.string(), firstLine}};
}

pid_t PidIn(const std::filesystem::path& pidFile) {
  pid_t pid = 0;
  std::ifstream(pidFile) >> pid;
  return pid;
}

// The set-up's failure message, or "" when it did not fail.
std::string SetUpFailure(TServeCommand command) {
  try {
    TServedWorkbench served(std::move(command));
  } catch (const std::exception& e) {
    return e.what();
  }
  return "";
}

class WorkbenchServedFixture : public ::testing::TestWithParam<std::string> {
 protected:
  std::filesystem::path PidFile() const {
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(name.begin(), name.end(), '/', '-');
    return std::filesystem::temp_directory_path() / ("nuv-served-fixture-" + std::to_string(getpid()) + "-" + name);
  }
};

TEST_P(WorkbenchServedFixture, AServerThatPrintsAnErrorBeforeServingIsReportedAndStopped) {
  const std::filesystem::path pidFile = PidFile();
  const std::string failure = SetUpFailure(SilentServer(pidFile, GetParam()));
  const pid_t pid = PidIn(pidFile);
  std::filesystem::remove(pidFile);

  EXPECT_THAT(failure, HasSubstr("the server printed this before it served: " + GetParam()));
  ASSERT_GT(pid, 0);
  // Stopped and reaped: no process of that ID is left, not even a zombie.
  EXPECT_EQ(kill(pid, 0), -1);
  EXPECT_EQ(errno, ESRCH);
}

INSTANTIATE_TEST_SUITE_P(FirstLines, WorkbenchServedFixture,
                         ::testing::Values(R"({"event":"error","class":"ENUVError","message":"no panel named Clock"})",
                                           "error: the application file cannot be read"));

}  // namespace
