// native: compose of the N-part window with its Qt peers (a widget for every control), and the
// peers alone; floor: Qt's own QUiLoader building a window of as many widgets, with their texts
// and geometries, from a .ui file in memory. Neither shows its window: both build the widget tree.
// Also the memory the peers take per control, apart from the headless window's.
#include <QApplication>
#include <QBuffer>
#include <QEvent>
#include <QUiLoader>
#include <QWidget>
#include <cstdint>
#include <fmt/format.h>
#include <vector>

#include "BenchAllocations.h"
#include "BenchAppText.h"
#include "BenchMain.h"
#include "BenchWindow.h"
#include "TbxLayoutCounters.h"
#include "TbxQt.h"

namespace {

int CountControls(const TControl& control) {
  int count = 1;
  if (const auto* windowed = dynamic_cast<const TWinControl*>(&control))
    for (int i = 0; i < windowed->GetControlCount(); ++i) count += CountControls(*windowed->GetControl(i));
  return count;
}

// How many controls the window of that many parts has: the widgets the .ui file must match.
int ControlsOfWindow(int parts) {
  TBenchWindow window(LoadXMLDocument(ApplicationFileText(parts), "bench.xml"));
  window.RunAll();
  return CountControls(window.Window());
}

// A window of count widgets: one frame per ten holding labels, check boxes, radio buttons, tool
// buttons and frames, each placed by its geometry, as a designer lays widgets out without layouts.
QByteArray UiText(int count) {
  static const char* const classes[] = {"QLabel", "QCheckBox", "QRadioButton", "QToolButton", "QLabel"};
  std::string ui = R"(<?xml version="1.0" encoding="UTF-8"?><ui version="4.0"><class>Bench</class>)"
                   R"(<widget class="QWidget" name="Bench"><property name="geometry"><rect><x>0</x><y>0</y>)"
                   R"(<width>800</width><height>600</height></rect></property>)";
  int made = 1;
  for (int group = 0; made < count; ++group) {
    ui += fmt::format(R"(<widget class="QFrame" name="group{}"><property name="geometry"><rect><x>0</x><y>{}</y>)"
                      R"(<width>800</width><height>30</height></rect></property>)",
                      group, group % 20 * 30);
    ++made;
    for (int i = 0; i < 9 && made < count; ++i, ++made)
      ui += fmt::format(R"(<widget class="{}" name="w{}_{}"><property name="geometry"><rect><x>{}</x><y>4</y>)"
                        R"(<width>80</width><height>20</height></rect></property><property name="text">)"
                        R"(<string>Item {}</string></property></widget>)",
                        classes[i % 5], group, i, i * 84, i);
    ui += "</widget>";
  }
  ui += "</widget></ui>";
  return QByteArray::fromStdString(ui);
}

// Both phases run in every iteration; the benchmark reports one of them.
enum TPhase { phComposeWithPeers, phPeersOnly };

void ComposeWithPeers(benchmark::State& state, TPhase phase) {
  const std::string text = ApplicationFileText(static_cast<int>(state.range(0)));
  TQtBackend backend;
  int widgets = 0;
  for (auto _ : state) {
    CountInstructions(phase == phComposeWithPeers);
    const auto start = ThreadCpuSeconds();
    auto window = std::make_unique<TBenchWindow>(LoadXMLDocument(text, "bench.xml"));
    window->RunAll();
    CountInstructions(true);
    const auto composed = ThreadCpuSeconds();
    backend.Attach(window->Window(), "bench");
    CountInstructions(false);
    const auto attached = ThreadCpuSeconds();
    widgets = CountControls(window->Window());
    window.reset();
    state.SetIterationTime(phase == phComposeWithPeers ? attached - start : attached - composed);
  }
  state.counters["widgets"] = widgets;
}

void BM_NativeCompose(benchmark::State& state) { ComposeWithPeers(state, phComposeWithPeers); }
void BM_NativePeers(benchmark::State& state) { ComposeWithPeers(state, phPeersOnly); }

// What attaching the peers allocates and keeps, per control of the composed window.
void BM_PeerMemory(benchmark::State& state) {
  const std::string text = ApplicationFileText(static_cast<int>(state.range(0)));
  TQtBackend backend;
  double allocated = 0, retained = 0, controls = 0;
  for (auto _ : state) {
    auto window = std::make_unique<TBenchWindow>(LoadXMLDocument(text, "bench.xml"));
    window->RunAll();
    const TAllocationCount before = AllocationsNow();
    backend.Attach(window->Window(), "bench");
    const TAllocationCount after = AllocationsNow();
    allocated += static_cast<double>(after.Bytes - before.Bytes);
    retained += static_cast<double>(after.LiveBytes - before.LiveBytes);
    controls += CountControls(window->Window());
  }
  state.counters["bytes_per_control"] = allocated / controls;
  state.counters["retained_per_control"] = retained / controls;
}

void BM_UiLoader(benchmark::State& state) {
  const QByteArray ui = UiText(ControlsOfWindow(static_cast<int>(state.range(0))));
  QUiLoader loader;
  int widgets = 0;
  for (auto _ : state) {
    CountInstructions(false);
    QByteArray bytes = ui;
    QBuffer buffer(&bytes);
    CountInstructions(true);
    const auto start = ThreadCpuSeconds();
    std::unique_ptr<QWidget> window(loader.load(&buffer));
    CountInstructions(false);
    const auto loaded = ThreadCpuSeconds();
    widgets = static_cast<int>(window->findChildren<QWidget*>().size()) + 1;
    window.reset();
    state.SetIterationTime(loaded - start);
  }
  state.counters["widgets"] = widgets;
}

// The composed window shown offscreen with its peers, for the steps of a live gesture.
struct TShownWindow {
  explicit TShownWindow(TQtBackend& backend, int parts)
      : Window(LoadXMLDocument(ApplicationFileText(parts), "bench.xml")) {
    Window.RunAll();
    backend.Attach(Window.Window(), "bench");
    backend.Show(Window.Window());
    QApplication::processEvents();
  }
  TBenchWindow Window;
};

// Counts the paint events that reach widgets while it lives.
struct TPaintCounter : QObject {
  TPaintCounter() { QApplication::instance()->installEventFilter(this); }
  ~TPaintCounter() override { QApplication::instance()->removeEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++Count;
    return false;
  }
  std::uint64_t Count = 0;
};

// One step of the user dragging the window's corner: the form is laid out at the new size, the
// peers follow, and Qt repaints the window into its offscreen backing store, as it would for the
// screen. Nothing else is painted: a picture of the window (Render) is no part of a live resize.
void BM_LiveResize(benchmark::State& state) {
  TQtBackend backend;
  TShownWindow shown(backend, static_cast<int>(state.range(0)));
  TForm& form = shown.Window.Form();
  int step = 0;
  TPaintCounter paints;
  for (auto _ : state) {
    const auto start = ThreadCpuSeconds();
    ++step;
    form.Resize(1000 + step % 2, 700 + step % 2);
    QApplication::processEvents();
    state.SetIterationTime(ThreadCpuSeconds() - start);
  }
  state.counters["controls"] = CountControls(form);
  state.counters["widgets_painted_per_step"] = static_cast<double>(paints.Count) / static_cast<double>(step);
}

// One step of a toolbar dragged by its handle: the pointer moves between a dock and the open
// window, the target and the outline follow; no control is placed until the drop.
void BM_DragStep(benchmark::State& state) {
  TQtBackend backend;
  TShownWindow shown(backend, static_cast<int>(state.range(0)));
  TForm& form = shown.Window.Form();
  auto& toolbar = *KindCast<TTBCustomDockableWindow>(shown.Window.ViewPart("Bar0").GetControl());
  const TRect at = toolbar.GetWindowRect();
  form.BeginDockDrag(toolbar, {at.Left + 4, at.Top + 4});
  const auto placedBefore = TbxLayoutCounters().ControlsPlaced;
  int step = 0;
  for (auto _ : state) {
    const auto start = ThreadCpuSeconds();
    ++step;
    form.DockDragTo(step % 2 ? TPoint{at.Left + 40, at.Top + 4} : TPoint{400, 300});
    QApplication::processEvents();
    state.SetIterationTime(ThreadCpuSeconds() - start);
  }
  state.counters["controls_placed_per_step"] =
      static_cast<double>(TbxLayoutCounters().ControlsPlaced - placedBefore) / static_cast<double>(step);
  state.counters["docks_looked_at"] = form.GetDockDrag()->DockCount();
  form.CancelDockDrag();
}

std::vector<int> Sizes(bool tiny) { return tiny ? std::vector<int>{10} : std::vector<int>{1000}; }

void RegisterAll(bool tiny) {
  for (int n : Sizes(tiny)) {
    Tiny(benchmark::RegisterBenchmark("native_compose", BM_NativeCompose)->Arg(n), tiny)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
    Tiny(benchmark::RegisterBenchmark("native_peers", BM_NativePeers)->Arg(n), tiny)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
    Tiny(benchmark::RegisterBenchmark("uiloader", BM_UiLoader)->Arg(n), tiny)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
    // Bytes, not instructions: not counted.
    if (!CountingInstructions())
      Tiny(benchmark::RegisterBenchmark("peer_memory", BM_PeerMemory)->Arg(n), tiny)->Iterations(tiny ? 1 : 3);
    Tiny(benchmark::RegisterBenchmark("live_resize", BM_LiveResize)->Arg(n), tiny)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
    Tiny(benchmark::RegisterBenchmark("drag_step", BM_DragStep)->Arg(n), tiny)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
  }
}

// The time of a step, and its instructions when they were counted.
std::string StepFigure(const TBenchResults& results, const std::string& name, double nanoseconds) {
  const auto instructions = CountingInstructions() ? results.Instructions(name) : std::nullopt;
  return FormatTime(nanoseconds) + (instructions ? fmt::format(" ({:.0f} instr)", *instructions) : "");
}

// The budgets of the living window: a step of a live resize within 8 ms, a drag step within 2 ms
// placing no control. They are times the user feels, judged in time even when instructions are
// counted (from the timed run then).
void SummarizeLive(const TBenchResults& results, int n) {
  const std::string resizeName = fmt::format("live_resize/{}/manual_time", n);
  const std::string dragName = fmt::format("drag_step/{}/manual_time", n);
  const auto resize = results.Nanoseconds(resizeName);
  const auto drag = results.Nanoseconds(dragName);
  const auto placed = results.Counter(dragName, "controls_placed_per_step");
  const auto controls = results.Counter(resizeName, "controls");
  const std::string size = fmt::format("{} parts, {} controls", n, controls ? int(*controls) : 0);
  const bool target = n == 1000;
  if (resize)
    PrintSummaryRow("live_resize step", size, StepFigure(results, resizeName, *resize), "8 ms budget", *resize / 8e6,
                    results.WorstCv({resizeName}), target ? "<= 1x" : "",
                    target ? std::optional(*resize <= 8e6) : std::nullopt);
  if (drag)
    PrintSummaryRow("drag step", size,
                    StepFigure(results, dragName, *drag) + fmt::format(", {:.0f} placed", placed ? *placed : -1),
                    "2 ms budget", *drag / 2e6, results.WorstCv({dragName}), target ? "<= 1x, 0 placed" : "",
                    target ? std::optional(*drag <= 2e6 && placed && *placed == 0) : std::nullopt);
}

void Summarize(const TBenchResults& results, bool tiny) {
  PrintSummaryHeader("native window: compose with peers against QUiLoader");
  for (int n : Sizes(tiny)) {
    const std::string nativeName = fmt::format("native_compose/{}/manual_time", n);
    const std::string peersName = fmt::format("native_peers/{}/manual_time", n);
    const std::string loaderName = fmt::format("uiloader/{}/manual_time", n);
    auto native = results.Figure(nativeName);
    auto peers = results.Figure(peersName);
    auto loader = results.Figure(loaderName);
    auto widgets = results.Counter(nativeName, "widgets");
    if (!native || !peers || !loader) continue;
    const std::string size = fmt::format("{} parts, {} widgets", n, widgets ? int(*widgets) : 0);
    const std::string floor = FormatFigure(*loader) + " (QUiLoader)";
    const bool target = n == 1000;
    PrintSummaryRow("native_compose", size, FormatFigure(*native), floor, *native / *loader,
                    results.WorstCv({nativeName, loaderName}), target ? "<= 0.5x" : "",
                    target ? std::optional(*native <= 0.5 * *loader) : std::nullopt);
    PrintSummaryRow("native_peers", size, FormatFigure(*peers), floor, *peers / *loader,
                    results.WorstCv({peersName, loaderName}), "", std::nullopt);
    const std::string memoryName = fmt::format("peer_memory/{}", n);
    auto bytes = results.Counter(memoryName, "bytes_per_control");
    auto retained = results.Counter(memoryName, "retained_per_control");
    if (bytes && retained)
      PrintSummaryRow("peer memory", size, fmt::format("{:.0f} B per control; {:.0f} B retained", *bytes, *retained),
                      "", std::nullopt, results.WorstCounterCv({memoryName}, "bytes_per_control"), "report",
                      std::nullopt);
  }
  PrintSummaryHeader("the living window: a step of a live resize and of a toolbar drag");
  for (int n : Sizes(tiny)) SummarizeLive(results, n);
}

}  // namespace

int main(int argc, char** argv) {
  PrepareQtApplication(true);
  QApplication app(argc, argv);
  return RunBenchmarks(argc, argv, RegisterAll, Summarize);
}
