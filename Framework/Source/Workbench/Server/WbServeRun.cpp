#include "WbServeRun.h"

#include <pthread.h>

#include <csignal>
#include <filesystem>
#include <iostream>

#include "WbErrors.h"

TWbServeAddress CheckedServeAddress(const std::string& text, bool allowRemote) {
  const TWbServeAddress address = ParseServeAddress(text);
  if (IsLoopbackHost(address.Host)) return address;
  if (!allowRemote)
    throw EWbLoadError("--serve " + text + ": '" + address.Host +
                       "' is not a loopback address; add --allow-remote to serve other machines");
  std::cerr << "warning: serving on " << address.Host
            << ": anyone who reaches this address can drive the window; the server has no authentication" << std::endl;
  return address;
}

namespace {

// Blocked in every thread (the server's inherit the mask), so that the signals wait for sigwait
// and the application is finalized on this thread.
sigset_t StopSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  return signals;
}

}  // namespace

void ServeUntilSignal(TWbApplication& app, TWbEventLog& log, const TWbServeAddress& address,
                      const std::string& appFile) {
  const sigset_t signals = StopSignals();
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  std::signal(SIGPIPE, SIG_IGN);  // a browser that goes away mid-answer
  TWbServer server(app, log, std::filesystem::path(appFile).parent_path().string());
  TWbJson serving = NewEvent("serving");
  serving["url"] = server.Start(address);
  log.Emit(serving);
  int received = 0;
  sigwait(&signals, &received);
  server.Stop();
}
