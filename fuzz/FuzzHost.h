// The tests' in-process host, with what configuration may refer to: commands of the action
// service and named values for configured text.
#pragma once

#include "TestHost.h"

// Declares the commands and named values that the examples and seeds use.
void PrepareFuzzHost(TTestHost& host);
