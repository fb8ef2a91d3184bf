#include "BenchMain.h"

#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <numeric>
#include <string_view>
#include <utility>
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

// Tiny and counted runs fix the iterations and repeated ones name the repetitions; the summary
// looks the figures up without either.
std::string LookupName(std::string name) {
  for (const char* part : {"/iterations:", "/repeats:"})
    if (auto at = name.find(part); at != std::string::npos) name.erase(at, name.find('/', at + 1) - at);
  return name;
}

double NanosecondsPerUnit(const std::string& unit) {
  if (unit == "us") return 1e3;
  if (unit == "ms") return 1e6;
  if (unit == "s") return 1e9;
  return 1;
}

}  // namespace

void TBenchResults::Add(const benchmark::BenchmarkReporter::Run& run, std::optional<double> instructions) {
  // The aggregates are made here from the repetitions themselves.
  if (run.error_occurred || run.run_type != benchmark::BenchmarkReporter::Run::RT_Iteration) return;
  const std::string name = LookupName(run.run_name.str());
  const bool manual = name.ends_with("/manual_time");
  const double time = manual ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime();
  TSample sample{time / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e9,
                 {},
                 static_cast<double>(run.iterations),
                 instructions};
  for (const auto& [counterName, counter] : run.counters) sample.Counters[counterName] = counter.value;
  FSamples[name].push_back(std::move(sample));
}

bool TBenchResults::LoadTimes(const std::string& path) {
  std::ifstream in(path);
  const auto json = nlohmann::json::parse(in, nullptr, false);
  if (json.is_discarded() || !json.contains("benchmarks") || !json["benchmarks"].is_array()) return false;
  for (const auto& run : json["benchmarks"]) {
    if (run.value("run_type", "") != "iteration" || run.value("error_occurred", false)) continue;
    std::string name = LookupName(run.value("run_name", ""));
    // A minimum time stretches the timed run only; the counted one runs fixed iterations.
    if (auto at = name.find("/min_time:"); at != std::string::npos) name.erase(at, name.find('/', at + 1) - at);
    const double time = run.value(name.ends_with("/manual_time") ? "real_time" : "cpu_time", 0.0);
    FTimes[name].push_back(time * NanosecondsPerUnit(run.value("time_unit", "ns")));
  }
  return true;
}

// The time of every repetition of name, or its counter's value where the counter was given.
std::vector<double> TBenchResults::Values(const std::string& name, const std::string* counter) const {
  if (!counter && CountingInstructions()) {
    auto times = FTimes.find(name);
    return times == FTimes.end() ? std::vector<double>{} : times->second;
  }
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

std::optional<double> TBenchResults::Instructions(const std::string& name) const {
  auto it = FSamples.find(name);
  if (it == FSamples.end()) return std::nullopt;
  const TSample *few = nullptr, *more = nullptr;
  for (const TSample& sample : it->second) {
    if (!sample.Instructions) continue;
    if (!few || sample.Iterations < few->Iterations) few = &sample;
    if (!more || sample.Iterations > more->Iterations) more = &sample;
  }
  if (!few || few->Iterations == more->Iterations) return std::nullopt;
  return (*more->Instructions - *few->Instructions) / (more->Iterations - few->Iterations);
}

std::optional<double> TBenchResults::Figure(const std::string& name) const {
  return CountingInstructions() ? Instructions(name) : Nanoseconds(name);
}

std::map<std::string, double> TBenchResults::AllInstructions() const {
  std::map<std::string, double> all;
  for (const auto& [name, samples] : FSamples)
    if (auto instructions = Instructions(name)) all[name] = *instructions;
  return all;
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
  auto first = results.Figure(fmt::format("{}/{}{}", name, sizes.front(), suffix));
  auto last = results.Figure(fmt::format("{}/{}{}", name, sizes.back(), suffix));
  if (!first || !last) return std::nullopt;
  return (*last / sizes.back()) / (*first / sizes.front());
}

double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

namespace {

// The instructions of the run that ended last, taken by the reporter, which hears of the run next.
std::optional<double> GLastRunInstructions;
bool GMoreIterations = false;  // the benchmarks registered now run the more iterations

bool GWarmingUp = false;  // the benchmarks registered now run only to warm up

void BeginRun(const benchmark::State& /*state*/) { BeginCountedRun(); }
void EndRun(const benchmark::State& /*state*/) { GLastRunInstructions = EndCountedRun(); }
void EndWarmUp(const benchmark::State& /*state*/) { EndCountedRun(); }

class TCollectingReporter : public benchmark::ConsoleReporter {
 public:
  explicit TCollectingReporter(TBenchResults& results) : FResults(results) {}
  bool ReportContext(const Context& context) override {
    return CountingInstructions() || ConsoleReporter::ReportContext(context);
  }
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) FResults.Add(run, std::exchange(GLastRunInstructions, std::nullopt));
    // Printing times (or the load average) of varying width would leave the heap in a varying
    // state, and the counted runs' allocations with varying costs.
    if (!CountingInstructions()) ConsoleReporter::ReportRuns(runs);
  }

 private:
  TBenchResults& FResults;
};
}  // namespace

void PrintSummaryHeader(const std::string& title) {
  // Counted, the figures are instructions and the cv that of the timed run's times beside them.
  fmt::print(
      "\n{}\n\n| benchmark | size | figure | floor | ratio | {} | target | met |\n|---|---|---|---|---|---|---|---|\n",
      title, CountingInstructions() ? "time cv" : "cv");
}

void PrintSummaryRow(const std::string& name, const std::string& size, const std::string& figure,
                     const std::string& floor, std::optional<double> ratio, std::optional<double> cv,
                     const std::string& target, std::optional<bool> met) {
  // Instruction counts do not move with the machine's load: only a judgement of times can be unstable.
  const bool unstable = met && cv && *cv > KUnstableCv && !CountingInstructions();
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

std::string FormatFigure(double figure) {
  if (!CountingInstructions()) return FormatTime(figure);
  if (figure < 1e4) return fmt::format("{:.0f} instr", figure);
  if (figure < 1e7) return fmt::format("{:.1f} k instr", figure / 1e3);
  if (figure < 1e10) return fmt::format("{:.2f} M instr", figure / 1e6);
  return fmt::format("{:.2f} G instr", figure / 1e9);
}

benchmark::internal::Benchmark* Tiny(benchmark::internal::Benchmark* benchmark, bool tiny) {
  if (CountingInstructions()) {
    const int iterations = !GMoreIterations ? KFewIterations : tiny ? KTinyMoreIterations : KMoreIterations;
    return benchmark->Iterations(iterations)->Setup(BeginRun)->Teardown(GWarmingUp ? EndWarmUp : EndRun);
  }
  return tiny ? benchmark->Iterations(1) : benchmark;
}

namespace {

// Every instruction figure beside the time of the timed run, where there is one.
void PrintInstructions(const TBenchResults& results) {
  fmt::print(
      "\ninstructions per iteration (counted under callgrind; time and cv of the timed run beside)\n\n"
      "| benchmark | instructions | time | cv |\n|---|---|---|---|\n");
  for (const auto& [name, instructions] : results.AllInstructions()) {
    const auto time = results.Nanoseconds(name);
    const auto cv = results.WorstCv({name});
    fmt::print("| {} | {:.0f} | {} | {} |\n", name, instructions, time ? FormatTime(*time) : "-",
               cv ? fmt::format("{:.1f} %", *cv * 100) : "-");
  }
}

bool WriteInstructions(const TBenchResults& results, const std::string& path) {
  nlohmann::json json = nlohmann::json::object();
  for (const auto& [name, instructions] : results.AllInstructions()) json[name] = std::llround(instructions);
  std::ofstream out(path);
  out << json.dump(2) << "\n";
  return static_cast<bool>(out);
}

// The value of "--flag=VALUE" in arg, if arg is that flag.
std::optional<std::string> FlagValue(std::string_view arg, std::string_view flag) {
  if (!arg.starts_with(flag) || arg.size() <= flag.size() || arg[flag.size()] != '=') return std::nullopt;
  return std::string(arg.substr(flag.size() + 1));
}

}  // namespace

int RunBenchmarks(int argc, char** argv, const std::function<void(bool tiny)>& registerAll,
                  const std::function<void(const TBenchResults&, bool tiny)>& summarize) {
  std::vector<char*> args;
  bool tiny = false, instructions = false;
  std::optional<std::string> instructionsOut, times;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--tiny") == 0)
      tiny = true;
    else if (std::strcmp(argv[i], "--instructions") == 0)
      instructions = true;
    else if (auto out = FlagValue(argv[i], "--instructions_out"))
      instructionsOut = out;
    else if (auto file = FlagValue(argv[i], "--times"))
      times = file;
    else
      args.push_back(argv[i]);
  }
  std::string error;
  if (instructions && !StartCountingInstructions(error)) {
    fmt::print(stderr, "{}\n", error);
    return 1;
  }
  TBenchResults results;
  // A missing timed run only leaves the time columns empty.
  if (times && !results.LoadTimes(*times)) fmt::print(stderr, "no times: {} cannot be read\n", *times);
  const bool repetitionsGiven = std::any_of(args.begin(), args.end(), [](const char* arg) {
    return std::string_view(arg).starts_with("--benchmark_repetitions");
  });
  static char repetitions[] = "--benchmark_repetitions=3";
  static char interleaved[] = "--benchmark_enable_random_interleaving=true";
  if (!tiny && !instructions && !repetitionsGiven) args.insert(args.begin() + 1, {repetitions, interleaved});
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
  if (instructions) {
    // What the process does once (fonts, static tables) falls into a warm-up pass of every
    // benchmark, before the two counted ones.
    GWarmingUp = true;
    registerAll(tiny);
    GWarmingUp = false;
    registerAll(tiny);
    GMoreIterations = true;
  }
  registerAll(tiny);
  TCollectingReporter reporter(results);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  summarize(results, tiny);
  if (!instructions) return 0;
  PrintInstructions(results);
  if (instructionsOut && !WriteInstructions(results, *instructionsOut)) {
    fmt::print(stderr, "cannot write {}\n", *instructionsOut);
    return 1;
  }
  return 0;
}
