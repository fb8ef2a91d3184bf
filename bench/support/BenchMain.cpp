#include "BenchMain.h"

#include <fmt/format.h>

#include <time.h>

#include <cstring>
#include <vector>

void TBenchResults::Add(const benchmark::BenchmarkReporter::Run& run) {
  if (run.error_occurred) return;
  // With repetitions the median stands for them: the machine is shared, and the median shrugs
  // off a repetition that another process disturbed.
  const bool median = run.run_type == benchmark::BenchmarkReporter::Run::RT_Aggregate && run.aggregate_name == "median";
  if (run.run_type != benchmark::BenchmarkReporter::Run::RT_Iteration && !median) return;
  TResult result;
  // Tiny runs fix the iterations, which shows in the name; the summary looks them up without it.
  std::string name = run.run_name.str();
  if (auto at = name.find("/iterations:"); at != std::string::npos) name.erase(at, name.find('/', at + 1) - at);
  const bool manual = name.ends_with("/manual_time");
  const double time = manual ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime();
  result.Nanoseconds = time / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e9;
  for (const auto& [counterName, counter] : run.counters) result.Counters[counterName] = counter.value;
  if (median || !FResults.contains(name)) FResults[name] = result;
}

std::optional<double> TBenchResults::Nanoseconds(const std::string& name) const {
  auto it = FResults.find(name);
  return it == FResults.end() ? std::nullopt : std::optional(it->second.Nanoseconds);
}

std::optional<double> PerItemGrowth(const TBenchResults& results, const std::string& name,
                                    const std::vector<int>& sizes, const std::string& suffix) {
  auto first = results.Nanoseconds(fmt::format("{}/{}{}", name, sizes.front(), suffix));
  auto last = results.Nanoseconds(fmt::format("{}/{}{}", name, sizes.back(), suffix));
  if (!first || !last) return std::nullopt;
  return (*last / sizes.back()) / (*first / sizes.front());
}

std::optional<double> TBenchResults::Counter(const std::string& name, const std::string& counter) const {
  auto it = FResults.find(name);
  if (it == FResults.end()) return std::nullopt;
  auto c = it->second.Counters.find(counter);
  return c == it->second.Counters.end() ? std::nullopt : std::optional(c->second);
}

double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

namespace {
class TCollectingReporter : public benchmark::ConsoleReporter {
 public:
  explicit TCollectingReporter(TBenchResults& results) : FResults(results) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) FResults.Add(run);
    ConsoleReporter::ReportRuns(runs);
  }

 private:
  TBenchResults& FResults;
};
}  // namespace

void PrintSummaryHeader(const std::string& title) {
  fmt::print("\n{}\n\n| benchmark | size | figure | floor | ratio | target | met |\n|---|---|---|---|---|---|---|\n",
             title);
}

void PrintSummaryRow(const std::string& name, const std::string& size, const std::string& figure,
                     const std::string& floor, std::optional<double> ratio, const std::string& target,
                     std::optional<bool> met) {
  fmt::print("| {} | {} | {} | {} | {} | {} | {} |\n", name, size, figure, floor.empty() ? "-" : floor,
             ratio ? fmt::format("{:.2f}x", *ratio) : "-", target.empty() ? "-" : target,
             met ? (*met ? "yes" : "NO") : "-");
}

std::string FormatTime(double nanoseconds) {
  if (nanoseconds < 1e3) return fmt::format("{:.1f} ns", nanoseconds);
  if (nanoseconds < 1e6) return fmt::format("{:.2f} us", nanoseconds / 1e3);
  if (nanoseconds < 1e9) return fmt::format("{:.2f} ms", nanoseconds / 1e6);
  return fmt::format("{:.2f} s", nanoseconds / 1e9);
}

benchmark::internal::Benchmark* Tiny(benchmark::internal::Benchmark* benchmark, bool tiny) {
  return tiny ? benchmark->Iterations(1) : benchmark;
}

int RunBenchmarks(int argc, char** argv, const std::function<void(bool tiny)>& registerAll,
                  const std::function<void(const TBenchResults&, bool tiny)>& summarize) {
  std::vector<char*> args;
  bool tiny = false;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--tiny") == 0)
      tiny = true;
    else
      args.push_back(argv[i]);
  }
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
  registerAll(tiny);
  TBenchResults results;
  TCollectingReporter reporter(results);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  summarize(results, tiny);
  return 0;
}
