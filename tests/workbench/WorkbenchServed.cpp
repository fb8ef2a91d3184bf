#include "WorkbenchServed.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <thread>
#include <utility>

extern char** environ;

using json = nlohmann::json;

namespace {

constexpr TMs KStartTimeout{60000};  // loading under the sanitizers is slow
constexpr TMs KStopGrace{10000};

using TClock = std::chrono::steady_clock;

TMs Since(TClock::time_point start) { return std::chrono::duration_cast<TMs>(TClock::now() - start); }

int StatusFrom(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status); }

}  // namespace

// ---------------------------------------------------------------------------------------------

TChildProcess::TChildProcess(std::vector<std::string> args) {
  int fds[2];
  if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const int spawned = posix_spawn(&FPid, args[0].c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  FOut = fds[0];
  if (spawned != 0) {
    FPid = -1;
    close(FOut);
    throw std::runtime_error("cannot start " + args[0]);
  }
}

TChildProcess::~TChildProcess() {
  if (FPid > 0) Terminate(KStopGrace);
  close(FOut);
}

std::string TChildProcess::ReadLine(TMs timeout) {
  std::string line;
  const auto deadline = TClock::now() + timeout;
  char c = 0;
  while (TClock::now() < deadline) {
    pollfd fd{FOut, POLLIN, 0};
    if (poll(&fd, 1, 100) <= 0) continue;
    if (read(FOut, &c, 1) != 1) break;
    if (c == '\n') return line;
    line += c;
  }
  throw std::runtime_error("the child printed no line: '" + line + "'");
}

TChildProcess::TEnd TChildProcess::Terminate(TMs grace) {
  if (FPid <= 0) throw std::logic_error("the child has ended already");
  const auto start = TClock::now();
  kill(FPid, SIGTERM);
  int status = 0;
  for (bool killed = false;;) {
    const pid_t done = waitpid(FPid, &status, WNOHANG);
    if (done == FPid || (done < 0 && errno != EINTR)) break;
    if (!killed && Since(start) > grace) {
      kill(FPid, SIGKILL);
      killed = true;
    }
    std::this_thread::sleep_for(TMs(10));
  }
  FPid = -1;
  return {StatusFrom(status), Since(start)};
}

// ---------------------------------------------------------------------------------------------

namespace {

std::vector<std::string> ServeCommand(const std::string& appFile, const std::vector<std::string>& options) {
  std::vector<std::string> command{std::string(NUV_BIN_DIR) + "/nuv-workbench", "--serve", "127.0.0.1:0"};
  command.insert(command.end(), options.begin(), options.end());
  command.push_back(appFile);
  return command;
}

// A script's events come first; an error among them means that what the test drives is not what
// the file describes.
json ServingEvent(TChildProcess& child, bool errorsExpected) {
  const auto deadline = TClock::now() + KStartTimeout;
  for (;;) {
    const std::string line = child.ReadLine(std::chrono::duration_cast<TMs>(deadline - TClock::now()));
    const json event = json::parse(line, nullptr, false);
    if (!event.is_object() || (event.value("event", "") == "error" && !errorsExpected))
      throw std::runtime_error("the server printed this before it served: " + line);
    if (event.value("event", "") == "serving") return event;
  }
}

}  // namespace

TServedWorkbench::TServedWorkbench(const std::string& appFile, const std::vector<std::string>& options,
                                   bool errorsExpected)
    : TServedWorkbench(TServeCommand{ServeCommand(appFile, options), errorsExpected}) {}

TServedWorkbench::TServedWorkbench(TServeCommand command) : FChild(std::move(command.Args)) {
  const json serving = ServingEvent(FChild, command.ErrorsExpected);
  FUrl = serving["url"];
  FPort = std::stoi(FUrl.substr(FUrl.rfind(':') + 1));
  FClient = std::make_unique<httplib::Client>("127.0.0.1", FPort);
  FClient->set_connection_timeout(5);
  FClient->set_read_timeout(30);
}

int TServedWorkbench::Stop() { return Terminate(KStopGrace).Status; }

TChildProcess::TEnd TServedWorkbench::Terminate(TMs grace) {
  FClient.reset();
  return FChild.Terminate(grace);
}

httplib::Result TServedWorkbench::Post(const std::string& path, const std::string& body) {
  return FClient->Post(path.c_str(), body, "application/json");
}

json TServedWorkbench::State() {
  auto result = FClient->Get("/api/state");
  if (!result || result->status != 200) throw std::runtime_error("GET /api/state failed");
  return json::parse(result->body);
}

// ---------------------------------------------------------------------------------------------

TRawConnection::TRawConnection(int port) {
  FSocket = socket(AF_INET, SOCK_STREAM, 0);
  if (FSocket < 0) throw std::runtime_error("socket failed");
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(FSocket, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
    close(FSocket);
    throw std::runtime_error("cannot connect to port " + std::to_string(port));
  }
}

TRawConnection::~TRawConnection() { close(FSocket); }

bool TRawConnection::Readable(TMs timeout) const {
  pollfd fd{FSocket, POLLIN, 0};
  return poll(&fd, 1, static_cast<int>(timeout.count())) > 0;
}

bool TRawConnection::Send(const std::string& bytes) {
  return send(FSocket, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size());
}

bool TRawConnection::SendUnlessAnswered(const std::string& bytes) {
  for (size_t offset = 0; offset < bytes.size();) {
    pollfd fd{FSocket, POLLIN | POLLOUT, 0};
    if (poll(&fd, 1, 5000) <= 0 || (fd.revents & (POLLIN | POLLERR | POLLHUP))) return false;
    const ssize_t sent = send(FSocket, bytes.data() + offset, std::min<size_t>(bytes.size() - offset, 65536),
                              MSG_NOSIGNAL | MSG_DONTWAIT);
    if (sent < 0 && errno != EAGAIN && errno != EINTR) return false;
    if (sent > 0) offset += static_cast<size_t>(sent);
  }
  return true;
}

std::string TRawConnection::ReadAll(TMs timeout) {
  std::string text;
  const auto deadline = TClock::now() + timeout;
  char buffer[4096];
  while (TClock::now() < deadline) {
    if (!Readable(TMs(50))) continue;
    const ssize_t got = recv(FSocket, buffer, sizeof(buffer), 0);
    if (got <= 0) break;
    text.append(buffer, static_cast<size_t>(got));
  }
  return text;
}

// ---------------------------------------------------------------------------------------------

int StatusOf(const std::string& answer) {
  if (answer.rfind("HTTP/1.1 ", 0) != 0 || answer.size() < 12) return 0;
  return std::stoi(answer.substr(9, 3));
}

std::string HeaderOf(const std::string& answer, const std::string& name) {
  const std::string key = "\r\n" + name + ": ";
  const size_t at = answer.find(key);
  if (at == std::string::npos || at > answer.find("\r\n\r\n")) return "";
  const size_t start = at + key.size();
  return answer.substr(start, answer.find("\r\n", start) - start);
}

std::string BodyOf(const std::string& answer) {
  const size_t end = answer.find("\r\n\r\n");
  return end == std::string::npos ? "" : answer.substr(end + 4);
}

std::string RawRequest(const std::string& method, const std::string& path, const std::string& host,
                       const std::vector<std::string>& headers, const std::string& body) {
  std::string request = method + " " + path + " HTTP/1.1\r\n";
  if (!host.empty()) request += "Host: " + host + "\r\n";
  for (const auto& header : headers) request += header + "\r\n";
  return request + "Connection: close\r\n\r\n" + body;
}

std::string Chunked(const std::string& body, size_t chunkSize) {
  std::string text;
  char size[32];
  for (size_t offset = 0; offset < body.size(); offset += chunkSize) {
    const std::string chunk = body.substr(offset, chunkSize);
    snprintf(size, sizeof(size), "%zx\r\n", chunk.size());
    text += size + chunk + "\r\n";
  }
  return text + "0\r\n\r\n";
}

const std::string& ExamplesDir() {
  static const std::string dir = std::string(NUV_SOURCE_DIR) + "/examples/";
  return dir;
}
