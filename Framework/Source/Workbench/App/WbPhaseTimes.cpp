#include "WbPhaseTimes.h"

#include <fmt/format.h>

#include <chrono>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {
using TClock = std::chrono::steady_clock;

struct TPhaseTimes {
  bool Enabled = std::getenv("NUV_WORKBENCH_TIMINGS") != nullptr;
  TClock::time_point Last = TClock::now();
  std::vector<std::pair<const char*, double>> Phases;  // name, milliseconds
};

// One run of the runner is timed, from the static initialization of the executable.
TPhaseTimes GPhaseTimes;

TPhaseTimes& PhaseTimes() { return GPhaseTimes; }
}  // namespace

void WbPhaseEnds(const char* phase) {
  TPhaseTimes& times = PhaseTimes();
  if (!times.Enabled) return;
  const auto now = TClock::now();
  times.Phases.emplace_back(phase, std::chrono::duration<double, std::milli>(now - times.Last).count());
  times.Last = now;
}

std::string WbPhaseTimesText() {
  const TPhaseTimes& times = PhaseTimes();
  if (!times.Enabled) return {};
  std::string text = "timings:";
  for (const auto& [name, ms] : times.Phases) text += fmt::format(" {} {:.2f} ms,", name, ms);
  if (text.back() == ',') text.pop_back();
  return text;
}
