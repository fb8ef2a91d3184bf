// The runner's library in the test's own process: an application loaded from a file as the
// runner loads it, driven by script lines, with every event it reports kept as JSON.
#pragma once

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "WbApplication.h"
#include "WbScript.h"

// Keeps each event as the runner would print it with a script.
class TEventCollector final : public TWbReporter {
 public:
  void HostEvent(const TNUVEvent& event) override { Events.push_back(HostEventJson(event)); }
  void Error(const TWbError& error) override { Events.push_back(ErrorEventJson(error)); }
  void Emit(const TWbJson& event) override { Events.push_back(event); }

  std::vector<nlohmann::json> Events;
};

class TInProcessWorkbench {
 public:
  // appFile: absolute, or relative to the test data directory (tests/workbench/data); the module
  // is chosen as the runner chooses it without --module.
  explicit TInProcessWorkbench(const std::string& appFile);
  ~TInProcessWorkbench() { App.Finish(); }

  // Runs the script and answers the events it caused.
  std::vector<nlohmann::json> Run(const std::string& script);
  // The window's control tree as the runner prints it without a script.
  std::string TextTree();

  TEventCollector Reporter;
  TWbApplication App{Reporter};
};

// The example application of that name (examples/NAME.xml).
std::string ExampleFile(const std::string& name);
