#include "WbHttpServer.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include "WbServerHeaders.h"

namespace {

// Long enough for a client that is still sending a refused body to read the answer.
constexpr std::chrono::milliseconds KLinger{500};

// Counts a connection for as long as it is handled.
class TOpenConnection {
 public:
  explicit TOpenConnection(std::atomic<size_t>& open) : FOpen(open), FCount(++open) {}
  ~TOpenConnection() { --FOpen; }
  TOpenConnection(const TOpenConnection&) = delete;
  TOpenConnection& operator=(const TOpenConnection&) = delete;
  size_t Count() const { return FCount; }

 private:
  std::atomic<size_t>& FOpen;
  size_t FCount;
};

// Best effort and without waiting: the answer fits any socket buffer, and a client that sent a
// request meanwhile gets it read so that closing does not reset the connection first.
void Refuse(socket_t sock, size_t maxConnections) {
  const std::string answer = TooManyConnectionsAnswer(maxConnections);
  send(sock, answer.data(), answer.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
  shutdown(sock, SHUT_WR);
  char sink[4096];
  while (recv(sock, sink, sizeof(sink), MSG_DONTWAIT) > 0) {
  }
}

}  // namespace

std::string TooManyConnectionsAnswer(size_t maxConnections) {
  const std::string body = "{\"error\":\"the server is busy: it serves " + std::to_string(maxConnections) +
                           " connections at once; try again\"}";
  std::string answer = "HTTP/1.1 503 Service Unavailable\r\nContent-Type: application/json\r\n";
  for (const auto& [name, value] : ServerHeaders()) answer += name + ": " + value + "\r\n";
  return answer + "Connection: close\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

// One thread more than connections served: the spare one refuses the rest without delay.
TWbHttpServer::TWbHttpServer(const TWbConnectionLimits& limits, size_t maxConnections)
    : FLimits(limits), FMaxConnections(maxConnections) {
  new_task_queue = [maxConnections] { return new httplib::ThreadPool(maxConnections + 1); };
  set_default_headers(ServerHeaders());
  // The Keep-Alive header states what a connection is kept for: the idle time between requests
  // (whole seconds) and the requests it serves.
  set_keep_alive_timeout(std::chrono::duration_cast<std::chrono::seconds>(limits.Idle).count());
  set_keep_alive_max_count(limits.RequestsPerConnection);
}

void TWbHttpServer::StopNow() {
  FStopping = true;
  stop();
}

bool TWbHttpServer::process_and_close_socket(socket_t sock) {
  // An answer goes out as headers, then body: with Nagle's algorithm the body would wait for the
  // client's delayed acknowledgement of the headers, some 40 ms, on every request but a
  // connection's first.
  const int noDelay = 1;
  setsockopt(sock, IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay);
  bool served = false;
  {
    const TOpenConnection open(FOpen);
    if (open.Count() > FMaxConnections || FStopping.load())
      Refuse(sock, FMaxConnections);
    else
      served = Serve(sock);
  }
  shutdown(sock, SHUT_RDWR);
  close(sock);
  return served;
}

// httplib's keep-alive loop over our connection.
bool TWbHttpServer::Serve(socket_t sock) {
  TWbConnection connection(sock, FLimits, FStopping);
  const TWbServedConnection current(connection);
  bool answered = false;
  for (size_t left = FLimits.RequestsPerConnection; left > 0 && connection.WaitForRequest(); --left) {
    connection.BeginRequest();
    bool clientCloses = false;
    answered = process_request(connection, left == 1, clientCloses, nullptr);
    if (!answered || clientCloses) break;
    if (connection.EndsAfterAnswer()) {
      connection.DrainBeforeClose(KLinger);
      break;
    }
  }
  return answered;
}
