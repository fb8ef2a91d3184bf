#include "WbConnection.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

// How often a wait looks whether the server stops.
constexpr std::chrono::milliseconds KStopCheck{100};

thread_local TWbConnection* TheConnection = nullptr;

using TNameFunction = int (*)(int, sockaddr*, socklen_t*);

void AddressOf(socket_t socket, TNameFunction name, std::string& ip, int& port) {
  sockaddr_storage address{};
  socklen_t size = sizeof(address);
  ip.clear();
  port = -1;
  if (name(socket, reinterpret_cast<sockaddr*>(&address), &size) != 0) return;
  char text[INET6_ADDRSTRLEN] = {};
  if (address.ss_family == AF_INET) {
    const auto* v4 = reinterpret_cast<const sockaddr_in*>(&address);
    inet_ntop(AF_INET, &v4->sin_addr, text, sizeof(text));
    port = ntohs(v4->sin_port);
  } else if (address.ss_family == AF_INET6) {
    const auto* v6 = reinterpret_cast<const sockaddr_in6*>(&address);
    inet_ntop(AF_INET6, &v6->sin6_addr, text, sizeof(text));
    port = ntohs(v6->sin6_port);
  }
  ip = text;
}

}  // namespace

TWbConnection::TWbConnection(socket_t socket, const TWbConnectionLimits& limits, const std::atomic<bool>& stopping)
    : FSocket(socket), FLimits(limits), FStopping(stopping) {}

bool TWbConnection::WaitForRequest() {
  return FBufferStart < FBufferEnd || WaitFor(POLLIN, TClock::now() + FLimits.Idle);
}

void TWbConnection::BeginRequest() {
  FRequestDeadline = TClock::now() + FLimits.Request;
  FAnswerDeadline = {};
  FRequestBytes = 0;
}

void TWbConnection::DrainBeforeClose(std::chrono::milliseconds linger) {
  shutdown(FSocket, SHUT_WR);
  const auto deadline = TClock::now() + linger;
  while (WaitFor(POLLIN, deadline))
    if (recv(FSocket, FBuffer.data(), FBuffer.size(), MSG_DONTWAIT) == 0) return;
}

bool TWbConnection::WaitFor(short events, TClock::time_point deadline) const {
  for (;;) {
    if (FStopping.load()) return false;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - TClock::now());
    if (left.count() <= 0) return false;
    pollfd fd{FSocket, events, 0};
    const int ready = poll(&fd, 1, static_cast<int>(std::min(left, KStopCheck).count()));
    if (ready > 0) return true;  // also on an error or hang-up, which the next call reports
    if (ready < 0 && errno != EINTR) return false;
  }
}

TWbConnection::TClock::time_point TWbConnection::AnswerDeadline() const {
  if (FAnswerDeadline == TClock::time_point{}) FAnswerDeadline = TClock::now() + FLimits.Answer;
  return FAnswerDeadline;
}

bool TWbConnection::is_readable() const { return FBufferStart < FBufferEnd || WaitFor(POLLIN, FRequestDeadline); }

bool TWbConnection::is_writable() const { return WaitFor(POLLOUT, AnswerDeadline()); }

ssize_t TWbConnection::read(char* ptr, size_t size) {
  if (FRequestBytes >= FLimits.RequestBytes) return -1;
  while (FBufferStart == FBufferEnd) {
    if (!WaitFor(POLLIN, FRequestDeadline)) return -1;
    const ssize_t received = recv(FSocket, FBuffer.data(), FBuffer.size(), MSG_DONTWAIT);
    if (received == 0) return 0;
    if (received < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) return -1;
    if (received > 0) {
      FBufferStart = 0;
      FBufferEnd = static_cast<size_t>(received);
    }
  }
  const size_t count = std::min({size, FBufferEnd - FBufferStart, FLimits.RequestBytes - FRequestBytes});
  std::memcpy(ptr, FBuffer.data() + FBufferStart, count);
  FBufferStart += count;
  FRequestBytes += count;
  return static_cast<ssize_t>(count);
}

ssize_t TWbConnection::write(const char* ptr, size_t size) {
  for (;;) {
    if (!WaitFor(POLLOUT, AnswerDeadline())) return -1;
    const ssize_t sent = send(FSocket, ptr, size, MSG_DONTWAIT | MSG_NOSIGNAL);
    if (sent >= 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) return sent;
  }
}

void TWbConnection::get_remote_ip_and_port(std::string& ip, int& port) const {
  AddressOf(FSocket, getpeername, ip, port);
}

void TWbConnection::get_local_ip_and_port(std::string& ip, int& port) const {
  AddressOf(FSocket, getsockname, ip, port);
}

TWbConnection* ThisThreadsConnection() { return TheConnection; }

TWbServedConnection::TWbServedConnection(TWbConnection& connection) { TheConnection = &connection; }

TWbServedConnection::~TWbServedConnection() { TheConnection = nullptr; }
