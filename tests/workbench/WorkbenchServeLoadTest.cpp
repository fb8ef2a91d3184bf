// --serve under hostile clients on loopback: clients that send by the byte, bodies over the limit
// (sized and chunked) and requests from other sites run beside a normal client, which must still
// be answered, and SIGTERM must still end the server at once. Bounded in clients, requests and
// time; the bounds are generous, for behaviour, not speed.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "WorkbenchServed.h"

using ::testing::HasSubstr;

namespace {

using TClock = std::chrono::steady_clock;

// Far above any answer on loopback, even under the sanitizers, and below the request time (5 s)
// that a client starved by slow ones would wait.
constexpr TMs KAnswerBound{3000};
constexpr TMs KStopBound{2000};

TMs Since(TClock::time_point start) { return std::chrono::duration_cast<TMs>(TClock::now() - start); }

// Threads that run a client again and again until the test ends; a client's exception (the
// server has gone) ends its thread.
class THostileClients {
 public:
  ~THostileClients() { StopAndJoin(); }
  void Add(const std::function<void(const std::atomic<bool>& done)>& client) {
    FThreads.emplace_back([this, client] {
      try {
        while (!FDone) client(FDone);
      } catch (const std::exception&) {
      }
    });
  }
  void StopAndJoin() {
    FDone = true;
    for (auto& thread : FThreads)
      if (thread.joinable()) thread.join();
  }

 private:
  std::atomic<bool> FDone{false};
  std::vector<std::thread> FThreads;
};

// Sends a request a byte at a time, a byte every pause, until the server closes or the test ends.
void TrickleRequest(int port, const std::string& host, TMs pause, const std::atomic<bool>& done) {
  TRawConnection connection(port);
  const std::string request = RawRequest("GET", "/api/state", host);
  for (char c : request) {
    if (done || !connection.Send(std::string(1, c))) return;
    std::this_thread::sleep_for(pause);
  }
}

// The statuses a hostile client got, until the server is told to stop (then it may get none).
struct TStatusCounts {
  const char* Client;
  const std::atomic<bool>& Stopping;
  std::atomic<int> Expected{0}, Other{0}, Last{0};
  void Count(int status, int expected) {
    if (Stopping) return;
    ++(status == expected ? Expected : Other);
    if (status != expected) Last = status;
  }
};

TEST(WorkbenchServeLoad, NormalRequestsAreAnsweredBesideHostileClientsAndSigtermEndsTheServerAtOnce) {
  TServedWorkbench served(ExamplesDir() + "statusbar.xml");
  const int port = served.Port();
  const std::string host = served.HostPort();
  served.Client().set_read_timeout(KAnswerBound * 2);
  std::atomic<bool> stopping{false};
  TStatusCounts sized{"sized", stopping}, chunked{"chunked", stopping}, foreignHost{"foreign Host", stopping},
      foreignOrigin{"foreign Origin", stopping};
  THostileClients hostile;
  for (int i = 0; i < 4; ++i) hostile.Add([&](const auto& done) { TrickleRequest(port, host, TMs(500), done); });
  hostile.Add([&](const auto&) {
    TRawConnection connection(port);
    connection.SendUnlessAnswered(
        RawRequest("POST", "/api/key", host, {"Content-Type: application/json", "Content-Length: 1048576"}) +
        std::string(1048576, 'x'));
    sized.Count(StatusOf(connection.ReadAll(KAnswerBound)), 413);
  });
  hostile.Add([&](const auto&) {
    TRawConnection connection(port);
    connection.SendUnlessAnswered(
        RawRequest("POST", "/api/key", host, {"Content-Type: application/json", "Transfer-Encoding: chunked"}) +
        Chunked(std::string(2 * 1048576, 'x'), 8192));
    chunked.Count(StatusOf(connection.ReadAll(KAnswerBound)), 413);
  });
  hostile.Add([&](const auto&) {
    TRawConnection byHost(port);
    byHost.Send(RawRequest("GET", "/api/state", "rebound.example:" + std::to_string(port)));
    foreignHost.Count(StatusOf(byHost.ReadAll(KAnswerBound)), 421);
    TRawConnection byOrigin(port);
    const std::string body = R"({"command": "click Caps"})";
    byOrigin.Send(RawRequest("POST", "/api/command", host,
                             {"Origin: http://rebound.example", "Content-Type: application/json",
                              "Content-Length: " + std::to_string(body.size())},
                             body));
    foreignOrigin.Count(StatusOf(byOrigin.ReadAll(KAnswerBound)), 403);
  });

  TMs slowest{0};
  for (int i = 0; i < 20; ++i) {
    const auto start = TClock::now();
    auto state = served.Client().Get("/api/state");
    auto click = served.Post("/api/command", R"({"command": "click Caps"})");
    slowest = std::max(slowest, Since(start));
    ASSERT_TRUE(state && click) << "request " << i << " got no answer";
    EXPECT_EQ(state->status, 200);
    EXPECT_EQ(click->status, 200);
    std::this_thread::sleep_for(TMs(100));
  }
  EXPECT_LT(slowest.count(), KAnswerBound.count()) << "a normal request waited for the hostile ones";

  // The trickling clients are still connected.
  stopping = true;
  const TChildProcess::TEnd end = served.Terminate(TMs(10000));
  EXPECT_EQ(end.Status, 0);
  EXPECT_LT(end.Took.count(), KStopBound.count()) << "SIGTERM waited for the clients";
  hostile.StopAndJoin();
  for (const TStatusCounts* counts : {&sized, &chunked, &foreignHost, &foreignOrigin}) {
    EXPECT_GT(counts->Expected.load(), 0) << counts->Client;
    EXPECT_EQ(counts->Other.load(), 0) << counts->Client << " answered " << counts->Last.load();
  }
}

// Browsers ask for every poll and click on a connection they keep. Each answer on it comes at once:
// sent as headers, then body, with Nagle's algorithm the body waited for the client's delayed
// acknowledgement, some 40 ms a request. The Keep-Alive header states what the server keeps.
TEST(WorkbenchServeLoad, ARequestOnAKeptConnectionIsAnsweredAtOnce) {
  TServedWorkbench served(ExamplesDir() + "statusbar.xml");
  httplib::Client client("127.0.0.1", served.Port());
  client.set_keep_alive(true);
  ASSERT_TRUE(client.Get("/api/revision"));
  constexpr int KRequests = 10;
  const auto start = TClock::now();
  for (int i = 0; i < KRequests; ++i) {
    auto answer = client.Get("/api/revision");
    ASSERT_TRUE(answer) << i;
    EXPECT_EQ(answer->get_header_value("Keep-Alive"), "timeout=1, max=100");
  }
  // Delayed acknowledgements hold each for 40 ms at least; on loopback, without them, the ten take
  // a few milliseconds, under the sanitizers some tens.
  EXPECT_LT(Since(start).count(), KRequests * 40 / 2) << "ms for " << KRequests << " requests";
  EXPECT_EQ(served.Stop(), 0);
}

TEST(WorkbenchServeLoad, AClientThatSendsItsRequestByTheByteIsCutOff) {
  TServedWorkbench served(ExamplesDir() + "statusbar.xml");
  TRawConnection connection(served.Port());
  const std::string request = RawRequest("GET", "/api/state", served.HostPort());
  const auto start = TClock::now();
  bool cut = false;
  // A byte every 300 ms would take 40 s for the whole request; the server gives it 5.
  for (size_t i = 0; i < request.size() && !cut && Since(start) < TMs(15000); ++i) {
    cut = !connection.Send(std::string(1, request[i])) || connection.Readable(TMs(300));
  }
  EXPECT_TRUE(cut) << "the connection was still open after " << Since(start).count() << " ms";
  EXPECT_EQ(served.Stop(), 0);
}

TEST(WorkbenchServeLoad, AConnectionOverTheLimitIsRefusedAtOnceAndTheServerRecovers) {
  TServedWorkbench served(ExamplesDir() + "statusbar.xml");
  std::vector<std::unique_ptr<TRawConnection>> held;
  const std::string request = RawRequest("GET", "/api/state", served.HostPort());
  for (int i = 0; i < 16; ++i) {
    held.push_back(std::make_unique<TRawConnection>(served.Port()));
    held.back()->Send(request.substr(0, 1));
  }
  std::this_thread::sleep_for(TMs(500));  // all of them taken up by the server
  TRawConnection over(served.Port());
  over.Send(request);
  const std::string answer = over.ReadAll(KAnswerBound);
  EXPECT_EQ(StatusOf(answer), 503) << answer;
  EXPECT_THAT(BodyOf(answer), HasSubstr("serves 16 connections at once"));
  EXPECT_EQ(HeaderOf(answer, "X-Frame-Options"), "DENY");

  held.clear();
  int status = 0;
  for (const auto start = TClock::now(); status != 200 && Since(start) < KAnswerBound;) {
    auto result = served.Client().Get("/api/state");
    status = result ? result->status : 0;
    if (status != 200) std::this_thread::sleep_for(TMs(50));
  }
  EXPECT_EQ(status, 200);
  EXPECT_EQ(served.Stop(), 0);
}

}  // namespace
