#include "BenchInstructions.h"

#include <valgrind/callgrind.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool GCounting = false;
bool GCollecting = false;  // callgrind starts with collection off
int GDumps = 0;
std::string GOutFile;

// The "totals:" line of a dump: every event counted since the last one; Ir is the only event.
// Read through fixed buffers: lines of varying length grown on the heap would leave it in a
// varying state, and the next run's allocations with varying costs.
std::optional<double> ReadTotal(const std::string& path) {
  static char buffer[1 << 16];
  static char line[4096];
  FILE* file = std::fopen(path.c_str(), "r");
  if (!file) return std::nullopt;
  std::setvbuf(file, buffer, _IOFBF, sizeof buffer);
  std::optional<double> total;
  bool lineStart = true;
  while (!total && std::fgets(line, sizeof line, file)) {
    if (lineStart && std::strncmp(line, "totals: ", 8) == 0) total = std::strtod(line + 8, nullptr);
    lineStart = std::strchr(line, '\n') != nullptr;
  }
  std::fclose(file);
  return total;
}

}  // namespace

bool CountingInstructions() { return GCounting; }

bool StartCountingInstructions(std::string& error) {
  const char* out = std::getenv("NUV_CALLGRIND_OUT");
  if (!RUNNING_ON_VALGRIND || !out || !*out) {
    error =
        "--instructions needs callgrind: NUV_CALLGRIND_OUT=FILE valgrind --tool=callgrind --collect-atstart=no "
        "--zero-before='benchmark::State::StartKeepRunning*' --dump-before='benchmark::State::FinishKeepRunning*' "
        "--callgrind-out-file=FILE BENCHMARK --instructions";
    return false;
  }
  GOutFile = out;
  GCounting = true;
  return true;
}

void CountInstructions(bool on) {
  if (!GCounting || on == GCollecting) return;
  CALLGRIND_TOGGLE_COLLECT;
  GCollecting = on;
}

void BeginCountedRun() {
  if (!GCounting) return;
  CountInstructions(false);
  CALLGRIND_ZERO_STATS;
  CountInstructions(true);
}

std::optional<double> EndCountedRun() {
  if (!GCounting) return std::nullopt;
  CountInstructions(false);
  // Callgrind dumped the loop's counts as it ended (--dump-before=...FinishKeepRunning), once per
  // run; what the benchmark destroys after its loop is not counted.
  return ReadTotal(GOutFile + "." + std::to_string(++GDumps));
}
