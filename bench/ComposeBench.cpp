// compose: load an application file of N view parts, Initialize, bind, run; floor: pugixml parsing
// the same text, visiting every node and shaping every caption once with HarfBuzz, uncached.
// teardown: stop, Finalize, last release; floor: compose.
#include <pugixml.hpp>

#include <fmt/format.h>
#include <algorithm>
#include <cstring>
#include <vector>

#include "BenchAppText.h"
#include "BenchMain.h"
#include "BenchWindow.h"
#include "TbxLayoutCounters.h"
#include "TbxStatusBars.h"
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
    CountInstructions(phase == phCompose);
    const auto start = ThreadCpuSeconds();
    auto window = std::make_unique<TBenchWindow>(LoadXMLDocument(text, "bench.xml"));
    window->RunAll();
    CountInstructions(phase == phTeardown);
    const auto composed = ThreadCpuSeconds();
    window.reset();  // the document goes with the last view part that held a node of it
    CountInstructions(false);
    const auto ended = ThreadCpuSeconds();
    state.SetIterationTime(phase == phCompose ? composed - start : ended - composed);
  }
  state.counters["parts"] = static_cast<double>(state.range(0));
}

void BM_Compose(benchmark::State& state) { ComposeAndTearDown(state, phCompose); }
void BM_Teardown(benchmark::State& state) { ComposeAndTearDown(state, phTeardown); }

// How deep the control sits in its window.
int Depth(const TControl* control) {
  int depth = 0;
  for (; control->GetParent(); control = control->GetParent()) ++depth;
  return depth;
}

// One layout change in the middle of the window: the caption of a label on a docked toolbar, or
// a status panel's size, alternately one and the other value. Counts the layout passes and the controls placed per
// change.
enum TChange { chCaption, chPanelSize };

void LayoutChange(benchmark::State& state, TChange change) {
  const int n = static_cast<int>(state.range(0));
  TBenchWindow window(LoadXMLDocument(ApplicationFileText(n), "bench.xml"));
  window.RunAll();
  const int block = n / 10 / 2;
  TControl* control = window.ViewPart((change == chCaption ? "Page" : "Status") + std::to_string(block)).GetControl();
  auto* bar = dynamic_cast<TTBXCustomStatusBar*>(control);
  const auto before = TbxLayoutCounters();
  bool odd = false;
  for (auto _ : state) {
    odd = !odd;
    if (change == chCaption)
      control->SetText(odd ? "A longer page caption" : "Page 1");
    else
      bar->Panels().GetItem(1)->SetSize(odd ? 120 : 80);
  }
  const auto after = TbxLayoutCounters();
  const auto changes = static_cast<double>(state.iterations());
  state.counters["placed"] = static_cast<double>(after.ControlsPlaced - before.ControlsPlaced) / changes;
  state.counters["passes"] = static_cast<double>(after.AlignPasses - before.AlignPasses) / changes;
  state.counters["depth"] = Depth(control);
}

void BM_CaptionChange(benchmark::State& state) { LayoutChange(state, chCaption); }
void BM_PanelSizeChange(benchmark::State& state) { LayoutChange(state, chPanelSize); }

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
    Tiny(benchmark::RegisterBenchmark("caption_change", BM_CaptionChange)->Arg(n), tiny);
    Tiny(benchmark::RegisterBenchmark("panel_size_change", BM_PanelSizeChange)->Arg(n), tiny);
  }
}

std::string PerPart(double figure, int n) {
  return fmt::format("{} ({} per part)", FormatFigure(figure), FormatFigure(figure / n));
}

// Per-part figure at the largest size over that at the smallest: 1 is linear.
void PrintGrowth(const TBenchResults& results, const std::string& name, const std::vector<int>& sizes, double limit) {
  const auto growth = PerItemGrowth(results, name, sizes);
  if (!growth || sizes.size() < 2) return;
  const auto cv = results.WorstCv(
      {fmt::format("{}/{}/manual_time", name, sizes.front()), fmt::format("{}/{}/manual_time", name, sizes.back())});
  PrintSummaryRow(name + " growth", fmt::format("{} to {}", sizes.front(), sizes.back()),
                  fmt::format("per part x{:.2f}", *growth), "", std::nullopt, cv,
                  fmt::format("per part <= x{:.1f}", limit), *growth <= limit);
}

// A change touches O(depth) controls when what it places does not grow with the window: the
// largest window is held to the count of the 1,000-part one.
void PrintLayoutChanges(const TBenchResults& results, const std::vector<int>& sizes) {
  PrintSummaryHeader("one layout change in the middle of the window (controls placed per change)");
  const int reference = std::find(sizes.begin(), sizes.end(), 1000) != sizes.end() ? 1000 : sizes.front();
  for (const char* name : {"caption_change", "panel_size_change"}) {
    const auto referencePlaced = results.Counter(fmt::format("{}/{}", name, reference), "placed");
    for (int n : sizes) {
      const std::string run = fmt::format("{}/{}", name, n);
      auto placed = results.Counter(run, "placed");
      auto passes = results.Counter(run, "passes");
      auto depth = results.Counter(run, "depth");
      auto figure = results.Figure(run);
      if (!placed || !passes || !depth || !figure) continue;
      const bool judged = n == sizes.back() && n != reference && referencePlaced;
      PrintSummaryRow(name, std::to_string(n),
                      fmt::format("{:.0f} placed in {:.0f} passes at depth {:.0f}; {}", *placed, *passes, *depth,
                                  FormatFigure(*figure)),
                      "", std::nullopt, results.WorstCounterCv({run}, "placed"),
                      judged ? fmt::format("O(depth): no more than at {}", reference) : "report",
                      judged ? std::optional(*placed <= *referencePlaced) : std::nullopt);
    }
  }
}

// The most compose may cost over its floor at n parts, if there is a target at that size. Counted
// in instructions, which the machine does not move, the targets are tighter than in time, which
// also pays for a larger window's cache misses.
std::optional<double> ComposeLimit(int n) {
  if (n == 1000) return CountingInstructions() ? 3.0 : 4.0;
  if (n == 10000 && !CountingInstructions()) return 5.0;
  return std::nullopt;
}
double TeardownLimit() { return CountingInstructions() ? 0.3 : 0.5; }
double ComposeGrowthLimit() { return CountingInstructions() ? 1.1 : 1.3; }
double TeardownGrowthLimit() { return CountingInstructions() ? 1.1 : 1.5; }

void Summarize(const TBenchResults& results, bool tiny) {
  PrintSummaryHeader("compose and teardown");
  const auto sizes = Sizes(tiny);
  for (int n : sizes) {
    const std::string floorName = fmt::format("compose_floor/{}", n);
    const std::string composeName = fmt::format("compose/{}/manual_time", n);
    const std::string teardownName = fmt::format("teardown/{}/manual_time", n);
    auto floor = results.Figure(floorName);
    auto compose = results.Figure(composeName);
    auto teardown = results.Figure(teardownName);
    if (!floor || !compose || !teardown) continue;
    const auto limit = ComposeLimit(n);
    PrintSummaryRow("compose", std::to_string(n), PerPart(*compose, n), FormatFigure(*floor) + " (parse and shape)",
                    *compose / *floor, results.WorstCv({composeName, floorName}),
                    limit ? fmt::format("<= {:.0f}x", *limit) : "",
                    limit ? std::optional(*compose <= *limit * *floor) : std::nullopt);
    PrintSummaryRow("teardown", std::to_string(n), PerPart(*teardown, n), FormatFigure(*compose) + " (compose)",
                    *teardown / *compose, results.WorstCv({teardownName, composeName}),
                    fmt::format("<= {}x", TeardownLimit()), *teardown <= TeardownLimit() * *compose);
  }
  PrintGrowth(results, "compose", sizes, ComposeGrowthLimit());
  PrintGrowth(results, "teardown", sizes, TeardownGrowthLimit());
  PrintLayoutChanges(results, sizes);
}

}  // namespace

int main(int argc, char** argv) { return RunBenchmarks(argc, argv, RegisterAll, Summarize); }
