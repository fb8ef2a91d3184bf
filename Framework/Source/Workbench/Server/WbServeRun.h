// A served run: the window stays live over HTTP until SIGINT or SIGTERM.
#pragma once

#include <string>

#include "WbApplication.h"
#include "WbEventLog.h"
#include "WbServer.h"

// The address of --serve; a non-loopback one needs allowRemote and draws a warning on stderr.
// Raises EWbLoadError otherwise.
TWbServeAddress CheckedServeAddress(const std::string& text, bool allowRemote);

// Serves app, prints {"event":"serving","url":...} through log, and returns on SIGINT or SIGTERM
// once the server has stopped. Images are looked up beside appFile.
void ServeUntilSignal(TWbApplication& app, TWbEventLog& log, const TWbServeAddress& address,
                      const std::string& appFile);
