#include "WbServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>

#include <httplib.h>

#include <chrono>
#include <mutex>
#include <set>
#include <thread>

#include "WbErrors.h"
#include "WbHtmlRender.h"
#include "WbScript.h"
#include "WbServerPage.h"

namespace {

// Enough threads that a browser's idle keep-alive connections do not hold up the next request;
// the handlers still run one at a time.
constexpr size_t KServerThreads = 4;
constexpr size_t KMaxBodyBytes = size_t{64} * 1024;
constexpr time_t KKeepAliveSeconds = 1;  // also bounds how long Stop waits for an idle connection

// The operations a person does on a window; the rest of the script (work items, finalize, quit)
// stays with scripts.
const std::set<std::string> KPageCommands{"click",        "dblclick", "click-item", "click-panel", "dblclick-panel",
                                          "click-toggle", "show",     "hide",       "activate"};

// A request that is refused before anything changes.
struct TWbRequestError {
  int Status;
  std::string Message;
};

const char* DataTypeName(TNUVDataType type) {
  switch (type) {
    case dtString:
      return "string";
    case dtInteger:
      return "integer";
    case dtBoolean:
      return "boolean";
  }
  return "unknown";
}

// Every data key once, from the first work item that has it: the one `set` writes to.
TWbJson KeysJson(const TWbApplication& app) {
  TWbJson keys = TWbJson::array();
  std::set<std::string> seen;
  for (const auto& context : app.DataContexts())
    for (const auto& key : context->Keys()) {
      if (!seen.insert(key).second) continue;
      keys.push_back({{"key", key},
                      {"type", DataTypeName(context->FindDelegate(key)->GetDataType())},
                      {"value", ValueJson(context->ReadValue(key))}});
    }
  return keys;
}

std::string StringMember(const TWbJson& body, const char* name) {
  const auto it = body.find(name);
  if (it == body.end() || !it->is_string())
    throw TWbRequestError{400, std::string("the body needs the text member \"") + name + "\""};
  return it->get<std::string>();
}

TWbJson JsonBody(const httplib::Request& request) {
  if (request.get_header_value("Content-Type").rfind("application/json", 0) != 0)
    throw TWbRequestError{415, "the body must be JSON (Content-Type: application/json)"};
  TWbJson body = TWbJson::parse(request.body, nullptr, false);
  if (body.is_discarded() || !body.is_object()) throw TWbRequestError{400, "the body is not a JSON object"};
  return body;
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
  TWbApplication& App;
  TWbEventLog& Log;
  std::string BaseDir;
  httplib::Server Server;
  std::thread Listener;
  std::mutex Turn;  // the application is touched by one handler at a time

  TImpl(TWbApplication& app, TWbEventLog& log, std::string baseDir) : App(app), Log(log), BaseDir(std::move(baseDir)) {
    Server.new_task_queue = [] { return new httplib::ThreadPool(KServerThreads); };
    Server.set_payload_max_length(KMaxBodyBytes);
    Server.set_keep_alive_timeout(KKeepAliveSeconds);
    Server.Get("/", [](const httplib::Request&, httplib::Response& response) {
      response.set_content(ServerPageHtml(), "text/html; charset=utf-8");
    });
    Server.Get("/api/state", Guarded([this](const httplib::Request&) { return State(); }));
    Server.Post("/api/command", Guarded([this](const httplib::Request& request) {
                  return Command(StringMember(JsonBody(request), "command"));
                }));
    Server.Post("/api/key", Guarded([this](const httplib::Request& request) {
                  const TWbJson body = JsonBody(request);
                  return RunLine("set " + QuotedWord(StringMember(body, "key")) + " " +
                                 QuotedWord(StringMember(body, "value")));
                }));
    // Everything else: httplib's own 404 (or 400 for a request it cannot read), with a message.
    Server.set_error_handler(
        httplib::Server::HandlerWithResponse([](const httplib::Request& request, httplib::Response& response) {
          if (!response.body.empty()) return httplib::Server::HandlerResponse::Unhandled;
          std::string message = "the request cannot be read (HTTP " + std::to_string(response.status) + ")";
          if (response.status == 404) message = request.method + " " + request.path + ": no such page or API";
          if (response.status == 413) message = "the body is larger than " + std::to_string(KMaxBodyBytes) + " bytes";
          response.set_content(JsonText({{"error", message}}), "application/json");
          return httplib::Server::HandlerResponse::Handled;
        }));
  }

  // A handler that takes its turn and answers refusals with {"error": message}.
  template <class F>
  httplib::Server::Handler Guarded(F&& answer) {
    return [this, answer](const httplib::Request& request, httplib::Response& response) {
      const std::lock_guard<std::mutex> turn(Turn);
      try {
        SendJson(response, 200, answer(request));
      } catch (const TWbRequestError& e) {
        SendJson(response, e.Status, {{"error", e.Message}});
      }
    };
  }

  TWbJson State() {
    TWbJson window = App.WindowJson();
    TWbJson state;
    state["html"] = RenderWindowFragment(nlohmann::json(window), TWbRenderOptions{BaseDir, true});
    state["window"] = std::move(window);
    state["events"] = Log.Events();
    state["keys"] = KeysJson(App);
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
    if (!KPageCommands.contains(words[0]))
      throw TWbRequestError{403, "the page cannot run '" + words[0] +
                                     "'; it runs click, dblclick, click-item, click-panel, dblclick-panel, "
                                     "click-toggle, show, hide and activate"};
    return RunLine(line);
  }

  // Runs a line of the script's command table. The runner's refusals (an unknown view part or
  // key, a value of the wrong form) come before any change and are the request's fault; what
  // view parts raise while carrying it out is an event like in a script. The answer holds the
  // events the line caused.
  TWbJson RunLine(const std::string& line) {
    const size_t before = Log.Events().size();
    TWbScriptContext context{App, Log};
    try {
      RunScriptLine(context, line);
    } catch (const EWbScriptError& e) {
      throw TWbRequestError{400, e.Message()};
    } catch (const EDataKeyError& e) {
      throw TWbRequestError{400, e.Message()};
    } catch (const EConvertError& e) {
      throw TWbRequestError{400, e.Message()};
    } catch (...) {
      Log.Error(CurrentError());
    }
    TWbJson caused = TWbJson::array();
    for (size_t i = before; i < Log.Events().size(); ++i) caused.push_back(Log.Events()[i]);
    return {{"events", caused}};
  }
};

TWbServer::TWbServer(TWbApplication& app, TWbEventLog& log, std::string baseDir)
    : FImpl(std::make_unique<TImpl>(app, log, std::move(baseDir))) {}

TWbServer::~TWbServer() { Stop(); }

std::string TWbServer::Start(const TWbServeAddress& address) {
  httplib::Server& server = FImpl->Server;
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
  if (port < 0) throw EWbLoadError("--serve: cannot listen on " + address.Host + ":" + std::to_string(address.Port));
  FImpl->Listener = std::thread([&server] { server.listen_after_bind(); });
  // Stop does nothing to a server that has not started listening yet.
  while (!server.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  const bool v6 = address.Host.find(':') != std::string::npos;
  return "http://" + (v6 ? "[" + address.Host + "]" : address.Host) + ":" + std::to_string(port) + "/";
}

void TWbServer::Stop() {
  if (!FImpl->Listener.joinable()) return;
  FImpl->Server.stop();
  FImpl->Listener.join();
}
