#include "WbListenFailure.h"

#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

namespace {

std::string SystemReason(int error) {
  switch (error) {
    case EADDRINUSE:
      return "the port is in use: another program listens on it";
    case EACCES:
      return "permission denied: ports below 1024 need privileges";
    case EADDRNOTAVAIL:
      return "the address is none of this machine's";
    default:
      return std::strerror(error);
  }
}

// 0 when the address can be bound and listened on, else the error.
int TryListening(const addrinfo& address) {
  const int sock = socket(address.ai_family, address.ai_socktype, address.ai_protocol);
  if (sock < 0) return errno;
  int yes = 1;
  setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
  int error = 0;
  if (bind(sock, address.ai_addr, address.ai_addrlen) != 0 || listen(sock, 1) != 0) error = errno;
  close(sock);
  return error;
}

}  // namespace

std::string WhyNotListening(const std::string& host, int port) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
  addrinfo* found = nullptr;
  const std::string service = std::to_string(port);
  if (const int error = getaddrinfo(host.c_str(), service.c_str(), &hints, &found); error != 0)
    return std::string("the name cannot be resolved: ") + gai_strerror(error);
  const std::unique_ptr<addrinfo, decltype(&freeaddrinfo)> addresses(found, freeaddrinfo);
  // The first address is the one the server tried.
  if (const int error = TryListening(*found); error != 0) return SystemReason(error);
  return "the address could not be bound";
}
