// --serve: the live window over HTTP. The page, its state and the few operations a person does
// on a window (clicks, work-space operations, data keys) and nothing else.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "WbApplication.h"
#include "WbCauses.h"
#include "WbEventLog.h"

// Where to listen: "[ADDR:]PORT", ADDR an IPv4 address, a host name or a bracketed IPv6 address.
struct TWbServeAddress {
  std::string Host = "127.0.0.1";
  int Port = 0;  // 0: any free port
};

// Raises EWbLoadError for a port that is no number from 0 to 65535.
TWbServeAddress ParseServeAddress(const std::string& text);
// 127.0.0.0/8, ::1 and localhost: reachable from this machine only.
bool IsLoopbackHost(const std::string& host);

class TWbServer {
 public:
  // baseDir: where the page looks up the image files the application names. causes, when given,
  // names each request that runs a line as the cause of the events it causes ("request 7").
  TWbServer(TWbApplication& app, TWbEventLog& log, std::string baseDir, TWbCauseReporter* causes = nullptr);
  ~TWbServer();
  TWbServer(const TWbServer&) = delete;
  TWbServer& operator=(const TWbServer&) = delete;

  // Binds the address and starts answering on threads of the server's own; the handlers take
  // turns, so the application is touched by one of them at a time. Returns the page's URL.
  // Raises EWbLoadError when the address cannot be bound.
  std::string Start(const TWbServeAddress& address);
  // Stops answering and waits for the threads; the application is then the caller's again.
  void Stop();
  // Runs change while no request is carried out, and serves the application it answers from then
  // on (--watch composes the application anew). The page sees a new revision.
  void Replace(const std::function<TWbApplication&()>& change);

 private:
  struct TImpl;
  std::unique_ptr<TImpl> FImpl;
};
