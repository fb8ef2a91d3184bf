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

namespace {

// Starts serving with the signals blocked; returns the signals to wait for.
sigset_t StartServing(TWbServer& server, TWbEventLog& log, const TWbServeAddress& address) {
  const sigset_t signals = StopSignals();
  std::signal(SIGPIPE, SIG_IGN);  // a browser that goes away mid-answer
  TWbJson serving = NewEvent("serving");
  serving["url"] = server.Start(address);
  log.Emit(serving);
  return signals;
}

std::string ImageDir(const std::string& appFile) { return std::filesystem::path(appFile).parent_path().string(); }

// Before any thread of the server starts, so that they inherit the mask.
void BlockStopSignals() {
  const sigset_t signals = StopSignals();
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
}

}  // namespace

void ServeUntilSignal(TWbApplication& app, TWbEventLog& log, const TWbServeAddress& address, const std::string& appFile,
                      TWbCauseReporter* causes) {
  BlockStopSignals();
  TWbServer server(app, log, ImageDir(appFile), causes);
  const sigset_t signals = StartServing(server, log, address);
  int received = 0;
  sigwait(&signals, &received);
  server.Stop();
}

void ServeAndWatchUntilSignal(TWbWatchedApplication& watched, TWbEventLog& log, const TWbServeAddress& address,
                              const std::string& appFile, TWbCauseReporter& causes) {
  BlockStopSignals();
  TWbServer server(watched.App(), log, ImageDir(appFile), &causes);
  const sigset_t signals = StartServing(server, log, address);
  const timespec look{0, 250'000'000};
  while (true) {
    const int received = sigtimedwait(&signals, nullptr, &look);
    if (received == SIGINT || received == SIGTERM) break;
    if (watched.FileChanged()) server.Replace([&]() -> TWbApplication& { return watched.Reload(); });
  }
  server.Stop();
}
