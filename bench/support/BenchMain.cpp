#include "BenchMain.h"

#include <fmt/format.h>

#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>
#include <string_view>
#include <vector>

namespace {

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::optional<double> CoefficientOfVariation(const std::vector<double>& values) {
  if (values.size() < 2) return std::nullopt;
  const double mean = std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
  double squares = 0;
  for (double value : values) squares += (value - mean) * (value - mean);
  const double deviation = std::sqrt(squares / static_cast<double>(values.size() - 1));
  return mean == 0 ? (deviation == 0 ? std::optional(0.0) : std::nullopt) : std::optional(deviation / mean);
}

}  // namespace

void TBenchResults::Add(const benchmark::BenchmarkReporter::Run& run) {
  // The aggregates are made here from the repetitions themselves.
  if (run.error_occurred || run.run_type != benchmark::BenchmarkReporter::Run::RT_Iteration) return;
  // Tiny runs fix the iterations and repeated ones name the repetitions; the summary looks the
  // figures up without either.
  std::string name = run.run_name.str();
  for (const char* part : {"/iterations:", "/repeats:"})
    if (auto at = name.find(part); at != std::string::npos) name.erase(at, name.find('/', at + 1) - at);
  const bool manual = name.ends_with("/manual_time");
  const double time = manual ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime();
  TSample sample{time / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e9, {}};
  for (const auto& [counterName, counter] : run.counters) sample.Counters[counterName] = counter.value;
  FSamples[name].push_back(std::move(sample));
}

// The time of every repetition of name, or its counter's value where the counter was given.
std::vector<double> TBenchResults::Values(const std::string& name, const std::string* counter) const {
  std::vector<double> values;
  auto it = FSamples.find(name);
  if (it == FSamples.end()) return values;
  for (const TSample& sample : it->second) {
    if (!counter)
      values.push_back(sample.Nanoseconds);
    else if (auto c = sample.Counters.find(*counter); c != sample.Counters.end())
      values.push_back(c->second);
  }
  return values;
}

std::optional<double> TBenchResults::Nanoseconds(const std::string& name) const {
  std::vector<double> values = Values(name, nullptr);
  return values.empty() ? std::nullopt : std::optional(Median(std::move(values)));
}

std::optional<double> TBenchResults::Counter(const std::string& name, const std::string& counter) const {
  std::vector<double> values = Values(name, &counter);
  return values.empty() ? std::nullopt : std::optional(Median(std::move(values)));
}

std::optional<double> TBenchResults::WorstCvOf(std::initializer_list<std::string> names,
                                               const std::string* counter) const {
  std::optional<double> worst;
  for (const std::string& name : names)
    if (auto cv = CoefficientOfVariation(Values(name, counter))) worst = std::max(worst.value_or(0.0), *cv);
  return worst;
}

std::optional<double> TBenchResults::WorstCv(std::initializer_list<std::string> names) const {
  return WorstCvOf(names, nullptr);
}

std::optional<double> TBenchResults::WorstCounterCv(std::initializer_list<std::string> names,
                                                    const std::string& counter) const {
  return WorstCvOf(names, &counter);
}

std::optional<double> PerItemGrowth(const TBenchResults& results, const std::string& name,
                                    const std::vector<int>& sizes, const std::string& suffix) {
  auto first = results.Nanoseconds(fmt::format("{}/{}{}", name, sizes.front(), suffix));
  auto last = results.Nanoseconds(fmt::format("{}/{}{}", name, sizes.back(), suffix));
  if (!first || !last) return std::nullopt;
  return (*last / sizes.back()) / (*first / sizes.front());
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
  fmt::print(
      "\n{}\n\n| benchmark | size | figure | floor | ratio | cv | target | met |\n|---|---|---|---|---|---|---|---|\n",
      title);
}

void PrintSummaryRow(const std::string& name, const std::string& size, const std::string& figure,
                     const std::string& floor, std::optional<double> ratio, std::optional<double> cv,
                     const std::string& target, std::optional<bool> met) {
  const bool unstable = met && cv && *cv > KUnstableCv;
  fmt::print("| {} | {} | {} | {} | {} | {} | {} | {} |\n", name, size, figure, floor.empty() ? "-" : floor,
             ratio ? fmt::format("{:.2f}x", *ratio) : "-", cv ? fmt::format("{:.1f} %", *cv * 100) : "-",
             target.empty() ? "-" : target,
             unstable ? "unstable"
             : met    ? (*met ? "yes" : "NO")
                      : "-");
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
  const bool repetitionsGiven = std::any_of(args.begin(), args.end(), [](const char* arg) {
    return std::string_view(arg).starts_with("--benchmark_repetitions");
  });
  static char repetitions[] = "--benchmark_repetitions=3";
  static char interleaved[] = "--benchmark_enable_random_interleaving=true";
  if (!tiny && !repetitionsGiven) args.insert(args.begin() + 1, {repetitions, interleaved});
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
