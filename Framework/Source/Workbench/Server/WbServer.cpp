#include "WbServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>

#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <optional>
#include <set>
#include <thread>

#include "WbErrors.h"
#include "WbHtmlRender.h"
#include "WbHttpServer.h"
#include "WbInventory.h"
#include "WbListenFailure.h"
#include "WbRequestChecks.h"
#include "WbScript.h"
#include "WbServerPage.h"

namespace {

constexpr size_t KMaxBodyBytes = size_t{64} * 1024;
// Enough for a browser's parallel connections and a few scripts; the handlers still run one at a
// time. A connection over the limit is answered 503 at once.
constexpr size_t KMaxConnections = 16;
// A request arrives within seconds, however slowly it is sent; a client that stalls ends its
// connection, not the server. Waits look every 100 ms whether the server stops.
const TWbConnectionLimits KLimits{
    .Idle = std::chrono::seconds(1),
    .Request = std::chrono::seconds(5),
    .Answer = std::chrono::seconds(5),
    .RequestBytes = 16 * KMaxBodyBytes,  // chunk framing of the largest body, and the headers
    .RequestsPerConnection = 100,
};

// The operations a person does on a window; the rest of the script (work items, finalize, quit)
// stays with scripts.
const std::vector<std::string> KPageCommands{
    "click",          "dblclick",         "popup",           "click-item",    "click-panel",
    "dblclick-panel", "click-toggle",     "click-close",     "resize-docked", "show",
    "hide",           "activate",         "resize-window",   "drag-toolbar",  "dock",
    "float",          "dblclick-caption", "resize-floating", "drag-start",    "drag-move",
    "drag-end",       "drag-cancel"};

bool IsPageCommand(const std::string& name) {
  return std::find(KPageCommands.begin(), KPageCommands.end(), name) != KPageCommands.end();
}

std::string PageCommandList() {
  std::string list;
  for (size_t i = 0; i < KPageCommands.size(); ++i)
    list += (i == 0 ? "" : i + 1 == KPageCommands.size() ? " and " : ", ") + KPageCommands[i];
  return list;
}

std::string StringMember(const TWbJson& body, const char* name) {
  const auto it = body.find(name);
  if (it == body.end() || !it->is_string())
    throw TWbRequestError{400, std::string("the body needs the text member \"") + name + "\""};
  return it->get<std::string>();
}

// The body as sent, however it is framed; a chunked one that grows past the limit is refused
// without reading the rest.
std::string BoundedBody(const httplib::ContentReader& reader) {
  std::string body;
  bool tooLarge = false;
  const bool read = reader([&](const char* data, size_t size) {
    tooLarge = body.size() + size > KMaxBodyBytes;
    if (!tooLarge) body.append(data, size);
    return !tooLarge;
  });
  if (tooLarge) throw TWbRequestError{413, "the body is larger than " + std::to_string(KMaxBodyBytes) + " bytes"};
  if (!read) throw TWbRequestError{400, "the body cannot be read: it ends early or its chunks are malformed"};
  return body;
}

TWbJson JsonBody(const httplib::Request& request, const httplib::ContentReader& reader) {
  if (!IsJsonMediaType(request.get_header_value("Content-Type")))
    throw TWbRequestError{415, "the body must be JSON (Content-Type: application/json)"};
  TWbJson body = TWbJson::parse(BoundedBody(reader), nullptr, false);
  if (body.is_discarded() || !body.is_object()) throw TWbRequestError{400, "the body is not a JSON object"};
  return body;
}

std::optional<std::string> HeaderOf(const httplib::Request& request, const char* name) {
  if (!request.has_header(name)) return std::nullopt;
  return request.get_header_value(name);
}

std::vector<std::string> HeaderValues(const httplib::Request& request, const char* name) {
  std::vector<std::string> values;
  const auto [first, last] = request.headers.equal_range(name);
  for (auto it = first; it != last; ++it) values.push_back(it->second);
  return values;
}

// A script word that reads back as itself: quoted, with " and \ escaped.
std::string QuotedWord(const std::string& text) {
  std::string word = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') word += '\\';
    word += c;
  }
  return word + "\"";
}

void SendJson(httplib::Response& response, int status, const TWbJson& json) {
  response.status = status;
  response.set_content(JsonText(json), "application/json");
}

}  // namespace

// ---------------------------------------------------------------------------------------------

TWbServeAddress ParseServeAddress(const std::string& text) {
  TWbServeAddress address;
  std::string port = text;
  const size_t colon = text.rfind(':');
  if (colon != std::string::npos) {
    address.Host = text.substr(0, colon);
    port = text.substr(colon + 1);
    if (address.Host.size() > 2 && address.Host.front() == '[' && address.Host.back() == ']')
      address.Host = address.Host.substr(1, address.Host.size() - 2);
    if (address.Host.empty()) throw EWbLoadError("--serve " + text + ": the address before ':' is empty");
  }
  try {
    address.Port = ScriptCountArg(port, "port");
  } catch (const EWbScriptError& e) {
    throw EWbLoadError("--serve " + text + ": " + e.Message());
  }
  if (address.Port > 65535) throw EWbLoadError("--serve " + text + ": port " + port + " is above 65535");
  return address;
}

// Only what is a loopback address as written: a name that merely starts with "127." is a name,
// which any resolver may send anywhere.
bool IsLoopbackHost(const std::string& host) {
  if (host == "localhost") return true;
  in_addr v4{};
  if (inet_pton(AF_INET, host.c_str(), &v4) == 1) return (ntohl(v4.s_addr) >> 24) == 127;
  in6_addr v6{};
  return inet_pton(AF_INET6, host.c_str(), &v6) == 1 && IN6_IS_ADDR_LOOPBACK(&v6);
}

// ---------------------------------------------------------------------------------------------

struct TWbServer::TImpl {
  TWbApplication* App;
  TWbEventLog& Log;
  std::string BaseDir;
  TWbCauseReporter* Causes;
  int Requests = 0;  // the requests that ran a line, each the cause of its events
  int Revision = 0;  // counts every change the page may not have seen: each line carried out, each reload
  TWbHttpServer Server{KLimits, KMaxConnections};
  std::thread Listener;
  std::mutex Turn;          // the application is touched by one handler at a time
  TWbServeAddress Address;  // set before the first request, then only read

  TImpl(TWbApplication& app, TWbEventLog& log, std::string baseDir, TWbCauseReporter* causes)
      : App(&app), Log(log), BaseDir(std::move(baseDir)), Causes(causes) {
    Server.set_payload_max_length(KMaxBodyBytes);
    Server.set_pre_routing_handler([this](const httplib::Request& request, httplib::Response& response) {
      try {
        CheckRequest(request);
        return httplib::Server::HandlerResponse::Unhandled;
      } catch (const TWbRequestError& e) {
        SendJson(response, e.Status, {{"error", e.Message}});
        return httplib::Server::HandlerResponse::Handled;
      }
    });
    Server.Get("/", [](const httplib::Request&, httplib::Response& response) {
      response.set_content(ServerPageHtml(), "text/html; charset=utf-8");
    });
    Server.Get("/api/state", Guarded([this](const httplib::Request&) { return State(); }));
    // Cheap enough to ask twice a second: the page fetches the state when it has changed.
    Server.Get("/api/revision", Guarded([this](const httplib::Request&) { return TWbJson{{"revision", Revision}}; }));
    Server.Post("/api/command",
                GuardedWithBody([this](const TWbJson& body) { return Command(StringMember(body, "command")); }));
    Server.Post("/api/key", GuardedWithBody([this](const TWbJson& body) {
                  return RunLine("set " + QuotedWord(StringMember(body, "key")) + " " +
                                 QuotedWord(StringMember(body, "value")));
                }));
    // Every error answer, ours and httplib's own 404 (or 400 for a request it cannot read), which
    // gets a message. The request may be partly unread, so its connection ends.
    Server.set_error_handler(
        httplib::Server::HandlerWithResponse([](const httplib::Request& request, httplib::Response& response) {
          if (TWbConnection* connection = ThisThreadsConnection()) connection->EndAfterAnswer();
          if (!response.body.empty()) return httplib::Server::HandlerResponse::Unhandled;
          std::string message = "the request cannot be read (HTTP " + std::to_string(response.status) + ")";
          if (response.status == 404) message = request.method + " " + request.path + ": no such page or API";
          if (response.status == 413) message = "the body is larger than " + std::to_string(KMaxBodyBytes) + " bytes";
          response.set_content(JsonText({{"error", message}}), "application/json");
          return httplib::Server::HandlerResponse::Handled;
        }));
  }

  // Before any body is read or any handler runs: sent to this server by name, from its own page
  // if from a page at all, with a body of known and bounded size.
  void CheckRequest(const httplib::Request& request) const {
    const TWbServedAt at{Address.Host, request.local_addr, Address.Port};
    CheckHost(at, HeaderOf(request, "Host"));
    CheckOrigin(at, HeaderOf(request, "Origin"));
    CheckFraming({request.method, HeaderValues(request, "Content-Length"), HeaderValues(request, "Transfer-Encoding")},
                 KMaxBodyBytes);
  }

  // A handler that takes its turn and answers refusals with {"error": message}.
  template <class F>
  httplib::Server::Handler Guarded(F&& answer) {
    return [this, answer](const httplib::Request& request, httplib::Response& response) {
      try {
        const std::lock_guard<std::mutex> turn(Turn);
        SendJson(response, 200, answer(request));
      } catch (const TWbRequestError& e) {
        SendJson(response, e.Status, {{"error", e.Message}});
      }
    };
  }

  // The same for a POST of a JSON object, read (within the limit) before the turn is taken.
  template <class F>
  httplib::Server::HandlerWithContentReader GuardedWithBody(F&& answer) {
    return [this, answer](const httplib::Request& request, httplib::Response& response,
                          const httplib::ContentReader& reader) {
      try {
        const TWbJson body = JsonBody(request, reader);
        const std::lock_guard<std::mutex> turn(Turn);
        SendJson(response, 200, answer(body));
      } catch (const TWbRequestError& e) {
        SendJson(response, e.Status, {{"error", e.Message}});
      }
    };
  }

  TWbJson State() {
    TWbJson window = App->WindowJson();
    TWbJson state;
    state["html"] = RenderWindowFragment(nlohmann::json(window), TWbRenderOptions{BaseDir, true});
    state["window"] = std::move(window);
    state["events"] = Log.Events();
    state["eventsDropped"] = Log.Dropped();
    state["keys"] = KeysJson(*App);
    state["revision"] = Revision;
    return state;
  }

  TWbJson Command(const std::string& line) {
    std::vector<std::string> words;
    try {
      words = SplitScriptLine(line);
    } catch (const EWbScriptError& e) {
      throw TWbRequestError{400, e.Message()};
    }
    if (words.empty()) throw TWbRequestError{400, "the command is empty"};
    if (!IsPageCommand(words[0]))
      throw TWbRequestError{403, "the page cannot run '" + words[0] + "'; it runs " + PageCommandList()};
    return RunLine(line);
  }

  // Runs a line of the script's command table. The runner's refusals (an unknown view part or
  // key, a value of the wrong form) come before any change and are the request's fault; what
  // view parts raise while carrying it out is an event like in a script. The answer holds the
  // request's number, which its events carry as their cause, and the events the line caused.
  TWbJson RunLine(const std::string& line) {
    std::vector<TWbJson> events;
    const TWbEventLog::TCapture capture(Log, events);
    const int request = ++Requests;
    const TWbCauseReporter::TScope cause(Causes, "request " + std::to_string(request));
    TWbScriptContext context{*App, Causes ? static_cast<TWbReporter&>(*Causes) : Log};
    try {
      RunScriptLine(context, line);
    } catch (const EWbScriptError& e) {
      throw TWbRequestError{400, e.Message()};
    } catch (const EDataKeyError& e) {
      throw TWbRequestError{400, e.Message()};
    } catch (const EConvertError& e) {
      throw TWbRequestError{400, e.Message()};
    } catch (...) {
      TWbError error = CurrentError();
      if (!error.ViewPart) error.ViewPart = ScriptLineViewPart(*App, line);
      context.Out.Error(error);
    }
    ++Revision;  // a refused line changed nothing
    return {{"request", request}, {"events", std::move(events)}};
  }
};

TWbServer::TWbServer(TWbApplication& app, TWbEventLog& log, std::string baseDir, TWbCauseReporter* causes)
    : FImpl(std::make_unique<TImpl>(app, log, std::move(baseDir), causes)) {}

TWbServer::~TWbServer() { Stop(); }

std::string TWbServer::Start(const TWbServeAddress& address) {
  TWbHttpServer& server = FImpl->Server;
  // httplib's default adds SO_REUSEPORT, which lets a second runner share a port that one
  // already serves and take half of its requests; a taken port must be refused instead.
  server.set_socket_options([](socket_t sock) {
    int yes = 1;
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
  });
  int port = address.Port;
  if (port == 0)
    port = server.bind_to_any_port(address.Host);
  else if (!server.bind_to_port(address.Host, port))
    port = -1;
  if (port < 0)
    throw EWbLoadError("--serve: cannot listen on " + Authority(address.Host, address.Port) + ": " +
                       WhyNotListening(address.Host, address.Port));
  FImpl->Address = {address.Host, port};
  FImpl->Listener = std::thread([&server] { server.listen_after_bind(); });
  // Stop does nothing to a server that has not started listening yet.
  while (!server.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return "http://" + Authority(address.Host, port) + "/";
}

void TWbServer::Stop() {
  if (!FImpl->Listener.joinable()) return;
  FImpl->Server.StopNow();
  FImpl->Listener.join();
}

void TWbServer::Replace(const std::function<TWbApplication&()>& change) {
  const std::lock_guard<std::mutex> turn(FImpl->Turn);
  FImpl->App = &change();
  ++FImpl->Revision;
}
