// httplib's server with connections of our own (WbConnection): each under deadlines, at most a
// number of them served at once and the next ones refused at once with 503, and all of them
// ended within a fraction of a second when the server stops.
#pragma once

#include <httplib.h>

#include <atomic>
#include <cstddef>

#include "WbConnection.h"

class TWbHttpServer final : public httplib::Server {
 public:
  TWbHttpServer(const TWbConnectionLimits& limits, size_t maxConnections);
  // Ends every connection at its next wait, then stops listening and waits for the threads.
  void StopNow();

  const TWbConnectionLimits& Limits() const { return FLimits; }
  size_t MaxConnections() const { return FMaxConnections; }

 private:
  bool process_and_close_socket(socket_t sock) override;
  bool Serve(socket_t sock);

  const TWbConnectionLimits FLimits;
  const size_t FMaxConnections;
  std::atomic<bool> FStopping{false};
  std::atomic<size_t> FOpen{0};
};

// The answer to a connection over the limit, as sent: 503 with a JSON message.
std::string TooManyConnectionsAnswer(size_t maxConnections);
