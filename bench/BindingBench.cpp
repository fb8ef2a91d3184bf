// binding: writing then reading a data key through the data context, for a string, an integer and
// a Boolean key; floor: a lookup in an unordered_map of std::function and the call, each way, and
// for the Boolean key, whose change fires a topic, one publish of an event to a broker that has no
// subscriber.
#include <fmt/format.h>

#include <functional>
#include <unordered_map>

#include "BenchMain.h"
#include "BenchWindow.h"

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
  const char* Topic;        // the topic a change fires, if any
  double Target;            // the most the binding may cost over its floor
};

// Short enough for the string's own buffer: no allocation on either side.
const TKeyCase KCases[] = {{"string", "Title_Caption", std::string("Chapter 1"), std::string("Chapter 2"), nullptr, 2},
                           {"integer", "Status_Pos_Size", 120, 80, nullptr, 2},
                           {"boolean", "Caps_Checked", true, false, "Topic://ViewPart/Caps/OnChange", 3}};

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

// The floor keeps a value of the key's own type behind a getter and a setter.
template <class T>
struct TFloorKey {
  std::function<T()> Get;
  std::function<void(const T&)> Set;
};

template <class T>
void FloorLoop(benchmark::State& state, const std::string& key, const T& first, const T& second, const char* topic) {
  auto broker = MakeCounted<TNUVEventBroker>();
  T stored{};
  std::unordered_map<std::string, TFloorKey<T>> keys;
  // Neighbours, so that the lookup is not in a map of one.
  for (int i = 0; i < 16; ++i) keys[fmt::format("Other{}_Caption", i)] = {[] { return T{}; }, [](const T&) {}};
  keys[key] = {[&stored] { return stored; }, [&stored](const T& value) { stored = value; }};
  bool odd = false;
  for (auto _ : state) {
    keys.find(key)->second.Set((odd = !odd) ? first : second);
    if (topic) {
      TNUVEvent event;
      event.Topic = topic;
      broker->Publish(event);
    }
    benchmark::DoNotOptimize(keys.find(key)->second.Get());
  }
}

void BM_BindingFloor(benchmark::State& state) {
  const TKeyCase& c = KCases[state.range(0)];
  if (std::holds_alternative<std::string>(c.First))
    FloorLoop(state, c.Key, std::get<std::string>(c.First), std::get<std::string>(c.Second), c.Topic);
  else if (std::holds_alternative<int>(c.First))
    FloorLoop(state, c.Key, std::get<int>(c.First), std::get<int>(c.Second), c.Topic);
  else
    FloorLoop(state, c.Key, std::get<bool>(c.First), std::get<bool>(c.Second), c.Topic);
  state.SetLabel(c.Name);
}

void RegisterAll(bool tiny) {
  tiny = tiny || CountingInstructions();  // no smaller sizes: counted, always the many iterations of tiny
  for (int i = 0; i < 3; ++i) {
    Tiny(benchmark::RegisterBenchmark("binding", BM_Binding)->Arg(i), tiny);
    Tiny(benchmark::RegisterBenchmark("binding_floor", BM_BindingFloor)->Arg(i), tiny);
  }
}

void Summarize(const TBenchResults& results, bool /*tiny*/) {
  PrintSummaryHeader("binding (write then read one key)");
  for (int i = 0; i < 3; ++i) {
    const std::string workName = fmt::format("binding/{}", i);
    const std::string floorName = fmt::format("binding_floor/{}", i);
    auto work = results.Figure(workName);
    auto floor = results.Figure(floorName);
    if (!work || !floor) continue;
    PrintSummaryRow("binding", KCases[i].Name, FormatFigure(*work),
                    FormatFigure(*floor) + (KCases[i].Topic ? " (map and publish)" : " (map)"), *work / *floor,
                    results.WorstCv({workName, floorName}), fmt::format("<= {:.0f}x", KCases[i].Target),
                    *work <= KCases[i].Target * *floor);
  }
}

}  // namespace

int main(int argc, char** argv) { return RunBenchmarks(argc, argv, RegisterAll, Summarize); }
