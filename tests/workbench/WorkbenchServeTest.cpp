// --serve: the page and its API over a running workbench, driven on loopback with a bounded
// number of requests per test.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <chrono>
#include <stdexcept>

#include "WorkbenchRunner.h"

extern char** environ;

using ::testing::HasSubstr;
using json = nlohmann::json;

namespace {

const std::string Examples = std::string(NUV_SOURCE_DIR) + "/examples/";
constexpr int KStartTimeoutMs = 60000;  // loading under the sanitizers is slow

// nuv-workbench --serve 127.0.0.1:0 on an example, from its serving line to its SIGTERM.
class TServedWorkbench {
 public:
  explicit TServedWorkbench(const std::string& appFile) {
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    std::string program = std::string(NUV_BIN_DIR) + "/nuv-workbench";
    std::vector<std::string> args{program, "--serve", "127.0.0.1:0", appFile};
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    const int spawned = posix_spawn(&FPid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    FOut = fds[0];
    if (spawned != 0) throw std::runtime_error("cannot start " + program);
    const json serving = json::parse(ReadLine());
    if (serving["event"] != "serving") throw std::runtime_error("no serving line: " + serving.dump());
    FUrl = serving["url"];
    const std::string hostPort = FUrl.substr(7, FUrl.size() - 8);  // http://HOST:PORT/
    FClient = std::make_unique<httplib::Client>(hostPort.substr(0, hostPort.rfind(':')),
                                                std::stoi(hostPort.substr(hostPort.rfind(':') + 1)));
    FClient->set_connection_timeout(5);
    FClient->set_read_timeout(30);
  }
  ~TServedWorkbench() {
    if (FPid > 0) Stop();
    close(FOut);
  }

  // SIGTERM; the exit status.
  int Stop() {
    FClient.reset();
    kill(FPid, SIGTERM);
    int status = 0;
    while (waitpid(FPid, &status, 0) < 0 && errno == EINTR) {
    }
    FPid = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }

  const std::string& Url() const { return FUrl; }
  httplib::Client& Client() { return *FClient; }

  httplib::Result Post(const std::string& path, const std::string& body) {
    return FClient->Post(path.c_str(), body, "application/json");
  }
  json State() {
    auto result = FClient->Get("/api/state");
    if (!result || result->status != 200) throw std::runtime_error("GET /api/state failed");
    return json::parse(result->body);
  }

 private:
  std::string ReadLine() {
    std::string line;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(KStartTimeoutMs);
    char c = 0;
    while (std::chrono::steady_clock::now() < deadline) {
      pollfd fd{FOut, POLLIN, 0};
      if (poll(&fd, 1, 100) <= 0) continue;
      if (read(FOut, &c, 1) != 1) break;
      if (c == '\n') return line;
      line += c;
    }
    throw std::runtime_error("the workbench printed no line: '" + line + "'");
  }

  pid_t FPid = -1;
  int FOut = -1;
  std::string FUrl;
  std::unique_ptr<httplib::Client> FClient;
};

const json* FindKey(const json& state, const std::string& key) {
  for (const auto& entry : state["keys"])
    if (entry["key"] == key) return &entry;
  return nullptr;
}

json KeyValue(const json& state, const std::string& key) {
  const json* entry = FindKey(state, key);
  return entry ? (*entry)["value"] : json();
}

std::string ErrorOf(const httplib::Result& result) {
  return result ? json::parse(result->body).value("error", std::string()) : "(no answer)";
}

TEST(WorkbenchServe, TheStateHoldsTheInteractivePictureTheWindowTheLogAndEveryKey) {
  TServedWorkbench served(Examples + "statusbar.xml");
  EXPECT_THAT(served.Url(), ::testing::StartsWith("http://127.0.0.1:"));
  const json state = served.State();
  EXPECT_THAT(state["html"].get<std::string>(), HasSubstr("data-command=\"click Caps\""));
  EXPECT_EQ(state["window"]["Name"], "Shell");
  ASSERT_FALSE(state["events"].empty());
  EXPECT_EQ(state["events"].back()["event"], "serving");
  EXPECT_EQ(*FindKey(state, "Status_Msg_Caption"),
            (json{{"key", "Status_Msg_Caption"}, {"type", "string"}, {"value", "Welcome to Demo"}}));
  EXPECT_EQ((*FindKey(state, "Status_Clock_Size"))["type"], "integer");
  EXPECT_EQ(KeyValue(state, "Caps_Checked"), false);

  auto page = served.Client().Get("/");
  ASSERT_TRUE(page);
  EXPECT_EQ(page->status, 200);
  EXPECT_THAT(page->get_header_value("Content-Type"), HasSubstr("text/html"));
  EXPECT_THAT(page->body, HasSubstr("/api/state"));
  EXPECT_THAT(page->body, ::testing::Not(HasSubstr("src=")));  // nothing loaded from elsewhere
  EXPECT_EQ(served.Stop(), 0);
}

TEST(WorkbenchServe, ACommandRunsAsInAScriptAndItsEventsAreAnsweredAndLogged) {
  TServedWorkbench served(Examples + "statusbar.xml");
  auto click = served.Post("/api/command", R"({"command": "click Caps"})");
  ASSERT_TRUE(click);
  EXPECT_EQ(click->status, 200);
  const json caused = json::parse(click->body)["events"];
  ASSERT_FALSE(caused.empty());
  EXPECT_EQ(caused.back(), (json{{"event", "click"}, {"viewPart", "Caps"}}));

  auto panel = served.Post("/api/command", R"({"command": "click-panel Status 0"})");
  ASSERT_TRUE(panel);
  EXPECT_EQ(panel->status, 200);
  EXPECT_EQ(json::parse(panel->body)["events"][0]["topic"], "Topic://ViewPart/Status/OnClick");

  const json state = served.State();
  EXPECT_EQ(KeyValue(state, "Caps_Checked"), true);
  const json& events = state["events"];
  EXPECT_EQ(events.back()["topic"], "Topic://ViewPart/Status/OnClick");
  EXPECT_EQ(std::count(events.begin(), events.end(), json{{"event", "click"}, {"viewPart", "Caps"}}), 1);
}

TEST(WorkbenchServe, AKeyWriteIsParsedForTheDelegatesTypeAndShows) {
  TServedWorkbench served(Examples + "statusbar.xml");
  auto text = served.Post("/api/key", R"({"key": "Status_Msg_Caption", "value": "Saved \"a b\" # c"})");
  ASSERT_TRUE(text);
  EXPECT_EQ(text->status, 200) << text->body;
  auto size = served.Post("/api/key", R"({"key": "Status_Clock_Size", "value": "90"})");
  ASSERT_TRUE(size);
  EXPECT_EQ(size->status, 200) << size->body;

  const json state = served.State();
  EXPECT_EQ(KeyValue(state, "Status_Msg_Caption"), "Saved \"a b\" # c");  // quotes and # kept
  EXPECT_EQ(KeyValue(state, "Status_Clock_Size"), 90);
  EXPECT_THAT(state["html"].get<std::string>(), HasSubstr("Saved"));
}

TEST(WorkbenchServe, RefusedRequestsGetAClientErrorWithAMessageAndChangeNothing) {
  TServedWorkbench served(Examples + "statusbar.xml");
  const json before = served.State();
  struct TCase {
    std::string Path, Body;
    int Status;
    std::string Message;
  };
  const std::vector<TCase> cases{
      {"/api/command", R"({"command": "click Nobody"})", 400, "unknown view part 'Nobody'"},
      {"/api/command", R"({"command": "click-panel Status 9"})", 400, "no panel 9"},
      {"/api/command", R"({"command": "click"})", 400, "takes 1 argument"},
      {"/api/command", R"({"command": "frobnicate Caps"})", 403, "cannot run 'frobnicate'"},
      {"/api/command", R"({"command": "finalize Caps"})", 403, "cannot run 'finalize'"},
      {"/api/command", R"({"command": "set Caps_Checked True"})", 403, "cannot run 'set'"},
      {"/api/command", R"({"command": "click \"Caps"})", 400, "not closed"},
      {"/api/command", R"({"command": "  # nothing"})", 400, "empty"},
      {"/api/command", R"({"command": 3})", 400, "\"command\""},
      {"/api/command", R"({"command": "click Caps")", 400, "not a JSON object"},
      {"/api/command", R"(["click Caps"])", 400, "not a JSON object"},
      {"/api/key", R"({"key": "Nobody_Caption", "value": "x"})", 400, "'Nobody_Caption' is not registered"},
      {"/api/key", R"({"key": "Status_Clock_Size", "value": "wide"})", 400, "'wide' is not"},
      {"/api/key", R"({"key": "Caps_Checked", "value": true})", 400, "\"value\""},
      {"/api/key", R"({"value": "x"})", 400, "\"key\""},
  };
  for (const auto& c : cases) {
    auto result = served.Post(c.Path, c.Body);
    ASSERT_TRUE(result) << c.Body;
    EXPECT_EQ(result->status, c.Status) << c.Body;
    EXPECT_THAT(ErrorOf(result), HasSubstr(c.Message)) << c.Body;
  }
  auto form = served.Client().Post("/api/command", "command=click+Caps", "application/x-www-form-urlencoded");
  ASSERT_TRUE(form);
  EXPECT_EQ(form->status, 415);  // a form another site posts is no JSON request
  EXPECT_EQ(served.State(), before);
}

TEST(WorkbenchServe, EveryOtherPathIsNotFound) {
  TServedWorkbench served(Examples + "statusbar.xml");
  for (const char* path : {"/index.html", "/api", "/api/state/", "/api/commands", "/examples/statusbar.xml",
                           "/../../etc/passwd", "/favicon.ico"}) {
    auto result = served.Client().Get(path);
    ASSERT_TRUE(result) << path;
    EXPECT_EQ(result->status, 404) << path;
    EXPECT_THAT(ErrorOf(result), HasSubstr("no such page")) << path;
  }
  auto postState = served.Post("/api/state", "{}");
  ASSERT_TRUE(postState);
  EXPECT_EQ(postState->status, 404);
  auto getCommand = served.Client().Get("/api/command");
  ASSERT_TRUE(getCommand);
  EXPECT_EQ(getCommand->status, 404);
  EXPECT_EQ(served.Stop(), 0);
}

TEST(WorkbenchServe, TheAddressIsCheckedBeforeAnythingLoads) {
  const std::string app = Examples + "statusbar.xml";
  const TWorkbenchRun remote = RunWorkbench({"--serve", "0.0.0.0:0", app});
  EXPECT_EQ(remote.Status, 2);
  EXPECT_EQ(remote.Out, "");
  EXPECT_THAT(remote.Err, HasSubstr("'0.0.0.0' is not a loopback address; add --allow-remote"));
  const TWorkbenchRun word = RunWorkbench({"--serve", "localhost:http", app});
  EXPECT_EQ(word.Status, 2);
  EXPECT_THAT(word.Err, HasSubstr("port 'http' is not a number from 0"));
  const TWorkbenchRun big = RunWorkbench({"--serve", "70000", app});
  EXPECT_EQ(big.Status, 2);
  EXPECT_THAT(big.Err, HasSubstr("above 65535"));
  const TWorkbenchRun noHost = RunWorkbench({"--serve", ":8080", app});
  EXPECT_EQ(noHost.Status, 2);
  EXPECT_THAT(noHost.Err, HasSubstr("--serve :8080: the address before ':' is empty"));
}

TEST(WorkbenchServe, APortInUseEndsTheRunWithStatus2) {
  TServedWorkbench first(Examples + "statusbar.xml");
  const std::string address = first.Url().substr(7, first.Url().size() - 8);  // http://HOST:PORT/
  const TWorkbenchRun second = RunWorkbench({"--serve", address, Examples + "statusbar.xml"});
  EXPECT_EQ(second.Status, 2);
  EXPECT_THAT(second.Err, HasSubstr("--serve: cannot listen on " + address));
  EXPECT_EQ(first.Stop(), 0);
}

}  // namespace
