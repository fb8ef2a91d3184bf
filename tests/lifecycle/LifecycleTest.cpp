// Seeded random lifecycles over a window that uses all nine view-part kinds, with every
// invariant checked after every step. NUV_LIFECYCLE_STEPS sets the steps per seed (default
// 10000), NUV_LIFECYCLE_SEED runs that one seed only, NUV_LIFECYCLE_SEEDS the number of seeds
// (default 10, from 1). A failure names the seed, the step and the last operations.
#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <iostream>
#include <memory>

#include "LifecycleOperations.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace {

std::uint64_t EnvNumber(const char* name, std::uint64_t fallback) {
  const char* text = std::getenv(name);
  return text && *text ? std::strtoull(text, nullptr, 10) : fallback;
}

// Where the run stands, so that a sanitizer report can still say how to replay it.
struct TRunPosition {
  std::uint64_t Seed = 0;
  std::uint64_t Step = 0;
  std::deque<std::string> LastOperations;

  void Record(const std::string& operation) {
    LastOperations.push_back(operation);
    if (LastOperations.size() > 12) LastOperations.pop_front();
  }
  std::string Describe() const {
    std::string text = "seed " + std::to_string(Seed) + ", step " + std::to_string(Step) + "; replay with " +
                       "NUV_LIFECYCLE_SEED=" + std::to_string(Seed) +
                       " NUV_LIFECYCLE_STEPS=" + std::to_string(Step + 1) +
                       "\nlast operations, the failing one last:\n";
    for (const auto& operation : LastOperations) text += "  " + operation + "\n";
    return text;
  }
};

TRunPosition Position;

[[maybe_unused]] void ReportPositionOnDeath() { std::cerr << "\nlifecycle test died at " << Position.Describe(); }

// What the seeds exercised, for the summary.
struct TRunTotals {
  std::uint64_t Steps = 0;
  std::uint64_t Refusals = 0;
  std::uint64_t MergesRecorded = 0;
  std::uint64_t ExactUndoChecks = 0;
  std::uint64_t ItemsTracked = 0;
};

// One seed: the world, the steps, then the teardown, after which every item and view part must
// be gone. Returns the failure, or an empty text.
std::string RunSeed(std::uint64_t seed, std::uint64_t steps, TRunTotals& totals) {
  Position = {seed, 0, {}};
  std::mt19937_64 random(seed);
  TLiveViewParts live;
  auto world = std::make_unique<TLifeWorld>(live);
  TLifeChecker checker(*world);
  TLifeOperations operations(*world, checker, random);
  try {
    checker.Check();
    for (; Position.Step < steps; ++Position.Step) {
      operations.Step([](const std::string& operation) { Position.Record(operation); });
      checker.Check();
    }
    Position.Record("Teardown");
    checker.Discover();
    world.reset();
    checker.CheckTornDown(live);
    totals.Steps += steps;
    totals.Refusals += static_cast<std::uint64_t>(operations.Refusals());
    totals.MergesRecorded += static_cast<std::uint64_t>(checker.Merges().Recorded());
    totals.ExactUndoChecks += static_cast<std::uint64_t>(checker.Merges().ExactChecks());
    totals.ItemsTracked += checker.ItemsSeen();
  } catch (const std::exception& e) {
    return std::string(e.what()) + "\nat " + Position.Describe();
  }
  return {};
}

TEST(LifecycleTest, RandomSequencesKeepEveryInvariant) {
#if defined(__SANITIZE_ADDRESS__)
  __sanitizer_set_death_callback(ReportPositionOnDeath);
#endif
  const std::uint64_t steps = EnvNumber("NUV_LIFECYCLE_STEPS", 10000);
  const bool oneSeed = std::getenv("NUV_LIFECYCLE_SEED") != nullptr;
  const std::uint64_t first = EnvNumber("NUV_LIFECYCLE_SEED", 1);
  const std::uint64_t seeds = EnvNumber("NUV_LIFECYCLE_SEEDS", oneSeed ? 1 : 10);
  TRunTotals totals;
  for (std::uint64_t seed = first; seed < first + seeds; ++seed) {
    std::string failure = RunSeed(seed, steps, totals);
    ASSERT_TRUE(failure.empty()) << failure;
  }
  std::cout << "lifecycle: " << totals.Steps << " steps over seeds " << first << ".." << first + seeds - 1 << ", "
            << totals.Refusals << " documented refusals, " << totals.MergesRecorded << " merges recorded, "
            << totals.ExactUndoChecks << " exact undo checks, " << totals.ItemsTracked << " toolbar items tracked\n";
  RecordProperty("Steps", std::to_string(totals.Steps));
}

}  // namespace
