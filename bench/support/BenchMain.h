// The common main of the benchmark executables: --tiny, the run, and a summary table that sets
// each figure against its floor measured in the same run.
#pragma once

#include <benchmark/benchmark.h>

#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <vector>

// What the runs gave, by benchmark name: CPU time per iteration in nanoseconds (the manual time of
// manually timed ones) and the counters. With repetitions each figure is the median of them (the
// machine is shared, and the median shrugs off a repetition that another process disturbed), and
// their coefficient of variation says how far the figure can be trusted.
class TBenchResults {
 public:
  void Add(const benchmark::BenchmarkReporter::Run& run);
  std::optional<double> Nanoseconds(const std::string& name) const;
  std::optional<double> Counter(const std::string& name, const std::string& counter) const;
  // The largest coefficient of variation (standard deviation over mean) of the times of those
  // benchmarks, or of that counter of theirs; empty when none was repeated.
  std::optional<double> WorstCv(std::initializer_list<std::string> names) const;
  std::optional<double> WorstCounterCv(std::initializer_list<std::string> names, const std::string& counter) const;

 private:
  struct TSample {
    double Nanoseconds;
    std::map<std::string, double> Counters;
  };
  std::vector<double> Values(const std::string& name, const std::string* counter) const;
  std::optional<double> WorstCvOf(std::initializer_list<std::string> names, const std::string* counter) const;
  std::map<std::string, std::vector<TSample>> FSamples;
};

// A figure judged against its target is "unstable", never met, when its repetitions vary more.
inline constexpr double KUnstableCv = 0.05;

// One line of the summary: "| benchmark | size | figure | floor | ratio | cv | target | met |",
// where cv is the worst coefficient of variation of the figures the row was made from.
void PrintSummaryHeader(const std::string& title);
void PrintSummaryRow(const std::string& name, const std::string& size, const std::string& figure,
                     const std::string& floor, std::optional<double> ratio, std::optional<double> cv,
                     const std::string& target, std::optional<bool> met);
// The time per item at the largest of sizes over that at the smallest, of the benchmarks named
// "<name>/<size><suffix>": 1 is linear. Empty when either was not run.
std::optional<double> PerItemGrowth(const TBenchResults& results, const std::string& name,
                                    const std::vector<int>& sizes, const std::string& suffix = "/manual_time");
// "12.3 us", "4.56 ms": a time for the table.
std::string FormatTime(double nanoseconds);

// The CPU time of this thread in seconds. The machine is shared, so the benchmarks time their
// phases by it and the summary reads the CPU time of the others: waiting for a core is not cost.
double ThreadCpuSeconds();

// Registers the benchmarks (tiny: smallest sizes, one iteration each), runs them, then prints the
// summary. --tiny is taken out of the arguments; the rest go to Google Benchmark. Unless tiny or
// told otherwise, every benchmark runs three times, the repetitions of all interleaved at random.
int RunBenchmarks(int argc, char** argv, const std::function<void(bool tiny)>& registerAll,
                  const std::function<void(const TBenchResults&, bool tiny)>& summarize);

// Applies the tiny mode to one registered benchmark.
benchmark::internal::Benchmark* Tiny(benchmark::internal::Benchmark* benchmark, bool tiny);
