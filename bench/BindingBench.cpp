// binding: writing then reading a data key through the data context, for a string, an integer and
// a Boolean key. What the new value then does (the label's new caption laid out, the status bar's
// panels arranged, the check box's topic fired) is counted apart as the same change made on the
// control directly, and the binding's own work (look-ups, delegate, variant) is what is left; its
// floor: a lookup in an unordered_map of std::function and the call, each way.
#include <fmt/format.h>

#include <functional>
#include <unordered_map>

#include "BenchMain.h"
#include "BenchWindow.h"
#include "TbxStatusBars.h"
#include "TbxTextObjects.h"

namespace {

constexpr const char* KApplication = R"(<Workbench Name="Bench">
  <WorkItem ID="Main">
    <ViewPart Name="Title" Factory="CreateLabelViewPart" Caption="Title"/>
    <ViewPart Name="Caps" Factory="CreateCheckBoxViewPart" Caption="CAPS"/>
    <ViewPart Name="Status" Factory="CreateStatusBarViewPart">
      <ExtData><StatusBar><Panels><Panel ID="Pos" Size="90"/></Panels></StatusBar></ExtData>
    </ViewPart>
  </WorkItem>
</Workbench>)";

struct TKeyCase {
  const char* Name;
  const char* Key;
  TNUVValue First, Second;  // written in turn, so every write changes the value
};

// The most the binding's own work may cost over its floor.
constexpr double KOwnWorkTarget = 2;

// Short enough for the string's own buffer: no allocation on either side.
const TKeyCase KCases[] = {{"string", "Title_Caption", std::string("Chapter 1"), std::string("Chapter 2")},
                           {"integer", "Status_Pos_Size", 120, 80},
                           {"boolean", "Caps_Checked", true, false}};

void BM_Binding(benchmark::State& state) {
  const TKeyCase& c = KCases[state.range(0)];
  TBenchWindow window(LoadXMLDocument(KApplication, "bench.xml"));
  window.RunAll();
  INUVDataContext& context = *window.RootWorkItem().GetDataContext();
  const std::string key = c.Key;
  bool odd = false;
  for (auto _ : state) {
    context.WriteValue(key, (odd = !odd) ? c.First : c.Second);
    benchmark::DoNotOptimize(context.ReadValue(key));
  }
  state.SetLabel(c.Name);
}

template <class F>
void EffectLoop(benchmark::State& state, const TKeyCase& c, F&& change) {
  bool odd = false;
  for (auto _ : state) benchmark::DoNotOptimize(change((odd = !odd) ? c.First : c.Second));
}

// The change a write makes, made on the control itself, and read back.
void BM_BindingEffect(benchmark::State& state) {
  const TKeyCase& c = KCases[state.range(0)];
  TBenchWindow window(LoadXMLDocument(KApplication, "bench.xml"));
  window.RunAll();
  TControl& label = *window.ViewPart("Title").GetControl();
  TTBXStatusPanel& panel = *KindCast<TTBXCustomStatusBar>(window.ViewPart("Status").GetControl())->Panels().GetItem(0);
  auto& box = *KindCast<TTBXCustomCheckBox>(window.ViewPart("Caps").GetControl());
  switch (state.range(0)) {
    case 0:
      EffectLoop(state, c, [&](const TNUVValue& value) {
        label.SetText(std::get<std::string>(value));
        return label.GetText().size();
      });
      break;
    case 1:
      EffectLoop(state, c, [&](const TNUVValue& value) {
        panel.SetSize(std::get<int>(value));
        return panel.GetSize();
      });
      break;
    default:
      EffectLoop(state, c, [&](const TNUVValue& value) {
        box.SetChecked(std::get<bool>(value));
        return box.GetChecked();
      });
  }
  state.SetLabel(c.Name);
}

// The floor keeps a value of the key's own type behind a getter and a setter.
template <class T>
struct TFloorKey {
  std::function<T()> Get;
  std::function<void(const T&)> Set;
};

template <class T>
void FloorLoop(benchmark::State& state, const std::string& key, const T& first, const T& second) {
  T stored{};
  std::unordered_map<std::string, TFloorKey<T>> keys;
  // Neighbours, so that the lookup is not in a map of one.
  for (int i = 0; i < 16; ++i) keys[fmt::format("Other{}_Caption", i)] = {[] { return T{}; }, [](const T&) {}};
  keys[key] = {[&stored] { return stored; }, [&stored](const T& value) { stored = value; }};
  bool odd = false;
  for (auto _ : state) {
    keys.find(key)->second.Set((odd = !odd) ? first : second);
    benchmark::DoNotOptimize(keys.find(key)->second.Get());
  }
}

void BM_BindingFloor(benchmark::State& state) {
  const TKeyCase& c = KCases[state.range(0)];
  if (std::holds_alternative<std::string>(c.First))
    FloorLoop(state, c.Key, std::get<std::string>(c.First), std::get<std::string>(c.Second));
  else if (std::holds_alternative<int>(c.First))
    FloorLoop(state, c.Key, std::get<int>(c.First), std::get<int>(c.Second));
  else
    FloorLoop(state, c.Key, std::get<bool>(c.First), std::get<bool>(c.Second));
  state.SetLabel(c.Name);
}

void RegisterAll(bool tiny) {
  tiny = tiny || CountingInstructions();  // no smaller sizes: counted, always the many iterations of tiny
  for (int i = 0; i < 3; ++i) {
    Tiny(benchmark::RegisterBenchmark("binding", BM_Binding)->Arg(i), tiny);
    Tiny(benchmark::RegisterBenchmark("binding_effect", BM_BindingEffect)->Arg(i), tiny);
    Tiny(benchmark::RegisterBenchmark("binding_floor", BM_BindingFloor)->Arg(i), tiny);
  }
}

// The whole write and read, the change it makes apart (reported beside the layout targets), and
// the binding's own work: the whole less that change.
void Summarize(const TBenchResults& results, bool /*tiny*/) {
  PrintSummaryHeader("binding (write then read one key; the change it makes, apart)");
  for (int i = 0; i < 3; ++i) {
    const std::string workName = fmt::format("binding/{}", i);
    const std::string effectName = fmt::format("binding_effect/{}", i);
    const std::string floorName = fmt::format("binding_floor/{}", i);
    auto work = results.Figure(workName);
    auto effect = results.Figure(effectName);
    auto floor = results.Figure(floorName);
    if (!work || !effect || !floor) continue;
    const double own = *work - *effect;
    PrintSummaryRow("binding", KCases[i].Name,
                    FormatFigure(own) + " (" + FormatFigure(*work) + " less " + FormatFigure(*effect) + ")",
                    FormatFigure(*floor) + " (map)", own / *floor, results.WorstCv({workName, effectName, floorName}),
                    fmt::format("<= {:.0f}x", KOwnWorkTarget), own <= KOwnWorkTarget * *floor);
    PrintSummaryRow("binding_effect", KCases[i].Name, FormatFigure(*effect), "-", std::nullopt,
                    results.WorstCv({effectName}), "reported apart", std::nullopt);
  }
}

}  // namespace

int main(int argc, char** argv) { return RunBenchmarks(argc, argv, RegisterAll, Summarize); }
