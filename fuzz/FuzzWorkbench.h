// What the runner's fuzz targets share: a reporter that turns errors of unexpected classes into
// findings, and the plug-in module kept loaded for the whole fuzzing run.
#pragma once

#include "WbApplication.h"
#include "WbEvents.h"

// Writes every event as JSON into nothing; an error of a class the library does not raise on
// purpose aborts.
class TFuzzReporter final : public TWbReporter {
 public:
  void HostEvent(const TNUVEvent& event) override;
  void Error(const TWbError& error) override;
  void Emit(const TWbJson& event) override;
  // Set while a script runs: its lines are the user's gestures.
  bool Gestures = false;
};

// The module beside the fuzz target. Loaded once and never unloaded, so that its coverage
// counters are registered once however many applications load it.
const std::string& FuzzModulePath();
