// --serve: the page and its API over a running workbench, driven on loopback with a bounded
// number of requests per test.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "WorkbenchRunner.h"
#include "WorkbenchServed.h"

using ::testing::HasSubstr;
using json = nlohmann::json;

namespace {

const std::string Examples = ExamplesDir();

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
  EXPECT_EQ(caused.back(), (json{{"event", "click"}, {"viewPart", "Caps"}, {"cause", "request 1"}}));

  auto panel = served.Post("/api/command", R"({"command": "click-panel Status 0"})");
  ASSERT_TRUE(panel);
  EXPECT_EQ(panel->status, 200);
  EXPECT_EQ(json::parse(panel->body)["events"][0]["topic"], "Topic://ViewPart/Status/OnClick");

  const json state = served.State();
  EXPECT_EQ(KeyValue(state, "Caps_Checked"), true);
  const json& events = state["events"];
  EXPECT_EQ(events.back()["topic"], "Topic://ViewPart/Status/OnClick");
  EXPECT_EQ(std::count(events.begin(), events.end(), caused.back()), 1);
}

// As in a script: loading errors stand at their declaration; a request has no place in a file, but
// names the view part.
TEST(WorkbenchServe, ErrorEventsKeepTheirPlaceAndViewPart) {
  const std::string app = WorkbenchDataDir() + "/failed-init.xml";
  TServedWorkbench served(app, {}, true);
  const json events = served.State()["events"];
  ASSERT_GE(events.size(), 2u);
  EXPECT_EQ(events[0]["class"], "EConfigurationError");
  EXPECT_EQ((json{events[0]["file"], events[0]["line"], events[0]["viewPart"]}), (json{app, 3, "Side"}));

  auto hide = served.Post("/api/command", R"({"command": "hide Side Title"})");
  ASSERT_TRUE(hide);
  EXPECT_EQ(hide->status, 200) << hide->body;
  const json caused = json::parse(hide->body)["events"];
  ASSERT_EQ(caused.size(), 1u) << caused;
  EXPECT_EQ(caused[0]["event"], "error");
  EXPECT_EQ((json{caused[0]["file"], caused[0]["line"], caused[0]["viewPart"]}), (json{nullptr, nullptr, "Side"}));
  EXPECT_EQ(served.Stop(), 1);  // the file's errors at loading; the request's is the page's
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
  // Any other method finds nothing either, also one httplib does not know.
  for (const char* method : {"PUT", "PATCH", "DELETE", "OPTIONS", "TRACE", "FOO"}) {
    TRawConnection connection(served.Port());
    ASSERT_TRUE(connection.Send(RawRequest(method, "/api/command", served.HostPort())));
    const std::string answer = connection.ReadAll(TMs(3000));
    EXPECT_EQ(StatusOf(answer), 404) << method << ": " << answer;
    EXPECT_EQ(BodyOf(answer), "{\"error\":\"" + std::string(method) + " /api/command: no such page or API\"}");
  }
  EXPECT_EQ(served.Stop(), 0);
}

// Two Host headers could name two servers: which one would be meant is not for this one to guess.
TEST(WorkbenchServe, ARequestWithTwoHostHeadersIsRefused) {
  TServedWorkbench served(Examples + "statusbar.xml");
  TRawConnection connection(served.Port());
  ASSERT_TRUE(connection.Send(RawRequest("GET", "/api/revision", served.HostPort(), {"Host: localhost"})));
  const std::string answer = connection.ReadAll(TMs(3000));
  EXPECT_EQ(StatusOf(answer), 400) << answer;
  EXPECT_EQ(BodyOf(answer), R"({"error":"Host is given more than once"})");
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
  EXPECT_EQ(second.Err,
            "--serve: cannot listen on " + address + ": the port is in use: another program listens on it\n");
  EXPECT_EQ(first.Stop(), 0);
}

// A raw request on a connection of its own; the answer as it came, within the time.
std::string Exchange(const TServedWorkbench& served, const std::string& request, TMs timeout = TMs(3000)) {
  TRawConnection connection(served.Port());
  connection.SendUnlessAnswered(request);
  return connection.ReadAll(timeout);
}

std::string RawErrorOf(const std::string& answer) {
  const json body = json::parse(BodyOf(answer), nullptr, false);
  return body.is_object() ? body.value("error", std::string()) : "(no JSON body: " + answer + ")";
}

TEST(WorkbenchServe, AChunkedBodyIsHeldToTheSameLimitAsAnyOther) {
  TServedWorkbench served(Examples + "statusbar.xml");
  const std::vector<std::string> chunked{"Content-Type: application/json", "Transfer-Encoding: chunked"};
  const std::string small = Exchange(served, RawRequest("POST", "/api/command", served.HostPort(), chunked,
                                                        Chunked(R"({"command": "click Caps"})", 5)));
  EXPECT_EQ(StatusOf(small), 200) << small;

  const std::string caption = std::string(5 * 1024 * 1024, 'x');
  const std::string large =
      Exchange(served, RawRequest("POST", "/api/key", served.HostPort(), chunked,
                                  Chunked(R"({"key": "Status_Msg_Caption", "value": ")" + caption + R"("})", 16384)));
  EXPECT_EQ(StatusOf(large), 413) << large.substr(0, 200);
  EXPECT_THAT(RawErrorOf(large), HasSubstr("larger than 65536 bytes"));
  EXPECT_EQ(KeyValue(served.State(), "Status_Msg_Caption"), "Welcome to Demo");
  EXPECT_EQ(KeyValue(served.State(), "Caps_Checked"), true);
}

TEST(WorkbenchServe, ABodyWhoseSizeIsNotPlainIsRefusedAtOnce) {
  TServedWorkbench served(Examples + "statusbar.xml");
  const std::string json = "Content-Type: application/json";
  struct TCase {
    std::vector<std::string> Headers;
    int Status;
    std::string Message;
  };
  const std::vector<TCase> cases{
      {{json, "Content-Length: -5"}, 400, "Content-Length '-5' is no number of bytes"},
      {{json, "Content-Length: 0x10"}, 400, "Content-Length '0x10' is no number of bytes"},
      {{json, "Content-Length: 99999999999999999999999"}, 413, "larger than 65536 bytes"},
      {{json, "Content-Length: 3", "Content-Length: 3"}, 400, "given more than once"},
      {{json, "Content-Length: 3", "Transfer-Encoding: chunked"}, 400, "not both"},
      {{json, "Transfer-Encoding: gzip, chunked"}, 501, "'gzip, chunked' is not supported"},
      {{json}, 411, "a POST needs Content-Length or a chunked body"},
  };
  for (const auto& c : cases) {
    // Nothing follows the headers: an answer that waits for a body never comes in time.
    const std::string answer = Exchange(served, RawRequest("POST", "/api/command", served.HostPort(), c.Headers));
    EXPECT_EQ(StatusOf(answer), c.Status) << c.Headers.back() << "\n" << answer;
    EXPECT_THAT(RawErrorOf(answer), HasSubstr(c.Message)) << c.Headers.back();
  }
  const std::string badChunk = Exchange(served, RawRequest("POST", "/api/command", served.HostPort(),
                                                           {json, "Transfer-Encoding: chunked"}, "zz\r\n{}\r\n"));
  EXPECT_EQ(StatusOf(badChunk), 400);
  EXPECT_THAT(RawErrorOf(badChunk), HasSubstr("the body cannot be read"));
  const std::string garbage = Exchange(served, "BLAH\r\n\r\n");
  EXPECT_EQ(StatusOf(garbage), 400);
  EXPECT_THAT(RawErrorOf(garbage), HasSubstr("the request cannot be read (HTTP 400)"));
  const std::string get =
      Exchange(served, RawRequest("GET", "/api/state", served.HostPort(), {"Content-Length: 4"}, "abcd"));
  EXPECT_EQ(StatusOf(get), 400);
  EXPECT_THAT(RawErrorOf(get), HasSubstr("a GET carries no body"));
}

TEST(WorkbenchServe, TheContentTypeIsJsonWhateverItsCaseAndParameters) {
  TServedWorkbench served(Examples + "statusbar.xml");
  const std::string body = R"({"command": "click Caps"})";
  for (const char* type : {"Application/JSON", "application/json; charset=utf-8", "application/json ;charset=UTF-8"}) {
    auto result = served.Client().Post("/api/command", body, type);
    ASSERT_TRUE(result) << type;
    EXPECT_EQ(result->status, 200) << type << ": " << result->body;
  }
  for (const char* type : {"application/jsonx", "application/json-patch+json", "text/plain", "application"}) {
    auto result = served.Client().Post("/api/command", body, type);
    ASSERT_TRUE(result) << type;
    EXPECT_EQ(result->status, 415) << type;
  }
  EXPECT_EQ(KeyValue(served.State(), "Caps_Checked"), true);  // three clicks from unchecked
}

TEST(WorkbenchServe, OnlyRequestsToThisServerByNameAndFromItsOwnPageAreAnswered) {
  TServedWorkbench served(Examples + "statusbar.xml");
  const std::string port = std::to_string(served.Port());
  for (const std::string& host :
       std::vector<std::string>{served.HostPort(), "localhost:" + port, "LocalHost:" + port, "localhost"}) {
    const std::string answer = Exchange(served, RawRequest("GET", "/api/state", host));
    EXPECT_EQ(StatusOf(answer), 200) << host;
  }
  for (const std::string& host : std::vector<std::string>{"evil.example", "evil.example:" + port, "127.0.0.1",
                                                          "127.0.0.2:" + port, "localhost:1" + port}) {
    const std::string answer = Exchange(served, RawRequest("GET", "/", host));
    EXPECT_EQ(StatusOf(answer), 421) << host;
    EXPECT_THAT(RawErrorOf(answer), HasSubstr("Host '" + host + "' is not this server; it is " + served.HostPort()));
  }
  const std::string noHost = Exchange(served, RawRequest("GET", "/", ""));
  EXPECT_EQ(StatusOf(noHost), 421);
  EXPECT_THAT(RawErrorOf(noHost), HasSubstr("names no Host"));

  const std::string body = R"({"command": "click Caps"})";
  const auto post = [&](const std::string& origin) {
    return Exchange(served, RawRequest("POST", "/api/command", served.HostPort(),
                                       {"Origin: " + origin, "Content-Type: application/json",
                                        "Content-Length: " + std::to_string(body.size())},
                                       body));
  };
  for (const std::string& origin :
       std::vector<std::string>{"http://evil.example", "http://evil.example:" + port, "null",
                                "https://" + served.HostPort(), "http://" + served.HostPort() + ".evil.example"}) {
    const std::string answer = post(origin);
    EXPECT_EQ(StatusOf(answer), 403) << origin;
    EXPECT_THAT(RawErrorOf(answer), HasSubstr("Origin '" + origin + "' is not this server's page")) << origin;
  }
  EXPECT_EQ(KeyValue(served.State(), "Caps_Checked"), false);
  EXPECT_EQ(StatusOf(post("http://" + served.HostPort())), 200);
  EXPECT_EQ(KeyValue(served.State(), "Caps_Checked"), true);
  EXPECT_EQ(StatusOf(post("http://localhost:" + port)), 200);
  EXPECT_EQ(KeyValue(served.State(), "Caps_Checked"), false);
}

TEST(WorkbenchServe, NoAnswerMayBeFramedByAnotherPage) {
  TServedWorkbench served(Examples + "statusbar.xml");
  for (const std::string& request :
       {RawRequest("GET", "/", served.HostPort()), RawRequest("GET", "/api/state", served.HostPort()),
        RawRequest("GET", "/nothing", served.HostPort()), RawRequest("GET", "/", "evil.example"),
        RawRequest("POST", "/api/command", served.HostPort(), {"Content-Length: -1"}), std::string("BLAH\r\n\r\n")}) {
    const std::string answer = Exchange(served, request);
    ASSERT_NE(StatusOf(answer), 0) << request;
    EXPECT_EQ(HeaderOf(answer, "Content-Security-Policy"), "frame-ancestors 'none'") << request;
    EXPECT_EQ(HeaderOf(answer, "X-Frame-Options"), "DENY") << request;
  }
}

TEST(WorkbenchServe, TheStateHoldsTheLast1000EventsAndHowManyCameBefore) {
  const std::string script =
      (std::filesystem::temp_directory_path() / ("nuv-serve-clicks-" + std::to_string(getpid()) + ".script")).string();
  {
    std::ofstream file(script);
    file << "run Main\n";
    for (int i = 0; i < 600; ++i) file << "click Caps\n";
  }
  const struct TRemove {
    std::string Path;
    ~TRemove() { std::filesystem::remove(Path); }
  } remove{script};
  TServedWorkbench served(Examples + "statusbar.xml", {"--script", script});
  const json state = served.State();
  ASSERT_EQ(state["events"].size(), 1000u);
  EXPECT_GT(state["eventsDropped"].get<int>(), 200);  // each click reports its change and itself
  EXPECT_EQ(state["events"].back()["event"], "serving");
  EXPECT_EQ(served.Stop(), 0);
}

}  // namespace
