// The event log of a served run keeps the last events only, says how many it let go, and still
// answers each command with every event the command caused.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <httplib.h>

#include "WbEventLog.h"
#include "WbModulePath.h"
#include "WbServer.h"
#include "WorkbenchInProcess.h"

using json = nlohmann::json;

namespace {

json Numbered(int n) { return json{{"event", "n"}, {"n", n}}; }

TEST(WorkbenchServeLog, KeepsTheLastEventsCountsTheRestAndPassesEveryOneOn) {
  TEventCollector next;
  TWbEventLog log(next, 3);
  for (int n = 1; n <= 5; ++n) log.Emit(Numbered(n));
  EXPECT_THAT(log.Events(), ::testing::ElementsAre(Numbered(3), Numbered(4), Numbered(5)));
  EXPECT_EQ(log.Dropped(), 2u);
  EXPECT_EQ(next.Events.size(), 5u);
  EXPECT_EQ(TWbEventLog(next).Capacity(), 1000u);
}

TEST(WorkbenchServeLog, ACaptureGetsEveryEventWhileItLivesHoweverFewTheLogKeeps) {
  TEventCollector next;
  TWbEventLog log(next, 1);
  log.Emit(Numbered(0));
  std::vector<TWbJson> outer, inner;
  {
    const TWbEventLog::TCapture capturing(log, outer);
    log.Emit(Numbered(1));
    {
      const TWbEventLog::TCapture nested(log, inner);
      log.Emit(Numbered(2));
    }
    log.Emit(Numbered(3));
  }
  log.Emit(Numbered(4));
  EXPECT_THAT(outer, ::testing::ElementsAre(Numbered(1), Numbered(3)));
  EXPECT_THAT(inner, ::testing::ElementsAre(Numbered(2)));
}

// A served application in this process, with a log that keeps one event.
class TServedInProcess {
 public:
  TServedInProcess() {
    const std::string path = ExampleFile("statusbar");
    const TWbAppDecl decl = LoadAppFile(path);
    App.Load(decl, ChooseModulePath("", decl.Module, path));
    App.RunAll();
    const std::string url = Server.Start({"127.0.0.1", 0});
    Client = std::make_unique<httplib::Client>("127.0.0.1", std::stoi(url.substr(url.rfind(':') + 1)));
    Client->set_read_timeout(30);
  }
  ~TServedInProcess() {
    Server.Stop();
    App.Finish();
  }

  TEventCollector Sink;
  TWbEventLog Log{Sink, 1};
  TWbApplication App{Log};
  TWbServer Server{App, Log, ""};
  std::unique_ptr<httplib::Client> Client;
};

TEST(WorkbenchServeLog, TheStateHoldsTheLastEventsAndHowManyWereDroppedACommandAllItCaused) {
  TServedInProcess served;
  auto click = served.Client->Post("/api/command", R"({"command": "click Caps"})", "application/json");
  ASSERT_TRUE(click);
  ASSERT_EQ(click->status, 200) << click->body;
  const json caused = json::parse(click->body)["events"];
  ASSERT_GT(caused.size(), 1u);
  EXPECT_EQ(caused.back(), (json{{"event", "click"}, {"viewPart", "Caps"}}));

  auto state = served.Client->Get("/api/state");
  ASSERT_TRUE(state);
  const json answer = json::parse(state->body);
  EXPECT_EQ(answer["events"], json::array({caused.back()}));
  EXPECT_EQ(answer["eventsDropped"], served.Sink.Events.size() - 1);
}

}  // namespace
