// What a request must show before the server reads its body or touches the window: that it was
// sent to this server by name (no page of another site whose name was rebound to this address),
// from this server's own page when a browser says where it comes from, and with a body whose size
// is known and small. Each check raises TWbRequestError with the status to answer.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// A request that is refused before anything changes.
struct TWbRequestError {
  int Status;
  std::string Message;
};

// Where the server is reached: the address it listens on, the address the connection came in on
// (the interface, when it listens on all of them) and its port.
struct TWbServedAt {
  std::string ListenHost;
  std::string LocalAddress;
  int Port = 0;
};

// "host:port", with an IPv6 address in brackets.
std::string Authority(const std::string& host, int port);

// Host names this server: its listening address or the connection's local address with the
// port, or localhost with or without it (any case). 421 when absent or another name.
void CheckHost(const TWbServedAt& at, const std::optional<std::string>& host);
// The same for the Host headers of a request as given: more than one is 400, whatever they name
// (which one would be meant?).
void CheckHost(const TWbServedAt& at, const std::vector<std::string>& hosts);
// A browser's Origin, when sent, is http:// and a name CheckHost accepts; 403 otherwise.
void CheckOrigin(const TWbServedAt& at, const std::optional<std::string>& origin);

// How a request says its body ends, as its headers give it (each header's values in order).
struct TWbFraming {
  std::string Method;
  std::vector<std::string> ContentLengths;
  std::vector<std::string> TransferEncodings;
};

// A body the server can read without waiting for the connection to end: one Content-Length of
// digits only and at most maxBody (413 above it), or chunked, never both; a POST has one of
// them (411), a GET neither. 400, or 501 for a transfer coding other than chunked.
void CheckFraming(const TWbFraming& framing, size_t maxBody);

// The media type before any parameters, compared without case: "Application/JSON; charset=utf-8"
// is JSON, "application/jsonx" is not.
bool IsJsonMediaType(const std::string& contentType);
