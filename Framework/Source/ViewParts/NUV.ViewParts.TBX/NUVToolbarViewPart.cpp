#include "NUVToolbarViewPart.h"

#include <algorithm>
#include <exception>
#include <set>
#include <utility>
#include <vector>

#include "NUVConfig.h"
#include "NUVStrings.h"
#include "NUVUnfinishedControl.h"

namespace {
// Marks a toolbar whose items a toolbar view part has merged into another toolbar, and names that
// one: a merge can tell from the target toolbar alone whether its items come, through merges, into
// the toolbar that is to merge into it.
class TNUVMergeMark final : public TComponent {
 public:
  TNUVMergeMark(TTBXToolbar* toolbar, std::string viewPart) : TComponent(toolbar), ViewPart(std::move(viewPart)) {}
  TGuard<TTBXToolbar> Target;
  const std::string ViewPart;
};

TNUVMergeMark* MergeMarkOf(const TTBXToolbar& toolbar) {
  for (int i = toolbar.ComponentCount() - 1; i >= 0; --i)
    if (auto* mark = dynamic_cast<TNUVMergeMark*>(toolbar.GetComponent(i))) return mark;
  return nullptr;
}
}  // namespace

// A toolbar that the host let go without Finalize takes its weak registration with it.
TNUVToolBarViewPart::~TNUVToolBarViewPart() { WithdrawService(); }

TControl* TNUVToolBarViewPart::GetControl() { return FToolbar.get(); }

TTBXToolbar* TNUVToolBarViewPart::GetToolbar() { return FToolbar.get(); }

TIntfPtr<IQIMExtension> TNUVToolBarViewPart::GetExtension() {
  return TIntfPtr<IQIMExtension>(TNUVCustomViewPart::GetExtension());
}

TIntfPtr<INUVWorkItem> TNUVToolBarViewPart::GetWorkItem() {
  return TIntfPtr<INUVWorkItem>(TNUVCustomViewPart::GetWorkItem());
}

// Read anew at every call: nothing is cached.
std::string TNUVToolBarViewPart::GetServiceID() {
  return GetChildNodeValue(FToolbarNode.get(), "ServiceID", false, "");
}

void TNUVToolBarViewPart::Initialize() {
  TNUVMultiBindingViewPart::Initialize();
  FToolbar = std::make_unique<TTBXToolbar>(nullptr);
  TNUVUnfinishedControl unfinished(FToolbar);
  FToolbar->SetParent(TNUVCustomViewPart::GetWorkItem()->GetHostControl());
  FToolbar->OnContextPopup = [this](TObject* sender, TPoint mousePos, bool& handled) {
    DoContextPopup(sender, mousePos, handled);
  };
  FToolbarNode = GetChildNode(TNUVCustomViewPart::GetExtension()->GetExtData().get(), "Toolbar", true);
  std::string serviceID = GetServiceID();
  if (!serviceID.empty()) PublishService(serviceID);
  unfinished.Finished();
}

// Another service under the ID, the host's action service among them, stays as it is.
void TNUVToolBarViewPart::PublishService(const std::string& serviceID) {
  auto services = GetServiceCenter();
  if (services->FindService(serviceID)) NUVViewPartErrorFmt(this, LoadLibStr(SServiceIDTaken), GetName(), serviceID);
  services->RegisterWeakService(serviceID, static_cast<INUVToolbarService*>(this));
  FPublishedServiceID = serviceID;
}

// Counts no reference to the toolbar, which may be in its destructor.
void TNUVToolBarViewPart::WithdrawService() {
  const std::string serviceID = std::exchange(FPublishedServiceID, {});
  if (serviceID.empty()) return;
  if (auto services = GetServiceCenter()) services->WithdrawService(serviceID, static_cast<INUVToolbarService*>(this));
}

namespace {
// What the merge looked for and found instead, for the assertion that it fails.
std::string MissingMainToolbar(const std::string& name, const TWinControl* found) {
  const std::string sought = "MergeWithMainToolbarViewPart names the main toolbar '" + name + "'";
  if (!found) return sought + ", and no windowed control under the workbench window has that name";
  return sought + ", and the control of that name is a " + found->ClassName() + ", no TTBXToolbar";
}
}  // namespace

// An item or a child that cannot be placed costs itself alone: the rest are placed and the merge
// is made, then the first failure is raised.
void TNUVToolBarViewPart::DoWorkItemRunning(const std::string&, INUVParamContext*, bool&) {
  if (!FToolbar) return;  // Initialize failed, and said so: there is nothing to build on
  INUVWorkItem* workItem = TNUVCustomViewPart::GetWorkItem();
  std::exception_ptr failure;
  auto attempt = [&failure](auto&& step) {
    try {
      step();
    } catch (...) {
      if (!failure) failure = std::current_exception();
    }
  };
  // The toolbar is laid out once, when its items and children are all in, not after each one.
  FToolbar->BeginUpdate();
  TScopeExit endUpdate([toolbar = TGuard<TTBCustomToolbar>(FToolbar.get())] {
    if (toolbar) toolbar->EndUpdate();
  });
  FToolbar->SetText(TNUVDataUtils::ParseConfig(workItem, GetCaption()));
  NUV_ASSERT(FToolbarNode);
  auto actions = GetActionService(workItem, SActionServiceID);
  auto images = FindImageService(workItem, SImageServiceID);
  attempt([&] { BuildToolbar(FToolbar.get(), this, FToolbarNode.get(), actions.get(), images.get()); });
  // A child finalized since it was bound has no control to place; it is placed again at the
  // first run after it has one.
  for (int i = 0; i < BoundViewParts().Count(); ++i)
    if (INUVViewPart* child = BoundViewParts().Items(i); child->GetControl())
      attempt([&] { InsertChildViewPart(child); });
  std::string mainToolbar = GetNodeAttrValue(FToolbarNode.get(), "MergeWithMainToolbarViewPart", false, "");
  if (!mainToolbar.empty())
    attempt([&] {
      TWinControl* found = FindControlByName(mainToolbar);
      auto* target = dynamic_cast<TTBXToolbar*>(found);
      if (!target) AssertionFailed(__FILE__, __LINE__, MissingMainToolbar(mainToolbar, found));
      MergeIntoToolbar(target);
    });
  if (failure) std::rethrow_exception(failure);
}

namespace {
// Brackets the toolbars that hold the given items in one update, so that each is laid out once
// when the batch ends rather than after every item that leaves or comes back.
class TToolbarBatch {
 public:
  explicit TToolbarBatch(const TObjectList<TTBCustomItem>* items) {
    if (!items) return;
    for (TTBCustomItem* item : *items) {
      TTBCustomToolbar* toolbar = item->GetToolbar();
      if (!toolbar || std::any_of(FToolbars.begin(), FToolbars.end(), [&](const auto& t) { return t == toolbar; }))
        continue;
      toolbar->BeginUpdate();
      FToolbars.emplace_back(toolbar);
    }
  }
  ~TToolbarBatch() {
    for (TTBCustomToolbar* toolbar : FToolbars)
      if (toolbar) toolbar->EndUpdate();
  }
  TToolbarBatch(const TToolbarBatch&) = delete;
  TToolbarBatch& operator=(const TToolbarBatch&) = delete;

 private:
  std::vector<TGuard<TTBCustomToolbar>> FToolbars;
};
}  // namespace

// The merged items go; the main toolbar's items that the merge hid come back. The own toolbar
// stays hidden and empty.
void TNUVToolBarViewPart::DoWorkItemStopping(const std::string&, INUVParamContext*, bool&) {
  TToolbarBatch batch(FHiddenItems.get());
  FreeMergedItems();
  if (FHiddenItems) {
    for (TTBCustomItem* item : *FHiddenItems) item->SetVisible(true);
    FHiddenItems.reset();
  }
}

void TNUVToolBarViewPart::Finalize() {
  WithdrawService();
  FreeMergedItems();
  FHiddenItems.reset();
  FToolbar.reset();
  TNUVMultiBindingViewPart::Finalize();
}

namespace {
// The actions that toolbars made for the item and its sub-items.
void CollectToolbarActions(TTBCustomItem* item, std::vector<TGuard<TBasicAction>>& actions) {
  TBasicAction* action = item->GetAction();
  if (action && dynamic_cast<TTBCustomToolbar*>(action->GetOwner())) actions.emplace_back(action);
  for (int i = 0; i < item->Count(); ++i) CollectToolbarActions(item->GetItem(i), actions);
}
}  // namespace

// The merged items go with the actions that their toolbars made for them (and own), which would
// otherwise stay with those toolbars run after run; an action that something else still uses stays.
void TNUVToolBarViewPart::FreeMergedItems() {
  delete FMergeMark.get();  // the items are back: nothing is merged any more
  if (!FMergedItems) return;
  std::vector<TGuard<TBasicAction>> actions;
  for (TTBCustomItem* item : *FMergedItems) CollectToolbarActions(item, actions);
  {
    TToolbarBatch batch(FMergedItems.get());
    // The merge listed its items last to first. Freed newest first, each leaves the end of its
    // owner's and its toolbar's lists, where taking it out moves nothing.
    FMergedItems->Reverse();
    FMergedItems.reset();
  }
  for (TBasicAction* action : actions)
    if (action && !action->HasClients()) action->GetOwner()->ExtractComponent(action).reset();
}

void TNUVToolBarViewPart::PlaceChildViewPart(INUVViewPart* child) {
  NUV_ASSERT(child != nullptr);
  CheckNotHeldBy(child);
  BoundViewParts().Add(child);
  if (TNUVCustomViewPart::GetWorkItem()->GetState() == wsRunning) InsertChildViewPart(child);
}

// ---------------------------------------------------------------------------------------------
// Placing children

void TNUVToolBarViewPart::InsertChildViewPart(INUVViewPart* child) {
  NUV_ASSERT(child != nullptr);
  if (!FToolbar) NUVViewPartErrorFmt(this, LoadLibStr(SWorkSpaceWithoutControl), GetName(), child->GetName());
  int groupIndex = GetChildNodeValue(child->GetExtData().get(), "GroupIndex", false, -1);
  TControl* control = child->GetControl();
  if (!control) NUVViewPartErrorFmt(this, LoadLibStr(SViewPartWithoutControl), child->GetName(), GetName());
  if (auto* childToolbar = dynamic_cast<TTBXToolbar*>(control)) {
    if (auto* childViewPart = dynamic_cast<TNUVToolBarViewPart*>(GetImplObject(child)))
      childViewPart->MergeIntoToolbar(FToolbar.get());
    else
      MoveToolbarItems(childToolbar, groupIndex);
  } else {
    InsertControlItem(control, groupIndex);
  }
  child->SetWorkSpace(this);
}

// Every item goes to the same place, last one first, so they keep their order.
void TNUVToolBarViewPart::MoveToolbarItems(TTBXToolbar* source, int groupIndex) {
  if (source == FToolbar.get()) NUVViewPartErrorFmt(this, LoadLibStr(SToolbarMergeIntoItself), GetName());
  TTBCustomItem* parent = nullptr;
  int index = FindInsertPosition(groupIndex, parent);
  for (int k = source->Items()->Count() - 1; k >= 0; --k) {
    TTBCustomItem* item = source->Items()->GetItem(k);
    source->Items()->Remove(item);
    item->SetGroupIndex(groupIndex);
    parent->Insert(index, item);
  }
}

// A control has one control item here: an earlier one for it goes. The item is the toolbar's once
// its control is on the toolbar: a control that cannot go there (it contains the toolbar) leaves
// no item behind and keeps its visibility.
void TNUVToolBarViewPart::InsertControlItem(TControl* control, int groupIndex) {
  DeleteControlItems(control);
  int index = FindInsertIndex(groupIndex);
  auto item = std::make_unique<TTBControlItem>(nullptr, control);
  item->SetGroupIndex(groupIndex);
  FToolbar->Items()->Insert(index, item.get());
  const bool wasVisible = control->GetVisible();
  bool placed = false;
  TScopeExit restoreVisibility([&] {
    if (!placed) control->SetVisible(wasVisible);
  });
  control->SetVisible(true);
  control->SetParent(FToolbar.get());
  placed = true;
  FControlItems.insert_or_assign(control, FToolbar->InsertComponent(std::move(item)));
}

// Wherever a merge has put it. The toolbar owns the control item, and lets it go. An item whose
// control went before it holds no control, so a new control at the same address is not taken for
// the old one.
void TNUVToolBarViewPart::DeleteControlItems(const TControl* control) {
  auto made = FControlItems.find(control);
  if (made == FControlItems.end()) return;
  TTBControlItem* item = made->second;
  FControlItems.erase(made);
  if (FToolbar && item && item->GetControl() == control) FToolbar->ExtractComponent(item).reset();
}

void TNUVToolBarViewPart::UnBindChildViewPart(INUVViewPart* child) {
  NUV_ASSERT(child != nullptr);
  if (TControl* control = child->GetControl()) DeleteControlItems(control);
  TNUVMultiBindingViewPart::UnBindChildViewPart(child);
}

// The first top-level item with a greater group index decides, whatever follows it.
int TNUVToolBarViewPart::FindInsertIndex(int groupIndex) const {
  TTBCustomItem* root = FToolbar->Items();
  for (int i = 0; i < root->Count(); ++i)
    if (root->GetItem(i)->GetGroupIndex() > groupIndex) return i;
  return root->Count();
}

namespace {
// Depth-first: items of lower or equal group index are passed over and searched into.
bool SearchInsertPosition(TTBCustomItem* parent, int groupIndex, TTBCustomItem*& foundParent, int& foundIndex) {
  for (int i = 0; i < parent->Count(); ++i) {
    TTBCustomItem* item = parent->GetItem(i);
    if (item->GetGroupIndex() > groupIndex) {
      foundParent = parent;
      foundIndex = i;
      return true;
    }
    if (SearchInsertPosition(item, groupIndex, foundParent, foundIndex)) return true;
  }
  return false;
}
}  // namespace

int TNUVToolBarViewPart::FindInsertPosition(int groupIndex, TTBCustomItem*& parent) const {
  int index = 0;
  if (!SearchInsertPosition(FToolbar->Items(), groupIndex, parent, index)) {
    parent = FToolbar->Items();
    index = parent->Count();
  }
  NUV_ASSERT(parent != nullptr);
  return index;
}

// Two toolbars that take each other as children would merge into each other and both end hidden:
// a toolbar view part that holds this one, directly or through others, is refused as a child, as a
// control that holds its parent is.
void TNUVToolBarViewPart::CheckNotHeldBy(INUVViewPart* child) {
  std::vector<TNUVToolBarViewPart*> pending;
  std::set<TNUVToolBarViewPart*> seen;
  if (auto* toolbar = dynamic_cast<TNUVToolBarViewPart*>(GetImplObject(child))) pending.push_back(toolbar);
  while (!pending.empty()) {
    TNUVToolBarViewPart* holder = pending.back();
    pending.pop_back();
    if (!seen.insert(holder).second) continue;
    if (holder == this) NUVViewPartErrorFmt(this, LoadLibStr(SToolbarPlaceCycle), child->GetName(), GetName());
    for (int i = 0; i < holder->BoundViewParts().Count(); ++i)
      if (auto* held = dynamic_cast<TNUVToolBarViewPart*>(GetImplObject(holder->BoundViewParts().Items(i))))
        pending.push_back(held);
  }
}

// ---------------------------------------------------------------------------------------------
// Merging

// Merging into a toolbar whose items already come into this one would lend every item to and fro
// and leave both toolbars hidden: refused as the second of two panels that hold each other is.
void TNUVToolBarViewPart::CheckNoMergeCycle(TTBXToolbar* target) {
  std::set<const TTBXToolbar*> seen;
  for (const TTBXToolbar* through = target; through && seen.insert(through).second;) {
    const TNUVMergeMark* mark = MergeMarkOf(*through);
    if (!mark) return;
    if (mark->Target == FToolbar.get())
      NUVViewPartErrorFmt(this, LoadLibStr(SToolbarMergeCycle), GetName(), MergeMarkOf(*target)->ViewPart);
    through = mark->Target;
  }
}

namespace {
void MarkTopLevelItems(TTBXToolbar* toolbar, std::intptr_t mark) {
  TTBCustomItem* root = toolbar->Items();
  for (int i = 0; i < root->Count(); ++i) root->GetItem(i)->SetTag(mark);
}

// The group index of the first sub-item whose group index is not 0, or 0.
int FirstNonZeroGroupIndex(const TTBCustomItem* item) {
  for (int i = 0; i < item->Count(); ++i)
    if (item->GetItem(i)->GetGroupIndex() != 0) return item->GetItem(i)->GetGroupIndex();
  return 0;
}

int FirstGreaterSubItem(const TTBCustomItem* item, int groupIndex) {
  for (int i = 0; i < item->Count(); ++i)
    if (item->GetItem(i)->GetGroupIndex() > groupIndex) return i;
  return item->Count();
}

// The action's visibility, as INUVActionState decides it, when the item's action supports it.
void ApplyActionState(TTBCustomItem* item) {
  auto* action = dynamic_cast<TCustomAction*>(item->GetAction());
  if (!action) return;
  if (auto state = Supports<INUVActionState>(action)) action->SetVisible(state->GetActionVisible());
}
}  // namespace

void TNUVToolBarViewPart::MergeIntoToolbar(TTBXToolbar* target) {
  if (!target) return;
  if (target == FToolbar.get()) NUVViewPartErrorFmt(this, LoadLibStr(SToolbarMergeIntoItself), GetName());
  CheckNoMergeCycle(target);
  if (!FMergedItems) FMergedItems = std::make_unique<TItemList>(true);
  if (!FHiddenItems) FHiddenItems = std::make_unique<TItemList>(false);
  {
    target->BeginUpdate();
    TScopeExit endUpdate([target] { target->EndUpdate(); });
    MarkTopLevelItems(target, 1);
    TTBCustomItem* root = FToolbar->Items();
    for (int k = root->Count() - 1; k >= 0; --k) {
      TTBCustomItem* item = root->GetItem(k);
      FMergedItems->Add(item);
      root->Remove(item);
      MergeItem(item, target);
    }
    MarkTopLevelItems(target, 0);
  }
  if (!FMergeMark) FMergeMark = new TNUVMergeMark(FToolbar.get(), GetName());  // the toolbar owns it
  static_cast<TNUVMergeMark*>(FMergeMark.get())->Target = target;
  FToolbar->Hide();
}

void TNUVToolBarViewPart::MergeItem(TTBCustomItem* item, TTBXToolbar* target) {
  const int groupIndex = item->GetGroupIndex();
  bool pending = true;
  int offset = 0;
  int pos = 0;
  TTBCustomItem* root = target->Items();
  for (int i = 0; i < root->Count(); ++i) {
    TTBCustomItem* match = root->GetItem(i);
    if (match->GetTag() != 1 || match->GetGroupIndex() != groupIndex) continue;
    if (match->Count() == 0) {
      // Stopping shows again only what this merge hid: an item that was invisible already (by
      // configuration or another merge) stays so, and the target comes back as it was.
      if (match->GetVisible()) FHiddenItems->Add(match);
      match->SetVisible(false);
      continue;
    }
    if (item->Count() > 0) pos = FirstGreaterSubItem(match, FirstNonZeroGroupIndex(item));
    while (item->Count() > 0) {
      TTBCustomItem* sub = item->GetItem(0);
      item->Remove(sub);
      FMergedItems->Add(sub);
      match->Insert(pos + offset, sub);
      ++offset;
    }
    pending = false;  // the emptied item stays in FMergedItems only
  }
  ApplyActionState(item);
  if (pending) {
    int index = 0;
    while (index < root->Count() && root->GetItem(index)->GetGroupIndex() <= groupIndex) ++index;
    root->Insert(index, item);
  }
}

TWinControl* TNUVToolBarViewPart::FindControlByName(const std::string& name) {
  TIntfPtr<INUVWorkItem> root(TNUVCustomViewPart::GetWorkItem());
  while (auto parent = root->GetParentWorkItem()) root = parent;
  THandle handle = static_cast<THandle>(root->GetNamedValues()->GetIntValue("CurrentWorkBench"));
  NUV_ASSERT(handle != 0);
  TWinControl* start = FindControl(handle);
  if (!start) return nullptr;
  if (SameText(start->GetName(), name)) return start;
  // Depth-first over windowed controls only; other controls are neither compared nor searched.
  struct TSearch {
    static TWinControl* In(TWinControl* parent, const std::string& name) {
      for (int i = 0; i < parent->GetControlCount(); ++i) {
        auto* control = dynamic_cast<TWinControl*>(parent->GetControl(i));
        if (!control) continue;
        if (SameText(control->GetName(), name)) return control;
        if (TWinControl* found = In(control, name)) return found;
      }
      return nullptr;
    }
  };
  return TSearch::In(start, name);
}
