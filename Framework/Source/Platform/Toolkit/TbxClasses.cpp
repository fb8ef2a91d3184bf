// Component ownership and free notification.
#include "TbxClasses.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "TbxFindEitherEnd.h"

// ---------------------------------------------------------------------------------------------
// TFreeNotifySink

TFreeNotifySink::~TFreeNotifySink() {
  // Every component still watched must forget this sink, or it would call a dead object.
  for (const TWatch& watch : FWatched) watch.Component->FSinks.Remove(this);
  FWatched.clear();
}

namespace {
// What was watched last is usually let go first, but a watcher of many may see them go in the
// order they came.
template <class TWatches>
auto FindWatch(TWatches& watches, const TComponent* component) {
  return FindFromEitherEnd(watches.begin(), watches.end(),
                           [component](const auto& w) { return w.Component == component; });
}
}  // namespace

void TFreeNotifySink::Watch(TComponent* component) {
  if (!component) return;
  // A component lists each sink once, so that the sink hears of it once, exactly while the sink
  // watches it: its few sinks tell a first watch at once, where an owner's watch list is long.
  auto& sinks = component->FSinks;
  if (!sinks.Contains(this)) {
    sinks.Add(this);
    FWatched.push_back({component, 1});
    return;
  }
  ++FindWatch(FWatched, component)->Count;
}

void TFreeNotifySink::Unwatch(TComponent* component) {
  // The component is only touched while it is watched: an unwatched address may be dangling.
  auto it = FindWatch(FWatched, component);
  if (it == FWatched.end() || --it->Count > 0) return;
  FWatched.erase(it);
  component->FSinks.Remove(this);
}

void TFreeNotifySink::ReverseWatches() { std::reverse(FWatched.begin(), FWatched.end()); }

// ---------------------------------------------------------------------------------------------
// TComponent::TSinks

bool TComponent::TSinks::Contains(const TFreeNotifySink* sink) const {
  return FFirst == sink || std::find(FMore.begin(), FMore.end(), sink) != FMore.end();
}

void TComponent::TSinks::Add(TFreeNotifySink* sink) {
  if (!FFirst)
    FFirst = sink;
  else
    FMore.push_back(sink);
}

// A sink is listed once. Sinks mostly stop watching newest first (a window torn down in the
// reverse of its making lets a shared image list go from its last toolbar back), so it is looked
// for from the end: a component that thousands watch is not searched whole for each of them.
void TComponent::TSinks::Remove(const TFreeNotifySink* sink) {
  if (FFirst != sink) {
    if (auto it = std::find(FMore.rbegin(), FMore.rend(), sink); it != FMore.rend()) FMore.erase(std::next(it).base());
  } else if (FMore.empty()) {
    FFirst = nullptr;
  } else {
    FFirst = FMore.front();
    FMore.erase(FMore.begin());
  }
}

TFreeNotifySink* TComponent::TSinks::TakeLast() {
  if (FMore.empty()) return std::exchange(FFirst, nullptr);
  TFreeNotifySink* last = FMore.back();
  FMore.pop_back();
  return last;
}

// ---------------------------------------------------------------------------------------------
// TComponent

TComponent::TNotificationSink::~TNotificationSink() = default;

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
  // Someone may have started watching while the subclasses came apart.
  NotifySinks();
}

void TComponent::DestroyComponents() {
  // Each one leaves the list before it goes, since its destructor may destroy its siblings.
  while (!FComponents.empty()) {
    TComponent* component = FComponents.back();
    RemoveComponent(component);
    delete component;
  }
}

void TComponent::InsertComponent(TComponent* component) {
  if (!component || component->FOwner == this) return;
  if (component->FOwner) component->FOwner->RemoveComponent(component);
  FComponents.push_back(component);
  component->FOwner = this;
  // The owner hears of its components' destruction like any other watcher.
  FNotificationSink.Watch(component);
}

void TComponent::RemoveComponent(TComponent* component) {
  auto it = FindFromEitherEnd(FComponents.begin(), FComponents.end(), [component](auto* c) { return c == component; });
  if (it == FComponents.end()) return;
  FComponents.erase(it);
  component->FOwner = nullptr;
  // A component being destroyed has told its watchers already, this owner among them: its few
  // sinks say so at once, where the owner's list of watches would be searched whole.
  if (component->FSinks.Contains(&FNotificationSink)) FNotificationSink.Unwatch(component);
}

void TComponent::FreeNotification(TComponent* component) {
  if (component != this) FNotificationSink.Watch(component);
}

void TComponent::RemoveFreeNotification(TComponent* component) { FNotificationSink.Unwatch(component); }

bool TComponent::QueryInterface(const TGUID& iid, void** obj) {
  if (QueryInterfaceFor<IInterface>(this, iid, obj)) return true;
  *obj = nullptr;
  return false;
}

void TComponent::Notification(TComponent*, TOperation) {}

void TComponent::Destroying() {
  if (FDestroying) return;
  FDestroying = true;
  NotifySinks();
}

void TComponent::NotifySinks() {
  // Popped one at a time: a sink may unwatch, or be destroyed, while another is being told.
  while (!FSinks.Empty()) {
    TFreeNotifySink* sink = FSinks.TakeLast();
    if (auto it = FindWatch(sink->FWatched, this); it != sink->FWatched.end()) sink->FWatched.erase(it);
    sink->ComponentFreed(this);
  }
}
