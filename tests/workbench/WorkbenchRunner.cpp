#include "WorkbenchRunner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

// A scratch directory for the child's standard streams, removed when done.
class TScratchDir {
 public:
  TScratchDir() {
    std::string pattern = (fs::temp_directory_path() / "nuv-workbench-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a scratch directory");
    FPath = pattern;
  }
  ~TScratchDir() {
    std::error_code ignored;
    fs::remove_all(FPath, ignored);
  }
  fs::path operator/(const char* name) const { return FPath / name; }

 private:
  fs::path FPath;
};

int WaitFor(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0)
    if (errno != EINTR) throw std::runtime_error("waitpid failed");
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

std::vector<std::string> TWorkbenchRun::ErrLines() const { return Lines(Err); }

std::vector<nlohmann::json> TWorkbenchRun::Events() const {
  std::vector<nlohmann::json> events;
  for (const auto& line : Lines(Out)) {
    events.push_back(nlohmann::json::parse(line));
    events.back().erase("cause");
  }
  return events;
}

std::string WorkbenchDataDir() { return std::string(NUV_TEST_DATA_DIR) + "/workbench/data"; }

TWorkbenchRun RunWorkbench(const std::vector<std::string>& args, const std::string& input) {
  TScratchDir scratch;
  std::ofstream(scratch / "in", std::ios::binary) << input;
  const std::string in = (scratch / "in").string(), out = (scratch / "out").string(), err = (scratch / "err").string(),
                    dataDir = WorkbenchDataDir();

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addchdir_np(&actions, dataDir.c_str());

  std::string program = std::string(NUV_BIN_DIR) + "/nuv-workbench";
  std::vector<char*> argv{program.data()};
  std::vector<std::string> copies(args);
  for (auto& arg : copies) argv.push_back(arg.data());
  argv.push_back(nullptr);

  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) throw std::runtime_error("cannot start " + program);

  TWorkbenchRun run;
  run.Status = WaitFor(pid);
  run.Out = ReadFile(out);
  run.Err = ReadFile(err);
  return run;
}
