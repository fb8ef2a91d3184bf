// Why a server cannot listen on an address, found by trying it again ourselves: the HTTP library
// only says that it failed.
#pragma once

#include <string>

// "the port is in use: another program listens on it", "the name cannot be resolved: ...", the
// system's message otherwise; "the address could not be bound" when the second try succeeds.
std::string WhyNotListening(const std::string& host, int port);
