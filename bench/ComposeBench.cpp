// compose: load an application file of N view parts, Initialize, bind, run; floor: pugixml parsing
// the same text, visiting every node and shaping every caption once with HarfBuzz, uncached.
// teardown: stop, Finalize, last release; floor: compose.
#include <pugixml.hpp>

#include <fmt/format.h>
#include <cstring>
#include <vector>

#include "BenchAppText.h"
#include "BenchMain.h"
#include "BenchWindow.h"
#include "TbxTextMetrics.h"

namespace {

// Every node, attributes included, is touched once, and every caption measured.
std::size_t VisitNodes(const pugi::xml_node& node, TTextMetrics& metrics, const TFont& font) {
  std::size_t seen = 1;
  for (const pugi::xml_attribute& attribute : node.attributes()) {
    if (std::strcmp(attribute.name(), "Caption") == 0) seen += metrics.TextWidth(font, attribute.value());
    seen += attribute.value()[0] != 0 ? 1 : 0;
  }
  for (const pugi::xml_node& child : node.children()) seen += VisitNodes(child, metrics, font);
  return seen;
}

void BM_ComposeFloor(benchmark::State& state) {
  const std::string text = ApplicationFileText(static_cast<int>(state.range(0)));
  TTextMetrics metrics({.CacheBytes = 0});  // every caption shaped afresh
  const TFont font;
  benchmark::DoNotOptimize(metrics.TextWidth(font, "Save"));  // the font is resolved outside the timing
  for (auto _ : state) {
    pugi::xml_document document;
    document.load_buffer(text.data(), text.size(), pugi::parse_default | pugi::parse_ws_pcdata_single);
    benchmark::DoNotOptimize(VisitNodes(document, metrics, font));
  }
}

// Both phases run in every iteration; the benchmark reports one of them.
enum TPhase { phCompose, phTeardown };

void ComposeAndTearDown(benchmark::State& state, TPhase phase) {
  const std::string text = ApplicationFileText(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    const auto start = ThreadCpuSeconds();
    auto window = std::make_unique<TBenchWindow>(LoadXMLDocument(text, "bench.xml"));
    window->RunAll();
    const auto composed = ThreadCpuSeconds();
    window.reset();  // the document goes with the last view part that held a node of it
    const auto ended = ThreadCpuSeconds();
    state.SetIterationTime(phase == phCompose ? composed - start : ended - composed);
  }
  state.counters["parts"] = static_cast<double>(state.range(0));
}

void BM_Compose(benchmark::State& state) { ComposeAndTearDown(state, phCompose); }
void BM_Teardown(benchmark::State& state) { ComposeAndTearDown(state, phTeardown); }

std::vector<int> Sizes(bool tiny) { return tiny ? std::vector<int>{10} : std::vector<int>{100, 1000, 10000}; }

void RegisterAll(bool tiny) {
  for (int n : Sizes(tiny)) {
    Tiny(benchmark::RegisterBenchmark("compose_floor", BM_ComposeFloor)->Arg(n), tiny)->Unit(benchmark::kMicrosecond);
    Tiny(benchmark::RegisterBenchmark("compose", BM_Compose)->Arg(n), tiny)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
    Tiny(benchmark::RegisterBenchmark("teardown", BM_Teardown)->Arg(n), tiny)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
  }
}

std::string PerPart(double ns, int n) { return fmt::format("{} ({} per part)", FormatTime(ns), FormatTime(ns / n)); }

// Per-part time at the largest size over that at the smallest: 1 is linear.
void PrintGrowth(const TBenchResults& results, const std::string& name, const std::vector<int>& sizes, double limit) {
  const auto growth = PerItemGrowth(results, name, sizes);
  if (!growth || sizes.size() < 2) return;
  const auto cv = results.WorstCv(
      {fmt::format("{}/{}/manual_time", name, sizes.front()), fmt::format("{}/{}/manual_time", name, sizes.back())});
  PrintSummaryRow(name + " growth", fmt::format("{} to {}", sizes.front(), sizes.back()),
                  fmt::format("per part x{:.2f}", *growth), "", std::nullopt, cv,
                  fmt::format("per part <= x{:.1f}", limit), *growth <= limit);
}

// The most compose may cost over its floor at n parts, if there is a target at that size.
std::optional<double> ComposeLimit(int n) {
  if (n == 1000) return 4.0;
  if (n == 10000) return 5.0;
  return std::nullopt;
}

void Summarize(const TBenchResults& results, bool tiny) {
  PrintSummaryHeader("compose and teardown");
  const auto sizes = Sizes(tiny);
  for (int n : sizes) {
    const std::string floorName = fmt::format("compose_floor/{}", n);
    const std::string composeName = fmt::format("compose/{}/manual_time", n);
    const std::string teardownName = fmt::format("teardown/{}/manual_time", n);
    auto floor = results.Nanoseconds(floorName);
    auto compose = results.Nanoseconds(composeName);
    auto teardown = results.Nanoseconds(teardownName);
    if (!floor || !compose || !teardown) continue;
    const auto limit = ComposeLimit(n);
    PrintSummaryRow("compose", std::to_string(n), PerPart(*compose, n), FormatTime(*floor) + " (parse and shape)",
                    *compose / *floor, results.WorstCv({composeName, floorName}),
                    limit ? fmt::format("<= {:.0f}x", *limit) : "",
                    limit ? std::optional(*compose <= *limit * *floor) : std::nullopt);
    PrintSummaryRow("teardown", std::to_string(n), PerPart(*teardown, n), FormatTime(*compose) + " (compose)",
                    *teardown / *compose, results.WorstCv({teardownName, composeName}), "<= 0.5x",
                    *teardown <= 0.5 * *compose);
  }
  PrintGrowth(results, "compose", sizes, 1.3);
  PrintGrowth(results, "teardown", sizes, 1.5);
}

}  // namespace

int main(int argc, char** argv) { return RunBenchmarks(argc, argv, RegisterAll, Summarize); }
