// The common main of the benchmark executables: --tiny, the run, and a summary table that sets
// each figure against its floor measured in the same run.
#pragma once

#include <benchmark/benchmark.h>

#include "BenchInstructions.h"

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
// When counting instructions, the times are those of an earlier timed run (LoadTimes), the
// counters those of this one, and each benchmark ran twice: with few and with more iterations.
class TBenchResults {
 public:
  void Add(const benchmark::BenchmarkReporter::Run& run, std::optional<double> instructions = std::nullopt);
  // The times of a Google Benchmark JSON file; false when it cannot be read.
  bool LoadTimes(const std::string& path);
  std::optional<double> Nanoseconds(const std::string& name) const;
  // Instructions per iteration: what the extra iterations of the longer run cost each, so that
  // what a run costs once (its setup, the first pass through lazy caches) drops out.
  std::optional<double> Instructions(const std::string& name) const;
  // The figure targets judge: instructions per iteration when counting them, else the time.
  std::optional<double> Figure(const std::string& name) const;
  // Every benchmark's instructions per iteration, by name.
  std::map<std::string, double> AllInstructions() const;
  std::optional<double> Counter(const std::string& name, const std::string& counter) const;
  // The largest coefficient of variation (standard deviation over mean) of the times of those
  // benchmarks, or of that counter of theirs; empty when none was repeated.
  std::optional<double> WorstCv(std::initializer_list<std::string> names) const;
  std::optional<double> WorstCounterCv(std::initializer_list<std::string> names, const std::string& counter) const;

 private:
  struct TSample {
    double Nanoseconds;
    std::map<std::string, double> Counters;
    double Iterations = 0;
    std::optional<double> Instructions;
  };
  std::vector<double> Values(const std::string& name, const std::string* counter) const;
  std::optional<double> WorstCvOf(std::initializer_list<std::string> names, const std::string* counter) const;
  std::map<std::string, std::vector<TSample>> FSamples;
  std::map<std::string, std::vector<double>> FTimes;  // of the earlier timed run
};

// A time judged against its target is "unstable", never met, when its repetitions vary more.
inline constexpr double KUnstableCv = 0.05;

// One line of the summary: "| benchmark | size | figure | floor | ratio | cv | target | met |",
// where cv is the worst coefficient of variation of the figures the row was made from.
void PrintSummaryHeader(const std::string& title);
void PrintSummaryRow(const std::string& name, const std::string& size, const std::string& figure,
                     const std::string& floor, std::optional<double> ratio, std::optional<double> cv,
                     const std::string& target, std::optional<bool> met);
// The figure per item at the largest of sizes over that at the smallest, of the benchmarks named
// "<name>/<size><suffix>": 1 is linear. Empty when either was not run.
std::optional<double> PerItemGrowth(const TBenchResults& results, const std::string& name,
                                    const std::vector<int>& sizes, const std::string& suffix = "/manual_time");
// "12.3 us", "4.56 ms": a time for the table.
std::string FormatTime(double nanoseconds);
// A figure for the table: "1.23 M instr" when counting instructions, else a time.
std::string FormatFigure(double figure);

// The CPU time of this thread in seconds. The machine is shared, so the benchmarks time their
// phases by it and the summary reads the CPU time of the others: waiting for a core is not cost.
double ThreadCpuSeconds();

// Registers the benchmarks (tiny: smallest sizes, one iteration each), runs them, then prints the
// summary. --tiny is taken out of the arguments; the rest go to Google Benchmark. Unless tiny or
// told otherwise, every benchmark runs three times, the repetitions of all interleaved at random.
// --instructions counts instructions instead (see BenchInstructions.h): every benchmark is
// registered three times, a warm-up pass of all first, then with KFewIterations and with
// KMoreIterations, and the summary judges instructions per iteration. --instructions_out=FILE writes them as JSON
// ({"name": figure}), and
// --times=FILE gives the JSON of a timed run whose medians and cv stand beside them.
int RunBenchmarks(int argc, char** argv, const std::function<void(bool tiny)>& registerAll,
                  const std::function<void(const TBenchResults&, bool tiny)>& summarize);

// The small sizes of the tiny mode can afford more iterations, which spread what varies from one
// run to the next (the costs of allocating from a heap left a little differently) thinner.
inline constexpr int KFewIterations = 2;
inline constexpr int KMoreIterations = 4;
inline constexpr int KTinyMoreIterations = 42;

// Applies the tiny mode, or the instruction count, to one registered benchmark.
benchmark::internal::Benchmark* Tiny(benchmark::internal::Benchmark* benchmark, bool tiny);
