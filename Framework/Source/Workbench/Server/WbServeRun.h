// A served run: the window stays live over HTTP until SIGINT or SIGTERM.
#pragma once

#include <string>

#include "WbApplication.h"
#include "WbEventLog.h"
#include "WbServer.h"
#include "WbWatch.h"

// The address of --serve; a non-loopback one needs allowRemote and draws a warning on stderr.
// Raises EWbLoadError otherwise.
TWbServeAddress CheckedServeAddress(const std::string& text, bool allowRemote);

// Serves app, prints {"event":"serving","url":...} through log, and returns on SIGINT or SIGTERM
// once the server has stopped. Images are looked up beside appFile. causes: see TWbServer.
void ServeUntilSignal(TWbApplication& app, TWbEventLog& log, const TWbServeAddress& address, const std::string& appFile,
                      TWbCauseReporter* causes = nullptr);
// The same for --watch: four times a second it looks whether the file has changed, and reloads
// the application between two requests when it has.
void ServeAndWatchUntilSignal(TWbWatchedApplication& watched, TWbEventLog& log, const TWbServeAddress& address,
                              const std::string& appFile, TWbCauseReporter& causes);
