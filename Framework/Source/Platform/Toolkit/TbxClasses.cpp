// Component ownership and free notification.
#include "TbxClasses.h"

// ---------------------------------------------------------------------------------------------
// TFreeNotifySink

TFreeNotifySink::~TFreeNotifySink() {
  // Every component still watched must forget this sink, or it would call a dead object.
  for (TComponent* component : FWatched) std::erase(component->FSinks, this);
  FWatched.clear();
}

void TFreeNotifySink::Watch(TComponent* component) {
  if (!component) return;
  // A component lists each sink once, so that the sink hears of it once.
  if (std::find(FWatched.begin(), FWatched.end(), component) == FWatched.end()) component->FSinks.push_back(this);
  FWatched.push_back(component);
}

void TFreeNotifySink::Unwatch(TComponent* component) {
  // The component is only touched while it is watched: an unwatched address may be dangling.
  auto it = std::find(FWatched.begin(), FWatched.end(), component);
  if (it == FWatched.end()) return;
  FWatched.erase(it);
  if (std::find(FWatched.begin(), FWatched.end(), component) == FWatched.end()) std::erase(component->FSinks, this);
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
  auto it = std::find(FComponents.begin(), FComponents.end(), component);
  if (it == FComponents.end()) return;
  FComponents.erase(it);
  component->FOwner = nullptr;
  FNotificationSink.Unwatch(component);
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
  while (!FSinks.empty()) {
    TFreeNotifySink* sink = FSinks.back();
    FSinks.pop_back();
    std::erase(sink->FWatched, this);
    sink->ComponentFreed(this);
  }
}
