#include "NUVToolbarViewPart.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "NUVConfig.h"
#include "NUVStrings.h"

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
  FToolbar->SetParent(TNUVCustomViewPart::GetWorkItem()->GetHostControl());
  FToolbar->OnContextPopup = [this](TObject* sender, TPoint mousePos, bool& handled) {
    DoContextPopup(sender, mousePos, handled);
  };
  FToolbarNode = GetChildNode(TNUVCustomViewPart::GetExtension()->GetExtData().get(), "Toolbar", true);
  std::string serviceID = GetServiceID();
  if (!serviceID.empty()) PublishService(serviceID);
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

void TNUVToolBarViewPart::DoWorkItemRunning(const std::string&, INUVParamContext*, bool&) {
  INUVWorkItem* workItem = TNUVCustomViewPart::GetWorkItem();
  // The toolbar is laid out once, when its items and children are all in, not after each one.
  FToolbar->BeginUpdate();
  TScopeExit endUpdate([toolbar = TGuard<TTBCustomToolbar>(FToolbar.get())] {
    if (toolbar) toolbar->EndUpdate();
  });
  FToolbar->SetText(TNUVDataUtils::ParseConfig(workItem, GetCaption()));
  NUV_ASSERT(FToolbarNode);
  auto actions = GetActionService(workItem, SActionServiceID);
  auto images = FindImageService(workItem, SImageServiceID);
  BuildToolbar(FToolbar.get(), this, FToolbarNode.get(), actions.get(), images.get());
  // A child finalized since it was bound has no control to place; it is placed again at the
  // first run after it has one.
  for (int i = 0; i < BoundViewParts().Count(); ++i)
    if (BoundViewParts().Items(i)->GetControl()) InsertChildViewPart(BoundViewParts().Items(i));
  std::string mainToolbar = GetNodeAttrValue(FToolbarNode.get(), "MergeWithMainToolbarViewPart", false, "");
  if (!mainToolbar.empty()) {
    TWinControl* found = FindControlByName(mainToolbar);
    auto* target = dynamic_cast<TTBXToolbar*>(found);
    if (!target) AssertionFailed(__FILE__, __LINE__, MissingMainToolbar(mainToolbar, found));
    MergeIntoToolbar(target);
  }
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
  BoundViewParts().Add(child);
  if (TNUVCustomViewPart::GetWorkItem()->GetState() == wsRunning) InsertChildViewPart(child);
}

// ---------------------------------------------------------------------------------------------
// Placing children

void TNUVToolBarViewPart::InsertChildViewPart(INUVViewPart* child) {
  NUV_ASSERT(child != nullptr);
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
  FToolbar->InsertComponent(std::move(item));
}

namespace {
void CollectControlItems(TTBCustomItem* item, const TControl* control, std::vector<TGuard<TTBCustomItem>>& found) {
  if (auto* controlItem = KindCast<TTBControlItem>(item); controlItem && controlItem->GetControl() == control)
    found.emplace_back(item);
  for (int i = 0; i < item->Count(); ++i) CollectControlItems(item->GetItem(i), control, found);
}
}  // namespace

// In the toolbar, and among the items that a merge moved into another one. The toolbar owns the
// control items, and lets them go.
void TNUVToolBarViewPart::DeleteControlItems(const TControl* control) {
  if (!FToolbar) return;  // its control items went with it
  std::vector<TGuard<TTBCustomItem>> found;
  CollectControlItems(FToolbar->Items(), control, found);
  if (FMergedItems)
    for (TTBCustomItem* item : *FMergedItems) CollectControlItems(item, control, found);
  for (TTBCustomItem* item : found) FToolbar->ExtractComponent(item).reset();
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

// ---------------------------------------------------------------------------------------------
// Merging

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
