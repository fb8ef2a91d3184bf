#include "LifecycleInvariants.h"

#include "LayoutInvariants.h"

#include <algorithm>
#include <set>

#include <fmt/format.h>

#include "NUVDockablePanelViewPart.h"
#include "NUVMultiDockPanelViewPart.h"
#include "NUVStatusBarViewPart.h"
#include "NUVToolbarDockViewPart.h"
#include "NUVToolbarViewPart.h"

namespace {

[[noreturn]] void Fail(const std::string& message) { throw ELifecycleFailure(message); }

std::string NameOf(const TComponent* component) { return component->ClassName() + " '" + component->GetName() + "'"; }

std::string ItemName(const TTBCustomItem* item) { return item->ClassName() + " '" + item->GetCaption() + "'"; }

std::string Join(const std::vector<std::string>& texts) {
  std::string text;
  for (const auto& t : texts) text += (text.empty() ? "" : " ") + t;
  return text;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Trackers

TControlTracker::~TControlTracker() = default;

void TControlTracker::Scan() {
  // A probe takes the next handle, so every control made since the last scan has a smaller one.
  TWinControl probe(nullptr);
  for (THandle handle = FScanned + 1; handle < probe.GetHandle(); ++handle) {
    if (TWinControl* control = FindControl(handle)) {
      FAlive[control] = control;
      Watch(control);
    }
  }
  FScanned = probe.GetHandle();
}

TItemTracker::~TItemTracker() = default;

void TItemTracker::Discover(TTBCustomItem* item) {
  if (!item) return;
  if (!FAlive.count(item)) {
    FAlive[item] = item;
    FRecordOf[item] = FRecords.size();
    FRecords.push_back({ItemName(item), 0});
    Watch(item);
  }
  for (int i = 0; i < item->Count(); ++i) Discover(item->GetItem(i));
}

void TItemTracker::ComponentFreed(TComponent* component) {
  auto it = FRecordOf.find(component);
  if (it == FRecordOf.end()) return;
  ++FRecords[it->second].Destroyed;
  FRecordOf.erase(it);
  FAlive.erase(component);
}

std::vector<std::string> TItemTracker::NeverDestroyed() const {
  std::vector<std::string> names;
  for (const TRecord& record : FRecords)
    if (record.Destroyed != 1) names.push_back(record.Caption + " x" + std::to_string(record.Destroyed));
  return names;
}

std::string DescribeTree(const TTBCustomItem* parent) {
  std::string text;
  for (int i = 0; i < parent->Count(); ++i) {
    const TTBCustomItem* item = parent->GetItem(i);
    char address[32];
    std::snprintf(address, sizeof address, "%p", static_cast<const void*>(item));
    text += item->GetCaption() + "@" + address + (item->GetVisible() ? "" : "-");
    if (item->Count() > 0) text += "(" + DescribeTree(item) + ")";
    text += ' ';
  }
  return text;
}

// ---------------------------------------------------------------------------------------------
// Merges

std::map<const TTBXToolbar*, std::string> TMergeTracker::Targets() const {
  std::map<const TTBXToolbar*, std::string> targets;
  for (const auto& [address, control] : FControls.Alive())
    if (auto* toolbar = dynamic_cast<TTBXToolbar*>(control)) targets[toolbar] = DescribeTree(toolbar->Items());
  return targets;
}

namespace {
std::vector<TNUVToolBarViewPart*> ToolbarViewParts(TLifeWorld& world) {
  std::vector<TNUVToolBarViewPart*> toolbars;
  for (const auto& [intf, part] : world.LiveParts.All())
    if (auto* toolbar = dynamic_cast<TNUVToolBarViewPart*>(part.Object)) toolbars.push_back(toolbar);
  return toolbars;
}

std::vector<TTBCustomItem*> MergedItems(const TNUVToolBarViewPart& viewPart) {
  std::vector<TTBCustomItem*> items;
  if (viewPart.MergedItems())
    for (TTBCustomItem* item : *viewPart.MergedItems()) items.push_back(item);
  return items;
}
}  // namespace

TTBXToolbar* TMergeTracker::TargetOf(const std::vector<TTBCustomItem*>& merged) const {
  for (TTBCustomItem* item : merged)
    if (auto* toolbar = dynamic_cast<TTBXToolbar*>(item->GetToolbar())) return toolbar;
  return nullptr;
}

void TMergeTracker::Prune() {
  std::erase_if(FStacks, [this](const auto& stack) {
    const auto alive = FControls.Alive().find(stack.first);
    return alive == FControls.Alive().end() || stack.second.empty() ||
           alive->second->GetHandle() != stack.second.front().Target;
  });
}

void TMergeTracker::AroundMerging(TLifeWorld& world, const std::function<void()>& call, const TTBXToolbar* rebuilt) {
  FControls.Scan();
  Prune();
  auto before = Targets();
  std::map<TNUVToolBarViewPart*, std::vector<TTBCustomItem*>> mergedBefore;
  for (TNUVToolBarViewPart* toolbar : ToolbarViewParts(world)) mergedBefore[toolbar] = MergedItems(*toolbar);
  try {
    call();
  } catch (...) {
    FControls.Scan();
    throw;
  }
  FControls.Scan();
  // Only a call in which exactly one view part merged says what that merge did to its target.
  TNUVToolBarViewPart* merger = nullptr;
  std::vector<TTBCustomItem*> arrived;
  int mergers = 0;
  for (TNUVToolBarViewPart* toolbar : ToolbarViewParts(world)) {
    std::vector<TTBCustomItem*> now = MergedItems(*toolbar), fresh;
    const auto& old = mergedBefore[toolbar];
    for (TTBCustomItem* item : now)
      if (std::find(old.begin(), old.end(), item) == old.end()) fresh.push_back(item);
    if (fresh.empty()) continue;
    ++mergers;
    merger = toolbar;
    arrived = fresh;
  }
  if (mergers != 1) return;
  TTBXToolbar* target = TargetOf(arrived);
  if (!target || target == rebuilt || !before.count(target)) return;
  FStacks[target].push_back({merger, before[target], DescribeTree(target->Items()), mergedBefore[merger].empty(),
                             MergedItems(*merger), target->GetHandle()});
  ++FRecorded;
}

void TMergeTracker::AroundStop(TNUVToolBarViewPart& viewPart, const std::function<void()>& call) {
  FControls.Scan();
  Prune();
  std::vector<TTBCustomItem*> merged = MergedItems(viewPart);
  for (TTBCustomItem* item : merged) FItems.Discover(item);
  std::vector<TTBCustomItem*> hidden;
  if (viewPart.HiddenItems())
    for (TTBCustomItem* item : *viewPart.HiddenItems()) hidden.push_back(item);
  // Each target whose last merges are this view part's, with nothing else in between, must come
  // back exactly as it was before the first of them.
  std::vector<std::pair<const TTBXToolbar*, std::string>> exact;
  for (auto& [target, stack] : FStacks) {
    size_t first = stack.size();
    while (first > 0 && stack[first - 1].ViewPart == &viewPart) --first;
    // A merge of this view part that went unrecorded (one of several in a call) is in Before.
    if (first == stack.size() || !stack[first].FirstMerge) continue;
    bool untouched = DescribeTree(target->Items()) == stack.back().After;
    for (size_t i = first + 1; i < stack.size(); ++i) untouched = untouched && stack[i].Before == stack[i - 1].After;
    for (size_t i = first; i < stack.size(); ++i)
      for (TTBCustomItem* item : stack[i].Merged)
        untouched = untouched && std::find(merged.begin(), merged.end(), item) != merged.end();
    if (untouched) exact.emplace_back(target, stack[first].Before);
  }
  for (auto& [target, stack] : FStacks)
    std::erase_if(stack, [&viewPart](const TEntry& entry) { return entry.ViewPart == &viewPart; });

  call();

  const std::string name = viewPart.GetName();
  if (viewPart.MergedItems() || viewPart.HiddenItems()) Fail(name + " kept its merge lists after stopping");
  for (TTBCustomItem* item : merged)
    if (FItems.IsAlive(item)) Fail(name + " stopped but its merged item " + ItemName(item) + " lives on");
  for (TTBCustomItem* item : hidden)
    if (FItems.IsAlive(item) && !item->GetVisible())
      Fail(name + " stopped but the item " + ItemName(item) + " that its merge hid is still invisible");
  FControls.Scan();
  for (const auto& [target, before] : exact) {
    if (!FControls.IsAlive(target)) continue;
    ++FExactChecks;
    std::string after = DescribeTree(target->Items());
    if (after != before)
      Fail(fmt::format("{} stopped, but the toolbar {} is not as before the merge:\n  before: {}\n  after:  {}", name,
                       NameOf(target), before, after));
  }
}

// ---------------------------------------------------------------------------------------------
// Checks

void TLifeChecker::Discover() {
  FControls.Scan();
  for (const auto& [address, control] : FControls.Alive()) {
    auto* toolbar = dynamic_cast<TTBCustomToolbar*>(control);
    if (!toolbar) continue;
    FItems.Discover(toolbar->Items());
    for (int i = 0; i < toolbar->ComponentCount(); ++i)
      FItems.Discover(dynamic_cast<TTBCustomItem*>(toolbar->GetComponent(i)));
  }
  for (const auto& [intf, part] : FWorld.LiveParts.All())
    if (auto* toolbar = dynamic_cast<TNUVToolBarViewPart*>(part.Object))
      if (toolbar->MergedItems())
        for (TTBCustomItem* item : *toolbar->MergedItems()) FItems.Discover(item);
}

void TLifeChecker::Check() {
  Discover();
  CheckControls();
  CheckViewParts();
  CheckItems();
  CheckStatusPanels();
  CheckKeys();
  CheckServices();
  CheckLayout();
}

// Every tree of controls, from each control without a parent, keeps the layout invariants.
void TLifeChecker::CheckLayout() const {
  for (const auto& [address, control] : FControls.Alive()) {
    if (control->GetParent()) continue;
    const auto violations = LayoutViolations(*control);
    if (!violations.empty()) Fail("layout: " + violations.front());
  }
}

void TLifeChecker::CheckControls() const {
  for (const auto& [address, control] : FControls.Alive()) {
    size_t depth = 0;
    for (const TControl* c = control->GetParent(); c; c = c->GetParent())
      if (++depth > FControls.Alive().size()) Fail(NameOf(control) + " lies inside itself");
    if (TWinControl* parent = control->GetParent()) {
      if (!FControls.IsAlive(parent)) Fail(NameOf(control) + " refers to a destroyed parent");
      if (parent->IndexOfControl(control) < 0)
        Fail(NameOf(control) + " names " + NameOf(parent) + " as its parent, which does not list it");
    }
    for (int i = 0; i < control->GetControlCount(); ++i) {
      TControl* child = control->GetControl(i);
      if (!FControls.IsAlive(child)) Fail(NameOf(control) + " lists a destroyed child control");
      if (child->GetParent() != control)
        Fail(NameOf(control) + " lists " + NameOf(child) + ", whose parent is another control");
    }
  }
}

void TLifeChecker::CheckViewParts() const {
  const TLiveViewParts& live = FWorld.LiveParts;
  auto requireLive = [&live](const INUVViewPart* child, const std::string& where) {
    if (!live.Contains(child)) Fail(where + " lists a child view part that was destroyed");
  };
  for (const auto& [intf, part] : live.All()) {
    const std::string name = part.Object->GetName();
    TControl* control = part.Object->GetControl();
    if (part.Object->IsInitialized() != (control != nullptr))
      Fail(name + (control ? " has a control while not initialized" : " lost its control while initialized"));
    if (control && !FControls.IsAlive(control)) Fail(name + " gives a destroyed control");
    if (auto* docking = dynamic_cast<TNUVDockingWorkSpaceViewPart*>(part.Object))
      for (INUVViewPart* child : docking->ShownViewParts()) requireLive(child, name + "'s shown list");
    if (auto* multi = dynamic_cast<TNUVMultiBindingViewPart*>(part.Object))
      for (int i = 0; i < multi->BoundViewParts().Count(); ++i)
        requireLive(multi->BoundViewParts().Items(i), name + "'s bound view parts");
    auto* side = dynamic_cast<TNUVMultiDockPanelViewPart*>(part.Object);
    if (!side || !side->GetToolbar()) continue;
    TTBCustomItem* buttons = side->GetToolbar()->Items();
    for (int i = 0; i < buttons->Count(); ++i) {
      auto* button = dynamic_cast<TNUVVisibilityToggleItem*>(buttons->GetItem(i));
      if (!button) Fail(name + "'s toolbar holds an item that is not a toggle button");
      requireLive(button->FViewPart, name + "'s toggle button");
      if (!button->FPanel) Fail(name + "'s toggle button " + std::to_string(i) + " lost its panel");
    }
  }
}

void TLifeChecker::CheckItems() const {
  for (const auto& [address, item] : FItems.Alive()) {
    if (TTBCustomItem* parent = item->GetParent()) {
      if (!FItems.IsAlive(parent)) Fail(ItemName(item) + " stands in a destroyed item");
      if (parent->IndexOf(item) < 0) Fail(ItemName(item) + " names a parent item that does not hold it");
    }
    for (int i = 0; i < item->Count(); ++i)
      if (item->GetItem(i)->GetParent() != item) Fail(ItemName(item) + " holds an item that names another parent");
    TControl* control = nullptr;
    if (auto* controlItem = dynamic_cast<TTBControlItem*>(item)) control = controlItem->GetControl();
    if (auto* toggle = dynamic_cast<TTBXVisibilityToggleItem*>(item)) control = toggle->GetControl();
    if (control && !FControls.IsAlive(control)) Fail(ItemName(item) + " refers to a destroyed control");
  }
  for (const auto& [intf, part] : FWorld.LiveParts.All()) {
    auto* toolbar = dynamic_cast<TNUVToolBarViewPart*>(part.Object);
    if (!toolbar) continue;
    for (const auto* list : {toolbar->MergedItems(), toolbar->HiddenItems()})
      if (list)
        for (TTBCustomItem* item : *list)
          if (!FItems.IsAlive(item)) Fail(toolbar->GetName() + "'s merge lists hold a destroyed item");
  }
}

void TLifeChecker::CheckStatusPanels() const {
  for (const auto& [address, control] : FControls.Alive()) {
    auto* bar = dynamic_cast<TTBXCustomStatusBar*>(control);
    if (!bar) continue;
    for (int i = 0; i < bar->Panels().Count(); ++i) {
      TControl* child = bar->Panels().GetItem(i)->GetControl();
      if (child && !FControls.IsAlive(child))
        Fail(NameOf(bar) + "'s panel " + std::to_string(i) + " holds a destroyed control");
    }
  }
}

std::vector<std::string> ExpectedKeys(const TLiveViewPart& part, const TSlotDecl& decl) {
  std::vector<std::string> suffixes;
  if (!part.Object->IsInitialized()) return {};
  switch (part.Kind) {
    case TLifeKind::Label:
    case TLifeKind::Link:
      if (part.Ran) suffixes = {"_Caption"};
      break;
    case TLifeKind::RadioButton:
      if (part.Ran) suffixes = {"_Checked"};
      break;
    case TLifeKind::CheckBox:
      if (part.Ran) suffixes = {"_Checked", "_State"};
      break;
    case TLifeKind::StatusBar:
      if (decl.SimpleText) suffixes = {"_SimpleText"};
      for (const std::string& id : decl.PanelIDs)
        for (const char* key : {"_Caption", "_Size", "_Visible"}) suffixes.push_back("_" + id + key);
      break;
    default:
      break;
  }
  std::vector<std::string> keys;
  for (const auto& suffix : suffixes) keys.push_back(part.Object->GetName() + suffix);
  return keys;
}

void TLifeChecker::CheckKeys() const {
  for (size_t w = 0; w < FWorld.WorkItems.size(); ++w) {
    std::vector<std::string> expected;
    for (const auto& [intf, part] : FWorld.LiveParts.All())
      if (part.WorkItem == static_cast<int>(w))
        for (auto& key : ExpectedKeys(part, FWorld.Slots[part.Slot].Decl)) expected.push_back(key);
    std::vector<std::string> actual = FWorld.WorkItems[w].Item->GetDataContext()->Keys();
    std::sort(expected.begin(), expected.end());
    std::sort(actual.begin(), actual.end());
    if (actual != expected)
      Fail("the data keys of work item " + FWorld.WorkItems[w].Item->GetID() + " are [" + Join(actual) +
           "], expected [" + Join(expected) + "]");
  }
}

void TLifeChecker::CheckServices() const {
  std::set<std::string> expected = {SImageServiceID, SActionServiceID};
  for (const auto& [intf, part] : FWorld.LiveParts.All()) {
    const std::string& id = FWorld.Slots[part.Slot].Decl.ServiceID;
    if (!id.empty() && part.Object->IsInitialized()) expected.insert(id);
  }
  auto ids = FWorld.Host.Services().ServiceIDs();
  std::set<std::string> actual(ids.begin(), ids.end());
  if (actual != expected)
    Fail("the services are [" + Join({actual.begin(), actual.end()}) + "], expected [" +
         Join({expected.begin(), expected.end()}) + "]");
}

void TLifeChecker::CheckTornDown(const TLiveViewParts& live) const {
  std::vector<std::string> survivors;
  for (const auto& [intf, part] : live.All()) survivors.push_back(part.Object->GetName());
  if (!survivors.empty()) Fail("view parts outlived the host: " + Join(survivors));
  auto lost = FItems.NeverDestroyed();
  if (!lost.empty()) Fail("toolbar items not destroyed exactly once: " + Join(lost));
}
