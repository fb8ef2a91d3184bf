// memory: bytes allocated per view part of each kind, counted by a replaced global operator new,
// while the view parts are created, initialised, bound and run; and the bytes they still hold
// once running.
#include <fmt/format.h>

#include "BenchAllocations.h"
#include "BenchMain.h"
#include "BenchWindow.h"

namespace {

constexpr int KPartsPerKind = 100;

struct TKind {
  const char* Name;
  bool Simple;
  const char* Factory;
  const char* ExtData;  // a typical configuration
};

const TKind KKinds[] = {
    {"label", true, "CreateLabelViewPart", "<ExtData><Label><Underline>True</Underline></Label></ExtData>"},
    {"link", true, "CreateLinkViewPart", "<ExtData><TBXLink><Font><Color>clBlue</Color></Font></TBXLink></ExtData>"},
    {"radio button", true, "CreateRadioButtonViewPart",
     "<ExtData><TBXRadioButton><GroupIndex>1</GroupIndex></TBXRadioButton></ExtData>"},
    {"check box", true, "CreateCheckBoxViewPart",
     "<ExtData><TBXCheckBox><AllowGrayed>True</AllowGrayed></TBXCheckBox></ExtData>"},
    {"toolbar dock", false, "CreateToolbarDockViewPart",
     "<ExtData><ToolbarDock><BoundLines>Bottom</BoundLines></ToolbarDock></ExtData>"},
    {"dockable panel", false, "CreateDockablePanelViewPart",
     "<ExtData><DockablePanel><CaptionRotation>AlwaysHorz</CaptionRotation></DockablePanel></ExtData>"},
    {"multi-dock panel", false, "CreateMultiDockPanelViewPart",
     "<ExtData><MultiDockPanel><Position>Left</Position></MultiDockPanel></ExtData>"},
    {"toolbar", false, "CreateToolbarViewPart",
     R"(<ExtData><Toolbar><Item Caption="Open" GroupIndex="1"/><Item Caption="Save" GroupIndex="1"/></Toolbar></ExtData>)"},
    {"status bar", false, "CreateStatusBarViewPart",
     R"(<ExtData><StatusBar><Panels><Panel ID="Msg" Caption="Ready"/><Panel ID="Pos"/></Panels></StatusBar></ExtData>)"},
};

std::string KindText(const TKind& kind) {
  std::string text = R"(<Workbench Name="Bench"><WorkItem ID="Main">)";
  for (int i = 0; i < KPartsPerKind; ++i)
    text += fmt::format(R"(<ViewPart Name="P{}" Factory="{}" Caption="Caption">{}</ViewPart>)", i, kind.Factory,
                        kind.ExtData);
  return text + "</WorkItem></Workbench>";
}

// The document is parsed before counting starts: its nodes are the host's, not the view parts'.
// The window and services of an empty application are taken off as well.
void BM_Memory(benchmark::State& state) {
  const TKind& kind = KKinds[state.range(0)];
  const auto empty = LoadXMLDocument(R"(<Workbench Name="Bench"><WorkItem ID="Main"/></Workbench>)", "empty.xml");
  const auto document = LoadXMLDocument(KindText(kind), "bench.xml");
  double allocated = 0, allocations = 0, retained = 0;
  for (auto _ : state) {
    auto measure = [&](const TIntfPtr<IXMLNode>& root, double sign) {
      const TAllocationCount before = AllocationsNow();
      auto window = std::make_unique<TBenchWindow>(root);
      window->RunAll();
      const TAllocationCount after = AllocationsNow();
      allocated += sign * static_cast<double>(after.Bytes - before.Bytes);
      allocations += sign * static_cast<double>(after.Allocations - before.Allocations);
      retained += sign * static_cast<double>(after.LiveBytes - before.LiveBytes);
    };
    measure(document, 1);
    measure(empty, -1);
  }
  const double perPart = static_cast<double>(state.iterations()) * KPartsPerKind;
  state.counters["bytes_per_part"] = allocated / perPart;
  state.counters["allocs_per_part"] = allocations / perPart;
  state.counters["retained_per_part"] = retained / perPart;
  state.SetLabel(kind.Name);
}

void RegisterAll(bool tiny) {
  for (int i = 0; i < static_cast<int>(std::size(KKinds)); ++i)
    Tiny(benchmark::RegisterBenchmark("memory", BM_Memory)->Arg(i), tiny)->Iterations(tiny ? 1 : 3);
}

void Summarize(const TBenchResults& results, bool /*tiny*/) {
  PrintSummaryHeader("memory per view part (allocated while created, initialised, bound and run; retained)");
  for (int i = 0; i < static_cast<int>(std::size(KKinds)); ++i) {
    const std::string name = fmt::format("memory/{}", i);
    auto bytes = results.Counter(name, "bytes_per_part");
    auto count = results.Counter(name, "allocs_per_part");
    auto retained = results.Counter(name, "retained_per_part");
    if (!bytes || !count || !retained) continue;
    const TKind& kind = KKinds[i];
    PrintSummaryRow("memory", kind.Name,
                    fmt::format("{:.0f} B in {:.1f} allocations; {:.0f} B retained", *bytes, *count, *retained), "",
                    std::nullopt, results.WorstCounterCv({name}, "bytes_per_part"),
                    kind.Simple ? "<= 2048 B" : "report", kind.Simple ? std::optional(*bytes <= 2048) : std::nullopt);
  }
}

}  // namespace

int main(int argc, char** argv) { return RunBenchmarks(argc, argv, RegisterAll, Summarize); }
