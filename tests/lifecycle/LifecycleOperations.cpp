#include "LifecycleOperations.h"

#include <fmt/printf.h>

#include <algorithm>

#include "NUVDockablePanelViewPart.h"
#include "NUVMultiDockPanelViewPart.h"
#include "NUVStatusBarViewPart.h"
#include "NUVStrings.h"
#include "NUVToolbarDockViewPart.h"
#include "NUVToolbarViewPart.h"

namespace {

[[noreturn]] void Fail(const std::string& message) { throw ELifecycleFailure(message); }

const char* WorkItemName(int index) {
  static const char* const names[] = {"Main", "Doc", "Sub"};
  return names[index];
}

// What a refused operation must leave alone: controls, their parents and visibility, the lists
// of docking work spaces, the status panels' controls and the published keys.
std::string WorldFingerprint(TLifeWorld& world) {
  std::string text;
  for (TSlot& slot : world.Slots) {
    TNUVCustomViewPart* part = world.Object(slot);
    if (!part) continue;
    text += part->GetName() + (part->IsInitialized() ? "+" : "-");
    if (TControl* control = part->GetControl())
      text += fmt::sprintf("[%p in %p %d]", static_cast<void*>(control), static_cast<void*>(control->GetParent()),
                           control->GetVisible());
    if (auto* docking = dynamic_cast<TNUVDockingWorkSpaceViewPart*>(part))
      for (auto* child : docking->ShownViewParts()) text += " " + child->GetName();
    if (auto* side = dynamic_cast<TNUVMultiDockPanelViewPart*>(part); side && side->GetToolbar())
      text += " buttons " + std::to_string(side->GetToolbar()->Items()->Count());
    if (auto* status = dynamic_cast<TNUVStatusBarViewPart*>(part); status && status->GetStatusBar())
      for (int i = 0; i < status->GetStatusBar()->Panels().Count(); ++i)
        text += fmt::sprintf(" %p", static_cast<void*>(status->GetStatusBar()->Panels().GetItem(i)->GetControl()));
    text += "\n";
  }
  for (auto& workItem : world.WorkItems)
    for (auto& key : workItem.Item->GetDataContext()->Keys()) text += key + " ";
  return text;
}

bool IsAncestorOrSelf(const TControl* ancestor, const TControl* control) {
  for (const TControl* c = control; c; c = c->GetParent())
    if (c == ancestor) return true;
  return false;
}

// Whether a docking work space lists the child: those lists do not hold their children.
bool ListsUncounted(TNUVCustomViewPart* workSpace, INUVViewPart* child) {
  auto* docking = dynamic_cast<TNUVDockingWorkSpaceViewPart*>(workSpace);
  return docking && docking->IndexOfViewPart(child) >= 0;
}

// Whether the child is on a docking work space: listed there, and its control still lies there.
bool OnDockingWorkSpace(TNUVCustomViewPart* workSpace, INUVViewPart* child) {
  auto* docking = dynamic_cast<TNUVDockingWorkSpaceViewPart*>(workSpace);
  return docking && docking->IsOnMe(child);
}

// The messages that the library documents for refusing child with work space.
std::vector<std::string> DocumentedMessages(INUVViewPart* child, INUVViewPart* workSpace) {
  const std::string c = child->GetName(), w = workSpace->GetName();
  const std::string panelID = GetChildNodeValue(child->GetExtData().get(), "PanelID", false, "");
  return {fmt::sprintf(SViewPartNotOnMe, c, w), fmt::sprintf(LoadLibStr(SViewPartNotDockableWindow), c, w),
          fmt::sprintf(LoadLibStr(SViewPartNotDockablePanel), c, w), fmt::sprintf(LoadLibStr(SPanelIDMissing), c),
          fmt::sprintf(LoadLibStr(SPanelIDNotFound), c, panelID),
          fmt::sprintf(LoadLibStr(SViewPartWithoutControl), c, w),
          fmt::sprintf(LoadLibStr(SStatusPanelWithoutControl), c, panelID),
          // Toolbars that would hold each other, or merge into each other.
          fmt::sprintf(LoadLibStr(SToolbarPlaceCycle), c, w), fmt::sprintf(LoadLibStr(SToolbarMergeCycle), c, w)};
}

// A status panel that holds another child's control names that child.
bool ItemShowsControl(const TTBCustomItem& item, const TControl* control) {
  if (auto* controlItem = dynamic_cast<const TTBControlItem*>(&item);
      controlItem && controlItem->GetControl() == control)
    return item.GetToolbar() == control->GetParent();
  for (int i = 0; i < item.Count(); ++i)
    if (ItemShowsControl(*item.GetItem(i), control)) return true;
  return false;
}

// A toolbar merged into another one shows its control items there.
bool ShowsThroughMerge(TNUVCustomViewPart* workSpace, const TControl* control) {
  auto* toolbar = dynamic_cast<TNUVToolBarViewPart*>(workSpace);
  if (!toolbar || !toolbar->MergedItems()) return false;
  const auto& merged = *toolbar->MergedItems();
  for (int i = 0; i < merged.Count(); ++i)
    if (ItemShowsControl(*merged.Items(i), control)) return true;
  return false;
}

bool RefusesTakenPanel(const std::string& message, INUVViewPart* child) {
  const std::string panelID = GetChildNodeValue(child->GetExtData().get(), "PanelID", false, "");
  const std::string prefix = fmt::sprintf(LoadLibStr(SStatusPanelTaken), child->GetName(), panelID, "");
  return message.starts_with(prefix.substr(0, prefix.size() - 1));
}

void CollectItems(TTBCustomItem* parent, std::vector<TTBCustomItem*>& items) {
  for (int i = 0; i < parent->Count(); ++i) {
    items.push_back(parent->GetItem(i));
    CollectItems(parent->GetItem(i), items);
  }
}

}  // namespace

int TLifeOperations::Pick(int count) { return static_cast<int>(FRandom() % static_cast<std::uint64_t>(count)); }

TSlot& TLifeOperations::AnySlot() {
  return FWorld.Slots[static_cast<size_t>(Pick(static_cast<int>(FWorld.Slots.size())))];
}

void TLifeOperations::Step(const std::function<void(const std::string&)>& describe) {
  FDescribe = describe;
  int choice = Pick(100);
  if (choice < 6) return RunWorkItem(Pick(3));
  if (choice < 11) return StopWorkItem(Pick(3));
  if (choice < 45) return WorkSpaceOperation(Pick(4));
  if (choice < 55) return ClickControl(AnySlot());
  if (choice < 62) return ClickItem();
  if (choice < 70) return WriteKey();
  if (choice < 74) return ReadKeys();
  if (choice < 78) return ResizePanel();
  TSlot& slot = AnySlot();
  TNUVCustomViewPart* part = FWorld.Object(slot);
  if (choice < 83) {
    FDescribe("Initialize " + slot.Decl.Name);
    if (part && !part->IsInitialized()) {
      slot.ViewPart->Initialize();
      FWorld.NameControl(slot);
    }
  } else if (choice < 89) {
    FDescribe("Finalize " + slot.Decl.Name);
    if (part && part->IsInitialized()) slot.ViewPart->Finalize();
  } else if (choice < 95) {
    Release(slot, Chance(70));
  } else {
    FDescribe("Create " + slot.Decl.Name);
    if (!slot.ViewPart) {
      // A toolbar's run refused by design (its merge target is missing, a bound child cannot be
      // placed) leaves the new view part as far as it got.
      try {
        FWorld.Create(static_cast<size_t>(&slot - FWorld.Slots.data()));
      } catch (const Exception&) {
        if (slot.Decl.Kind != TLifeKind::Toolbar) throw;
      }
    }
  }
}

// The host runs a work item's view parts one by one; toolbars may refuse a merge target that is
// missing (an assertion) or a bound child without control.
void TLifeOperations::RunWorkItem(int workItem) {
  FDescribe(std::string("Run ") + WorkItemName(workItem));
  if (FWorld.IsRunning(workItem)) return;
  FWorld.WorkItems[static_cast<size_t>(workItem)].Item->SetState(wsRunning);
  for (TSlot& slot : FWorld.Slots) {
    TNUVCustomViewPart* part = FWorld.Object(slot);
    if (slot.Decl.WorkItem != workItem || !part || !part->IsInitialized()) continue;
    auto* toolbar = dynamic_cast<TNUVToolBarViewPart*>(part);
    FChecker.Merges().AroundMerging(
        FWorld,
        [&] {
          bool handled = false;
          try {
            slot.ViewPart->DoWorkItemRunning("", nullptr, handled);
          } catch (const Exception&) {
            // Also a bound child that could not be placed: one without control, one containing the toolbar.
            if (slot.Decl.Kind != TLifeKind::Toolbar) throw;
          }
        },
        toolbar ? toolbar->GetToolbar() : nullptr);
  }
}

// Nested work items stop before the work items that contain them.
void TLifeOperations::StopWorkItem(int workItem) {
  FDescribe(std::string("Stop ") + WorkItemName(workItem));
  for (int nested = static_cast<int>(FWorld.WorkItems.size()) - 1; nested >= workItem; --nested) {
    bool inside = false;
    for (int w = nested; w >= 0; w = FWorld.WorkItems[static_cast<size_t>(w)].Parent) inside = inside || w == workItem;
    if (!inside || !FWorld.IsRunning(nested)) continue;
    for (TSlot& slot : FWorld.Slots) {
      TNUVCustomViewPart* part = FWorld.Object(slot);
      if (slot.Decl.WorkItem != nested || !part || !part->IsInitialized()) continue;
      bool handled = false;
      if (auto* toolbar = dynamic_cast<TNUVToolBarViewPart*>(part))
        FChecker.Merges().AroundStop(*toolbar, [&] { slot.ViewPart->DoWorkItemStopping("", nullptr, handled); });
      else
        slot.ViewPart->DoWorkItemStopping("", nullptr, handled);
    }
    FWorld.WorkItems[static_cast<size_t>(nested)].Item->SetState(wsStopped);
  }
}

void TLifeOperations::WorkSpaceOperation(int which) {
  static const char* const names[] = {"Show", "Hide", "Close", "Activate"};
  std::vector<TSlot*> workSpaces;
  for (TSlot& slot : FWorld.Slots)
    if (IsWorkSpaceKind(slot.Decl.Kind)) workSpaces.push_back(&slot);
  TSlot& ws = *workSpaces[static_cast<size_t>(Pick(static_cast<int>(workSpaces.size())))];
  TSlot& child = AnySlot();
  FDescribe(std::string(names[which]) + " " + child.Decl.Name + " in " + ws.Decl.Name);
  TNUVCustomViewPart* wsPart = FWorld.Object(ws);
  if (&ws == &child || !wsPart || !wsPart->IsInitialized() || !child.ViewPart) return;
  auto workSpace = Supports<INUVWorkSpace>(static_cast<IInterface*>(ws.ViewPart.get()));
  INUVViewPart* c = child.ViewPart.get();
  TControl* childControl = c->GetControl();
  // A control cannot go into a control that it contains: the toolkit refuses.
  const bool cyclic = which == 0 && childControl && IsAncestorOrSelf(childControl, wsPart->GetControl());
  // Docking work spaces refuse to hide or activate a child that is not on them (not listed, or
  // taken by another work space since), and to close one they do not list; docks also refuse
  // children of the wrong class. Multi-binding work spaces refuse children they have not bound.
  // A child on the work space already is only shown again.
  const bool docking = ws.Decl.Kind == TLifeKind::ToolbarDock || ws.Decl.Kind == TLifeKind::DockablePanel ||
                       ws.Decl.Kind == TLifeKind::MultiDockPanel;
  auto* multi = dynamic_cast<TNUVMultiBindingViewPart*>(wsPart);
  const bool bound = multi && multi->BoundViewParts().IndexOf(c) >= 0;
  const bool onIt = docking ? OnDockingWorkSpace(wsPart, c) : bound;
  bool refusal = false;
  if (which == 0) {
    refusal = !onIt && cyclic;
    if (!onIt && ws.Decl.Kind == TLifeKind::ToolbarDock) {
      const bool multiDock = dynamic_cast<TTBXMultiDock*>(wsPart->GetControl()) != nullptr;
      refusal = refusal || (multiDock ? !dynamic_cast<TTBXDockablePanel*>(childControl)
                                      : !dynamic_cast<TTBCustomDockableWindow*>(childControl));
    }
  } else {
    refusal = which == 2 ? !(docking ? ListsUncounted(wsPart, c) : bound) : !onIt;
  }
  // Hiding or closing a child whose control another work space has taken leaves that control
  // where and as it is.
  auto* wsObject = dynamic_cast<TNUVCustomWorkSpaceViewPart*>(wsPart);
  const bool taken = childControl && !wsObject->HoldsChild(c) && !ShowsThroughMerge(wsPart, childControl);
  TWinControl* parentBefore = childControl ? childControl->GetParent() : nullptr;
  const bool visibleBefore = childControl && childControl->GetVisible();
  const std::string before = WorldFingerprint(FWorld);
  auto call = [&] {
    switch (which) {
      case 0:
        return workSpace->ShowViewPart(c);
      case 1:
        return workSpace->HideViewPart(c);
      case 2:
        return workSpace->CloseViewPart(c);
      default:
        return workSpace->ActivateViewPart(c);
    }
  };
  try {
    if (ws.Decl.Kind == TLifeKind::Toolbar && which == 0)
      FChecker.Merges().AroundMerging(FWorld, call);
    else
      call();
  } catch (const ENUVViewPartError& e) {
    ++FRefusals;
    auto documented = DocumentedMessages(c, ws.ViewPart.get());
    if (std::find(documented.begin(), documented.end(), e.Message()) == documented.end() &&
        !RefusesTakenPanel(e.Message(), c))
      Fail("an undocumented refusal: " + e.Message());
    // The status bar keeps a refused child bound; the toolbar has placed what it could.
    if (which == 0 && (ws.Decl.Kind == TLifeKind::StatusBar || ws.Decl.Kind == TLifeKind::Toolbar)) return;
    if (!refusal) Fail("refused unexpectedly: " + e.Message());
    if (WorldFingerprint(FWorld) != before) Fail("a refused operation changed something: " + e.Message());
    return;
  } catch (const Exception& e) {
    ++FRefusals;
    if (!cyclic) throw;
    // A toolbar that is not running only records the child; it refuses it when it places it.
    if (ws.Decl.Kind != TLifeKind::StatusBar && WorldFingerprint(FWorld) != before)
      Fail("a refused operation changed something: " + e.Message());
    return;
  }
  // A toolbar that is not running places the child only when it runs.
  if (refusal && !(cyclic && ws.Decl.Kind == TLifeKind::Toolbar)) Fail("the work space did not refuse the child");
  if ((which == 1 || which == 2) && taken &&
      (childControl->GetParent() != parentBefore || childControl->GetVisible() != visibleBefore))
    Fail(ws.Decl.Name + " took or hid the control of " + child.Decl.Name + ", which another work space holds");
}

void TLifeOperations::ClickControl(TSlot& slot) {
  int how = Pick(3);
  static const char* const names[] = {"Click", "DblClick", "ContextPopup"};
  FDescribe(std::string(names[how]) + " " + slot.Decl.Name);
  TNUVCustomViewPart* part = FWorld.Object(slot);
  TControl* control = part ? part->GetControl() : nullptr;
  if (!control) return;
  if (auto* status = dynamic_cast<TNUVStatusBarViewPart*>(part); status && how < 2) {
    TTBXStatusBar* bar = status->GetStatusBar();
    if (bar->GetSimplePanel() || bar->Panels().Count() == 0) return;
    int index = Pick(bar->Panels().Count());
    return how == 0 ? bar->PanelClick(index) : bar->PanelDblClick(index);
  }
  if (how == 0) return control->Click();
  if (how == 1) return control->DblClick();
  bool handled = false;
  control->ContextPopup({3, 4}, handled);
}

// Any item of any toolbar that a view part shows: configured, merged, control and toggle items.
void TLifeOperations::ClickItem() {
  TSlot& slot = AnySlot();
  TNUVCustomViewPart* part = FWorld.Object(slot);
  TTBCustomToolbar* toolbar = nullptr;
  if (auto* bar = dynamic_cast<TNUVToolBarViewPart*>(part)) toolbar = bar->GetToolbar();
  if (auto* side = dynamic_cast<TNUVMultiDockPanelViewPart*>(part)) toolbar = side->GetToolbar();
  std::vector<TTBCustomItem*> items;
  if (toolbar) CollectItems(toolbar->Items(), items);
  if (items.empty()) return FDescribe("ClickItem in " + slot.Decl.Name + " (none)");
  TTBCustomItem* item = items[static_cast<size_t>(Pick(static_cast<int>(items.size())))];
  FDescribe("ClickItem '" + item->GetCaption() + "' in " + slot.Decl.Name);
  item->Click();
}

void TLifeOperations::WriteKey() {
  int workItem = Pick(3);
  auto context = FWorld.WorkItems[static_cast<size_t>(workItem)].Item->GetDataContext();
  auto keys = context->Keys();
  if (keys.empty()) return FDescribe("Write (no key)");
  const std::string key = keys[static_cast<size_t>(Pick(static_cast<int>(keys.size())))];
  auto ends = [&key](const std::string& suffix) {
    return key.size() >= suffix.size() && key.compare(key.size() - suffix.size(), suffix.size(), suffix) == 0;
  };
  TNUVValue value;
  switch (context->FindDelegate(key)->GetDataType()) {
    case dtString:
      value = std::string(Chance(20) ? "" : "text " + std::to_string(Pick(1000)));
      break;
    case dtInteger:
      value = ends("_State") ? Pick(4) : Pick(160) - 10;
      break;
    case dtBoolean:
      value = Chance(50);
      break;
  }
  FDescribe("Write " + key + " = " + ValueToText(value));
  if (ends("_State") && std::get<int>(value) == 3) {
    TNUVValue state = context->ReadValue(key);
    try {
      context->WriteValue(key, value);
      Fail("a check box took the state 3");
    } catch (const EConvertError&) {
    }
    if (context->ReadValue(key) != state) Fail("a refused state changed " + key);
    return;
  }
  context->WriteValue(key, value);
  // Only the visibility of a status panel may read differently: it shows what its size says.
  if (!ends("_Visible") && context->ReadValue(key) != value)
    Fail(key + " reads " + ValueToText(context->ReadValue(key)) + " after writing " + ValueToText(value));
}

void TLifeOperations::ReadKeys() {
  int workItem = Pick(3);
  FDescribe(std::string("Read every key of ") + WorkItemName(workItem));
  auto context = FWorld.WorkItems[static_cast<size_t>(workItem)].Item->GetDataContext();
  for (const auto& key : context->Keys()) context->ReadValue(key);
}

// The host takes the child out of every work space that lists or binds it before letting it go:
// the host's reference is then its last, but for a toolbar's own service registration.
void TLifeOperations::Release(TSlot& slot, bool finalizeFirst) {
  FDescribe(std::string(finalizeFirst ? "Finalize and release " : "Release without Finalize ") + slot.Decl.Name);
  if (!slot.ViewPart) return;
  for (TSlot& ws : FWorld.Slots) {
    TNUVCustomViewPart* wsPart = FWorld.Object(ws);
    auto* multi = dynamic_cast<TNUVMultiBindingViewPart*>(wsPart);
    if (wsPart && (ListsUncounted(wsPart, slot.ViewPart.get()) ||
                   (multi && multi->BoundViewParts().IndexOf(slot.ViewPart.get()) >= 0)))
      Supports<INUVWorkSpace>(static_cast<IInterface*>(ws.ViewPart.get()))->CloseViewPart(slot.ViewPart.get());
  }
  // A work space let go without Finalize may live on, bound elsewhere: it must hold no children
  // that the host will not know to take out again, uncounted ones that would dangle or counted
  // ones that could hold it in turn.
  TNUVCustomViewPart* part = FWorld.Object(slot);
  auto* multi = dynamic_cast<TNUVMultiBindingViewPart*>(part);
  if (!finalizeFirst)
    for (TSlot& child : FWorld.Slots)
      if (child.ViewPart && (ListsUncounted(part, child.ViewPart.get()) ||
                             (multi && multi->BoundViewParts().IndexOf(child.ViewPart.get()) >= 0)))
        Supports<INUVWorkSpace>(static_cast<IInterface*>(slot.ViewPart.get()))->CloseViewPart(child.ViewPart.get());
  if (finalizeFirst && part->IsInitialized()) slot.ViewPart->Finalize();
  const INUVViewPart* released = slot.ViewPart.get();
  slot.ViewPart = nullptr;
  if (FWorld.LiveParts.Contains(released)) Fail(slot.Decl.Name + " outlived the host's release");
}

// The user resizes one panel of the multi-dock panel: every other panel takes its size.
void TLifeOperations::ResizePanel() {
  auto* side = dynamic_cast<TNUVMultiDockPanelViewPart*>(FWorld.Object(FWorld.Slots[4]));
  int width = 20 + Pick(200), height = 20 + Pick(200);
  FDescribe("Resize a panel of Side to " + std::to_string(width) + "x" + std::to_string(height));
  if (!side || !side->GetToolbar() || side->GetToolbar()->Items()->Count() == 0) return;
  TTBCustomItem* buttons = side->GetToolbar()->Items();
  auto* button = dynamic_cast<TNUVVisibilityToggleItem*>(buttons->GetItem(Pick(buttons->Count())));
  button->FPanel->SetBounds(0, 0, width, height);
  // Every panel takes the size across the dock as its docked size; the room the window has left
  // decides how much of it shows.
  for (int i = 0; i < buttons->Count(); ++i) {
    TTBXDockablePanel* panel = dynamic_cast<TNUVVisibilityToggleItem*>(buttons->GetItem(i))->FPanel;
    const TTBDock* dock = panel->GetCurrentDock();
    const bool upright = !dock || dock->IsVertical();
    if ((upright ? panel->GetDockedWidth() : panel->GetDockedHeight()) != (upright ? width : height))
      Fail("panel " + std::to_string(i) + " of Side did not take the resized panel's size: docked " +
           std::to_string(panel->GetDockedWidth()) + "x" + std::to_string(panel->GetDockedHeight()) +
           (dock ? " in a dock" : " floating"));
  }
}
