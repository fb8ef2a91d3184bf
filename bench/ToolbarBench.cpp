// merge: a toolbar of n items merged into a main toolbar of m items, then undone by stopping; floor:
// moving n items between two vectors. placement: N children placed by group index into a toolbar,
// and N children placed into status panels by "PanelID".
#include <fmt/format.h>

#include <vector>

#include "BenchAppText.h"
#include "BenchMain.h"
#include "BenchWindow.h"
#include "NUVToolbarViewPart.h"

namespace {

TNUVToolBarViewPart& ToolbarViewPart(INUVViewPart& viewPart) {
  return dynamic_cast<TNUVToolBarViewPart&>(*GetImplObject(&viewPart));
}

// Main items have even group indexes 0, 2, 4, ...; incoming items spread over them, every other
// one matching a main item (which the merge hides) and the rest standing between.
int IncomingGroupIndex(int j, int n, int m) { return 2 * static_cast<int>(static_cast<long long>(j) * m / n) + j % 2; }

// The item pairs that the match scan visits: each incoming item against every top-level item of
// the target at its turn, which grows by one per placed item.
double ScannedPairs(double n, double m) { return n * m + n * (n - 1) / 2; }

// Both phases run in every iteration; merge reports the merge and counts the undo's time per item;
// undo, registered only when counting instructions, counts the undo's instructions.
enum TMergePhase { mpMerge, mpUndo };

void MergeAndUndo(benchmark::State& state, TMergePhase phase) {
  const int n = static_cast<int>(state.range(0));
  const int m = static_cast<int>(state.range(1));
  const std::string text = R"(<Workbench Name="Bench"><WorkItem ID="Main">
    <ViewPart Name="MainToolbar" Factory="CreateToolbarViewPart">)" +
                           ToolbarExtData(m, 0, 2) + R"(</ViewPart>
    <ViewPart Name="DocToolbar" Factory="CreateToolbarViewPart"/>
  </WorkItem></Workbench>)";
  TBenchWindow window(LoadXMLDocument(text, "bench.xml"));
  window.RunAll();
  auto* target = dynamic_cast<TTBXToolbar*>(window.ViewPart("MainToolbar").GetControl());
  TNUVToolBarViewPart& doc = ToolbarViewPart(window.ViewPart("DocToolbar"));
  double undoSeconds = 0;
  for (auto _ : state) {
    CountInstructions(false);
    for (int j = 0; j < n; ++j) {
      auto* item = new TTBXItem(doc.GetToolbar());
      item->SetGroupIndex(IncomingGroupIndex(j, n, m));
      doc.GetToolbar()->Items()->Add(item);
    }
    CountInstructions(phase == mpMerge);
    const auto start = ThreadCpuSeconds();
    doc.MergeIntoToolbar(target);
    CountInstructions(phase == mpUndo);
    const auto merged = ThreadCpuSeconds();
    bool handled = false;
    doc.DoWorkItemStopping("", nullptr, handled);
    CountInstructions(false);
    const auto undone = ThreadCpuSeconds();
    state.SetIterationTime(merged - start);
    undoSeconds += undone - merged;
  }
  state.counters["undo_ns_per_item"] = undoSeconds * 1e9 / static_cast<double>(state.iterations()) / n;
}

void BM_Merge(benchmark::State& state) { MergeAndUndo(state, mpMerge); }
void BM_Undo(benchmark::State& state) { MergeAndUndo(state, mpUndo); }

void BM_MergeFloor(benchmark::State& state) {
  const auto n = static_cast<std::size_t>(state.range(0));
  std::vector<TTBCustomItem*> from(n, nullptr), to;
  from.reserve(n);
  to.reserve(n);
  for (auto _ : state) {
    while (!from.empty()) {
      to.push_back(from.back());
      from.pop_back();
    }
    std::swap(from, to);
    benchmark::ClobberMemory();
  }
}

// ---------------------------------------------------------------------------------------------
// Placement

// N labels, not yet in any work space, each naming a group index and a status panel.
std::string ChildrenText(int n) {
  std::string text = R"(<Workbench Name="Bench"><WorkItem ID="Main">)";
  for (int j = 0; j < n; ++j)
    text += fmt::format(
        R"(<ViewPart Name="L{0}" Factory="CreateLabelViewPart" Caption="L{0}"><ExtData><GroupIndex>{1}</GroupIndex><PanelID>P{0}</PanelID></ExtData></ViewPart>)",
        j, j % 10);
  return text + "</WorkItem></Workbench>";
}

std::string StatusBarText(int panels) {
  std::string text = "<ExtData><StatusBar><Panels>";
  for (int j = 0; j < panels; ++j) text += fmt::format(R"(<Panel ID="P{}"/>)", j);
  return text + "</Panels></StatusBar></ExtData>";
}

// A new work space of the factory's kind, initialised and running in the window's work item.
TIntfPtr<INUVViewPart> NewRunningWorkSpace(TBenchWindow& window, const char* factory, const std::string& extData) {
  TIntfPtr<IQIMExtension> extension = MakeCounted<TNUVExtension>("Space", "", LoadXMLDocument(extData, "space.xml"));
  auto viewPart = TIntfPtr<INUVViewPart>::Adopt(FindBenchFactory(factory)(extension.get(), &window.RootWorkItem()));
  viewPart->Initialize();
  bool handled = false;
  viewPart->DoWorkItemRunning("", nullptr, handled);
  return viewPart;
}

void PlaceChildren(benchmark::State& state, const char* factory, const std::string& extData) {
  const int n = static_cast<int>(state.range(0));
  TBenchWindow window(LoadXMLDocument(ChildrenText(n), "bench.xml"));
  window.RunAll();
  std::vector<INUVViewPart*> children;
  for (int j = 0; j < n; ++j) children.push_back(&window.ViewPart(fmt::format("L{}", j)));
  for (auto _ : state) {
    CountInstructions(false);
    auto space = NewRunningWorkSpace(window, factory, extData);
    auto& multiBinding = dynamic_cast<TNUVMultiBindingViewPart&>(*GetImplObject(space.get()));
    CountInstructions(true);
    const auto start = ThreadCpuSeconds();
    for (INUVViewPart* child : children) multiBinding.PlaceChildViewPart(child);
    state.SetIterationTime(ThreadCpuSeconds() - start);
    CountInstructions(false);
    space->Finalize();
  }
  state.counters["children"] = n;
}

void BM_PlaceInToolbar(benchmark::State& state) {
  PlaceChildren(state, "CreateToolbarViewPart", "<ExtData>" + ToolbarExtData(5, 1, 2) + "</ExtData>");
}

void BM_PlaceInStatusPanels(benchmark::State& state) {
  PlaceChildren(state, "CreateStatusBarViewPart", StatusBarText(static_cast<int>(state.range(0))));
}

// ---------------------------------------------------------------------------------------------

// Counted under callgrind, the largest sizes would take hours.
std::vector<int> MergeSizes(bool tiny) {
  if (tiny) return {10};
  return CountingInstructions() ? std::vector<int>{10, 100, 1000} : std::vector<int>{10, 100, 1000, 5000};
}
std::vector<int> PlacementSizes(bool tiny) {
  if (tiny) return {10};
  return CountingInstructions() ? std::vector<int>{10, 100, 1000} : std::vector<int>{100, 1000, 10000};
}

void RegisterAll(bool tiny) {
  for (int n : MergeSizes(tiny)) {
    for (int m : MergeSizes(tiny)) {
      Tiny(benchmark::RegisterBenchmark("merge", BM_Merge)->Args({n, m}), tiny)
          ->UseManualTime()
          ->Unit(benchmark::kMicrosecond);
      if (CountingInstructions())
        Tiny(benchmark::RegisterBenchmark("undo", BM_Undo)->Args({n, m}), tiny)->UseManualTime();
    }
    Tiny(benchmark::RegisterBenchmark("merge_floor", BM_MergeFloor)->Arg(n), tiny);
  }
  for (int n : PlacementSizes(tiny)) {
    Tiny(benchmark::RegisterBenchmark("place_toolbar", BM_PlaceInToolbar)->Arg(n), tiny)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
    Tiny(benchmark::RegisterBenchmark("place_status", BM_PlaceInStatusPanels)->Arg(n), tiny)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
  }
}

// Undoing a merge of n items: instructions when counting them, else the time the merge runs count.
std::optional<double> UndoPerItem(const TBenchResults& results, int n, int m) {
  if (CountingInstructions()) {
    auto undo = results.Figure(fmt::format("undo/{}/{}/manual_time", n, m));
    return undo ? std::optional(*undo / n) : std::nullopt;
  }
  return results.Counter(fmt::format("merge/{}/{}/manual_time", n, m), "undo_ns_per_item");
}

void Summarize(const TBenchResults& results, bool tiny) {
  PrintSummaryHeader("merge (n items into a main toolbar of m items), then undo by stopping");
  for (int n : MergeSizes(tiny))
    for (int m : MergeSizes(tiny)) {
      const std::string name = fmt::format("merge/{}/{}/manual_time", n, m);
      auto merge = results.Figure(name);
      const std::string floorName = fmt::format("merge_floor/{}", n);
      auto floor = results.Figure(floorName);
      auto undo = UndoPerItem(results, n, m);
      if (!merge || !floor || !undo) continue;
      PrintSummaryRow("merge", fmt::format("n={} m={}", n, m),
                      fmt::format("{}; {} per scanned pair; undo {} per item", FormatFigure(*merge),
                                  FormatFigure(*merge / ScannedPairs(n, m)), FormatFigure(*undo)),
                      FormatFigure(*floor), *merge / *floor, results.WorstCv({name, floorName}), "report",
                      std::nullopt);
    }
  const auto sizes = MergeSizes(tiny);
  for (int m : sizes) {
    const std::string firstName = fmt::format("merge/{}/{}/manual_time", sizes.front(), m);
    const std::string lastName = fmt::format("merge/{}/{}/manual_time", sizes.back(), m);
    auto first = UndoPerItem(results, sizes.front(), m);
    auto last = UndoPerItem(results, sizes.back(), m);
    if (!first || !last || sizes.size() < 2) continue;
    PrintSummaryRow(
        "undo growth", fmt::format("n {} to {}, m={}", sizes.front(), sizes.back(), m),
        fmt::format("per item x{:.2f}", *last / *first), "", std::nullopt,
        CountingInstructions() ? std::nullopt : results.WorstCounterCv({firstName, lastName}, "undo_ns_per_item"),
        "linear (per item <= x1.5)", *last / *first <= 1.5);
  }
  PrintSummaryHeader("placement (per child)");
  for (const char* kind : {"place_toolbar", "place_status"})
    for (int n : PlacementSizes(tiny)) {
      const std::string name = fmt::format("{}/{}/manual_time", kind, n);
      auto figure = results.Figure(name);
      if (!figure) continue;
      PrintSummaryRow(kind, std::to_string(n), fmt::format("{} per child", FormatFigure(*figure / n)), "", std::nullopt,
                      results.WorstCv({name}), "report", std::nullopt);
    }
}

}  // namespace

int main(int argc, char** argv) { return RunBenchmarks(argc, argv, RegisterAll, Summarize); }
