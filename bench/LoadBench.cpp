// load: the runner reads an application file and composes its window, for files that are wide
// rather than deep: N sibling work items, and one status bar of N panels. Each must take time
// linear in N; the per-item figure at the largest N over that at the smallest shows it. Over a
// hundredfold size a quadratic step would multiply it by about 100; the working set outgrowing
// the caches (some 2 KB per work item) accounts for up to x3, so x3 is the bound.
//
// children: N child view parts in one container, composed and run (where the toolbar places its
// children) and torn down: labels placed by group index in one toolbar, labels in one multi-dock
// panel (a button and a panel each), radio buttons of one group, all checked. Over the tenfold size
// a quadratic step multiplies the per-child figure by about 10; x3 is the bound here too.
#include <fmt/format.h>

#include <string>
#include <vector>

#include "BenchMain.h"
#include "KolXml.h"
#include "WbAppFile.h"
#include "WbApplication.h"
#include "WbModulePath.h"

namespace {

class TQuietReporter final : public TWbReporter {
 public:
  void HostEvent(const TNUVEvent&) override {}
  void Error(const TWbError&) override {}
  void Emit(const TWbJson&) override {}
};

std::string SiblingWorkItems(int count) {
  std::string text = "<Workbench Name=\"Shell\"><WorkItem ID=\"Main\">\n";
  for (int i = 0; i < count; ++i) text += fmt::format("<WorkItem ID=\"W{}\"/>\n", i);
  return text + "</WorkItem></Workbench>\n";
}

std::string StatusPanels(int count) {
  std::string text =
      "<Workbench Name=\"Shell\"><WorkItem ID=\"Main\"><ViewPart Name=\"Status\" "
      "Factory=\"CreateStatusBarViewPart\"><ExtData><StatusBar><Panels>\n";
  for (int i = 0; i < count; ++i) text += fmt::format("<Panel ID=\"P{0}\" Caption=\"Panel {0}\" Size=\"40\"/>\n", i);
  return text + "</Panels></StatusBar></ExtData></ViewPart></WorkItem></Workbench>\n";
}

// Labels in one toolbar, each with its own group index, arriving from the highest to the lowest
// so that every one is placed in front of the ones before it.
std::string ToolbarChildren(int count) {
  std::string text =
      "<Workbench Name=\"Shell\"><WorkItem ID=\"Main\">\n"
      "<ViewPart Name=\"Bar\" Factory=\"CreateToolbarViewPart\"><ExtData><Toolbar/></ExtData></ViewPart>\n";
  for (int i = 0; i < count; ++i)
    text += fmt::format(
        "<ViewPart Name=\"L{0}\" Factory=\"CreateLabelViewPart\" Caption=\"Label {0}\" WorkSpace=\"Bar\">"
        "<ExtData><GroupIndex>{1}</GroupIndex></ExtData></ViewPart>\n",
        i, count - i);
  return text + "</WorkItem></Workbench>\n";
}

std::string MultiDockChildren(int count) {
  std::string text =
      "<Workbench Name=\"Shell\"><WorkItem ID=\"Main\">\n"
      "<ViewPart Name=\"Side\" Factory=\"CreateMultiDockPanelViewPart\"/>\n";
  for (int i = 0; i < count; ++i)
    text += fmt::format(
        "<ViewPart Name=\"L{0}\" Factory=\"CreateLabelViewPart\" Caption=\"Panel {0}\" WorkSpace=\"Side\"/>\n", i);
  return text + "</WorkItem></Workbench>\n";
}

std::string RadioGroup(int count) {
  std::string text = "<Workbench Name=\"Shell\"><WorkItem ID=\"Main\">\n";
  for (int i = 0; i < count; ++i)
    text += fmt::format(
        "<ViewPart Name=\"R{0}\" Factory=\"CreateRadioButtonViewPart\" Caption=\"Choice {0}\"><ExtData>"
        "<TBXRadioButton><GroupIndex>1</GroupIndex><Checked>True</Checked></TBXRadioButton></ExtData></ViewPart>\n",
        i);
  return text + "</WorkItem></Workbench>\n";
}

// Reading, composing and tearing down, as one run of the runner does; with run, every work item
// runs before the end, as a run without a script does.
void LoadAndClose(benchmark::State& state, const std::string& text, bool run = false) {
  const std::string module = DefaultModulePath();
  for (auto _ : state) {
    const auto start = ThreadCpuSeconds();
    {
      TQuietReporter reporter;
      TWbApplication app(reporter);
      app.Load(ParseAppFile(LoadXMLDocument(text, "bench.xml")), module);
      if (run) app.RunAll();
      app.Finish();
    }
    state.SetIterationTime(ThreadCpuSeconds() - start);
  }
  state.counters["items"] = static_cast<double>(state.range(0));
}

void BM_LoadWorkItems(benchmark::State& state) {
  LoadAndClose(state, SiblingWorkItems(static_cast<int>(state.range(0))));
}
void BM_LoadStatusPanels(benchmark::State& state) {
  LoadAndClose(state, StatusPanels(static_cast<int>(state.range(0))));
}
void BM_LoadToolbarChildren(benchmark::State& state) {
  LoadAndClose(state, ToolbarChildren(static_cast<int>(state.range(0))), true);
}
void BM_LoadMultiDockChildren(benchmark::State& state) {
  LoadAndClose(state, MultiDockChildren(static_cast<int>(state.range(0))), true);
}
void BM_LoadRadioGroup(benchmark::State& state) {
  LoadAndClose(state, RadioGroup(static_cast<int>(state.range(0))), true);
}

// Counted under callgrind, a tenth of the sizes (the same spans): the largest would take hours.
std::vector<int> Scaled(std::vector<int> sizes) {
  if (CountingInstructions())
    for (int& n : sizes) n /= 10;
  return sizes;
}
std::vector<int> WorkItemSizes(bool tiny) { return tiny ? std::vector<int>{10, 100} : Scaled({1000, 10000, 100000}); }
std::vector<int> PanelSizes(bool tiny) { return tiny ? std::vector<int>{10, 100} : Scaled({100, 1000, 10000}); }
std::vector<int> ChildSizes(bool tiny) { return tiny ? std::vector<int>{10, 100} : Scaled({1000, 10000}); }

void RegisterAll(bool tiny) {
  auto add = [tiny](const char* name, void (*run)(benchmark::State&), int n) {
    auto* benchmark = benchmark::RegisterBenchmark(name, run)->Arg(n)->UseManualTime()->Unit(benchmark::kMillisecond);
    // Several runs at every size: a single one would time the first touch of fresh memory.
    // Counted runs have fixed iterations, which a minimum time would contradict.
    Tiny(tiny || CountingInstructions() ? benchmark : benchmark->MinTime(2.0), tiny);
  };
  for (int n : WorkItemSizes(tiny)) add("load_workitems", BM_LoadWorkItems, n);
  for (int n : PanelSizes(tiny)) add("load_panels", BM_LoadStatusPanels, n);
  for (int n : ChildSizes(tiny)) add("load_toolbar_children", BM_LoadToolbarChildren, n);
  for (int n : ChildSizes(tiny)) add("load_multidock_children", BM_LoadMultiDockChildren, n);
  for (int n : ChildSizes(tiny)) add("load_radio_group", BM_LoadRadioGroup, n);
}

void PrintLinearity(const TBenchResults& results, const std::string& name, const std::vector<int>& sizes, bool tiny,
                    const char* target = "linear (per item <= x3 over 100x)") {
  const std::string suffix = tiny || CountingInstructions() ? "/manual_time" : "/min_time:2.000/manual_time";
  const auto growth = PerItemGrowth(results, name, sizes, suffix);
  const std::string lastName = fmt::format("{}/{}{}", name, sizes.back(), suffix);
  const auto last = results.Figure(lastName);
  if (!growth || !last) return;
  PrintSummaryRow(name, fmt::format("{} to {}", sizes.front(), sizes.back()),
                  fmt::format("{} at {} ({} per item), per item x{:.2f}", FormatFigure(*last), sizes.back(),
                              FormatFigure(*last / sizes.back()), *growth),
                  "", std::nullopt, results.WorstCv({fmt::format("{}/{}{}", name, sizes.front(), suffix), lastName}),
                  target, *growth <= 3);
}

void Summarize(const TBenchResults& results, bool tiny) {
  PrintSummaryHeader("loading wide files");
  PrintLinearity(results, "load_workitems", WorkItemSizes(tiny), tiny);
  PrintLinearity(results, "load_panels", PanelSizes(tiny), tiny);
  for (const char* name : {"load_toolbar_children", "load_multidock_children", "load_radio_group"})
    PrintLinearity(results, name, ChildSizes(tiny), tiny, "linear (per child <= x3 over 10x)");
}

}  // namespace

int main(int argc, char** argv) { return RunBenchmarks(argc, argv, RegisterAll, Summarize); }
