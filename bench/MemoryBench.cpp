// memory: bytes allocated per view part of each kind, counted by a replaced global operator new,
// while the view parts are created, initialised, bound and run; and the bytes they still hold
// once running. memory_each: the same per status panel and per toolbar item, beyond a bar or
// toolbar without any.
#include <fmt/format.h>

#include <initializer_list>
#include <string>
#include <utility>

#include "BenchAllocations.h"
#include "BenchMain.h"
#include "BenchWindow.h"
#include "TbxDocks.h"
#include "TbxItems.h"
#include "TbxToolbars.h"

namespace {

constexpr int KPartsPerKind = 100;

// The toolkit objects a view part holds, with their sizes and their sum: a row that misses names
// them, as they alone take most of the 2 KiB.
struct TObjectSizes {
  std::string Text;
  std::size_t Bytes = 0;
};
TObjectSizes ObjectSizes(std::initializer_list<std::pair<const char*, std::size_t>> objects) {
  TObjectSizes sizes;
  for (const auto& [name, bytes] : objects) {
    sizes.Text += fmt::format("{}{} {} B", sizes.Text.empty() ? "" : ", ", name, bytes);
    sizes.Bytes += bytes;
  }
  return sizes;
}

struct TKind {
  const char* Name;
  const char* Factory;
  const char* ExtData;  // a typical configuration
  int Children = 0;     // the status panels or toolbar items it configures
  int EachKind = -1;    // their row in KEachKinds
  TObjectSizes (*ToolkitObjects)() = nullptr;
};

const TKind KKinds[] = {
    {"label", "CreateLabelViewPart", "<ExtData><Label><Underline>True</Underline></Label></ExtData>"},
    {"link", "CreateLinkViewPart", "<ExtData><TBXLink><Font><Color>clBlue</Color></Font></TBXLink></ExtData>"},
    {"radio button", "CreateRadioButtonViewPart",
     "<ExtData><TBXRadioButton><GroupIndex>1</GroupIndex></TBXRadioButton></ExtData>"},
    {"check box", "CreateCheckBoxViewPart",
     "<ExtData><TBXCheckBox><AllowGrayed>True</AllowGrayed></TBXCheckBox></ExtData>"},
    {"toolbar dock", "CreateToolbarDockViewPart",
     "<ExtData><ToolbarDock><BoundLines>Bottom</BoundLines></ToolbarDock></ExtData>"},
    {"dockable panel", "CreateDockablePanelViewPart",
     "<ExtData><DockablePanel><CaptionRotation>AlwaysHorz</CaptionRotation></DockablePanel></ExtData>"},
    {"multi-dock panel", "CreateMultiDockPanelViewPart",
     "<ExtData><MultiDockPanel><Position>Left</Position></MultiDockPanel></ExtData>", 0, -1,
     [] {
       return ObjectSizes({{"TTBXDock", sizeof(TTBXDock)},
                           {"TTBXToolbar", sizeof(TTBXToolbar)},
                           {"TTBRootItem", sizeof(TTBRootItem)}});
     }},
    {"toolbar", "CreateToolbarViewPart",
     R"(<ExtData><Toolbar><Item Caption="Open" GroupIndex="1"/><Item Caption="Save" GroupIndex="1"/></Toolbar></ExtData>)",
     2, 1,
     [] {
       return ObjectSizes({{"TTBXToolbar", sizeof(TTBXToolbar)}, {"TTBRootItem", sizeof(TTBRootItem)}});
     }},
    {"status bar", "CreateStatusBarViewPart",
     R"(<ExtData><StatusBar><Panels><Panel ID="Msg" Caption="Ready"/><Panel ID="Pos"/></Panels></StatusBar></ExtData>)",
     2, 0},
};

std::string KindText(const TKind& kind) {
  std::string text = R"(<Workbench Name="Bench"><WorkItem ID="Main">)";
  for (int i = 0; i < KPartsPerKind; ++i)
    text += fmt::format(R"(<ViewPart Name="P{}" Factory="{}" Caption="Caption">{}</ViewPart>)", i, kind.Factory,
                        kind.ExtData);
  return text + "</WorkItem></Workbench>";
}

// What composing and running the window of a parsed document adds, in bytes asked for, allocations
// and bytes still held.
struct TMemoryFigures {
  double Allocated = 0, Allocations = 0, Retained = 0;
};

TMemoryFigures MeasureWindow(const TIntfPtr<IXMLNode>& root) {
  const TAllocationCount before = AllocationsNow();
  auto window = std::make_unique<TBenchWindow>(root);
  window->RunAll();
  const TAllocationCount after = AllocationsNow();
  return {static_cast<double>(after.Bytes - before.Bytes), static_cast<double>(after.Allocations - before.Allocations),
          static_cast<double>(after.LiveBytes - before.LiveBytes)};
}

// Runs the document and the empty one each iteration and sets the difference, per part, as the
// benchmark's counters. The documents are parsed before counting starts: their nodes are the
// host's, not the view parts'.
void CountDifference(benchmark::State& state, const std::string& full, const std::string& empty, int parts) {
  const auto emptyDocument = LoadXMLDocument(empty, "empty.xml");
  const auto document = LoadXMLDocument(full, "bench.xml");
  // Once untimed: what the first window fills and keeps (the text measurements of its captions)
  // is no part's.
  MeasureWindow(document);
  MeasureWindow(emptyDocument);
  TMemoryFigures sum;
  for (auto _ : state) {
    const TMemoryFigures with = MeasureWindow(document);
    const TMemoryFigures without = MeasureWindow(emptyDocument);
    sum.Allocated += with.Allocated - without.Allocated;
    sum.Allocations += with.Allocations - without.Allocations;
    sum.Retained += with.Retained - without.Retained;
  }
  const double perPart = static_cast<double>(state.iterations()) * parts;
  state.counters["bytes_per_part"] = sum.Allocated / perPart;
  state.counters["allocs_per_part"] = sum.Allocations / perPart;
  state.counters["retained_per_part"] = sum.Retained / perPart;
}

// The window and services of an empty application are taken off.
void BM_Memory(benchmark::State& state) {
  const TKind& kind = KKinds[state.range(0)];
  CountDifference(state, KindText(kind), R"(<Workbench Name="Bench"><WorkItem ID="Main"/></Workbench>)", KPartsPerKind);
  state.SetLabel(kind.Name);
}

// Panels and items as the runner's load benchmark writes them: each panel with an ID (so three
// data keys), a caption and a size; each item with a caption and a group index.
constexpr int KEachCount = 1000;

struct TEachKind {
  const char* Name;
  const char* Factory;
  const char* Open;   // the configuration up to the first child
  const char* Child;  // one child, {0} its number
  const char* Close;
};

const TEachKind KEachKinds[] = {
    {"status panel", "CreateStatusBarViewPart", "<StatusBar><Panels>",
     R"(<Panel ID="P{0}" Caption="Panel {0}" Size="40"/>)", "</Panels></StatusBar>"},
    {"toolbar item", "CreateToolbarViewPart", "<Toolbar>", R"(<Item Caption="Item {0}" GroupIndex="{0}"/>)",
     "</Toolbar>"},
};

std::string EachText(const TEachKind& kind, int count) {
  std::string text =
      fmt::format(R"(<Workbench Name="Bench"><WorkItem ID="Main"><ViewPart Name="Bar" Factory="{}"><ExtData>{})",
                  kind.Factory, kind.Open);
  for (int i = 0; i < count; ++i) text += fmt::format(fmt::runtime(kind.Child), i);
  return text + kind.Close + "</ExtData></ViewPart></WorkItem></Workbench>";
}

// A status bar (toolbar) of KEachCount panels (items) against the same view part without any.
void BM_MemoryEach(benchmark::State& state) {
  const TEachKind& kind = KEachKinds[state.range(0)];
  CountDifference(state, EachText(kind, KEachCount), EachText(kind, 0), KEachCount);
  state.SetLabel(kind.Name);
}

void RegisterAll(bool tiny) {
  for (int i = 0; i < static_cast<int>(std::size(KKinds)); ++i)
    Tiny(benchmark::RegisterBenchmark("memory", BM_Memory)->Arg(i), tiny)->Iterations(tiny ? 1 : 3);
  for (int i = 0; i < static_cast<int>(std::size(KEachKinds)); ++i)
    Tiny(benchmark::RegisterBenchmark("memory_each", BM_MemoryEach)->Arg(i), tiny)->Iterations(tiny ? 1 : 3);
}

constexpr double KTargetBytes = 2048;

// The bytes the view part's own panels or items take (from memory_each), which are judged apart;
// 0 when it has none or memory_each did not run.
double ChildrenBytes(const TBenchResults& results, const TKind* kind) {
  if (!kind || kind->EachKind < 0) return 0;
  const auto each = results.Counter(fmt::format("memory_each/{}", kind->EachKind), "bytes_per_part");
  return each ? *each * kind->Children : 0;
}

void SummarizeRow(const TBenchResults& results, const std::string& benchmark, const std::string& name,
                  const char* label, const TKind* kind) {
  auto bytes = results.Counter(name, "bytes_per_part");
  auto count = results.Counter(name, "allocs_per_part");
  auto retained = results.Counter(name, "retained_per_part");
  if (!bytes || !count || !retained) return;
  std::string figure = fmt::format("{:.0f} B in {:.1f} allocations; {:.0f} B retained", *bytes, *count, *retained);
  const double children = ChildrenBytes(results, kind);
  if (children > 0)
    figure += fmt::format("; its {} {}s {:.0f} B (judged apart), itself {:.0f} B", kind->Children,
                          KEachKinds[kind->EachKind].Name, children, *bytes - children);
  const double judged = *bytes - children;
  if (judged > KTargetBytes) {
    figure += fmt::format("; missed by {:.0f} B", judged - KTargetBytes);
    if (kind && kind->ToolkitObjects) {
      const TObjectSizes objects = kind->ToolkitObjects();
      figure += fmt::format(": the toolkit objects it holds take {} B of it ({})", objects.Bytes, objects.Text);
    }
  }
  PrintSummaryRow(benchmark, label, figure, "", std::nullopt, results.WorstCounterCv({name}, "bytes_per_part"),
                  "<= 2048 B", judged <= KTargetBytes);
}

// Simple view parts: at most 2 KiB each; every other kind, each status panel and toolbar item: at
// most 2 KiB beyond the parsed document (which every figure here leaves out).
void Summarize(const TBenchResults& results, bool /*tiny*/) {
  PrintSummaryHeader("memory per view part (allocated while created, initialised, bound and run; retained)");
  for (int i = 0; i < static_cast<int>(std::size(KKinds)); ++i)
    SummarizeRow(results, "memory", fmt::format("memory/{}", i), KKinds[i].Name, &KKinds[i]);
  PrintSummaryHeader(
      fmt::format("memory per status panel and toolbar item ({} of them against none, beyond the parsed "
                  "document)",
                  KEachCount));
  for (int i = 0; i < static_cast<int>(std::size(KEachKinds)); ++i)
    SummarizeRow(results, "memory_each", fmt::format("memory_each/{}", i), KEachKinds[i].Name, nullptr);
}

}  // namespace

int main(int argc, char** argv) { return RunBenchmarks(argc, argv, RegisterAll, Summarize); }
