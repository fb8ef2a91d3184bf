#include "TbxItems.h"

#include <algorithm>

#include "KolExceptions.h"
#include "TbxToolbars.h"

TTBCustomItem::TTBCustomItem(TComponent* owner) : TComponent(owner) {}

// Watchers hear first; then the contents go, last first, each taken out before it is destroyed
// since one item's destructor may destroy others; then the item leaves its parent.
// Clear and Remove raise only on a corrupted tree, where ending the process is right.
TTBCustomItem::~TTBCustomItem() {  // NOLINT(bugprone-exception-escape)
  Destroying();
  Clear();
  if (FParent) FParent->Remove(this);
}

TTBCustomItem* TTBCustomItem::GetItem(int index) const {
  if (index < 0 || index >= Count())
    throw Exception("item index " + std::to_string(index) + " out of range 0.." + std::to_string(Count() - 1));
  return FItems[static_cast<size_t>(index)];
}

int TTBCustomItem::IndexOf(const TTBCustomItem* item) const {
  auto it = std::find(FItems.begin(), FItems.end(), item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TTBCustomItem::Insert(int index, TTBCustomItem* item) {
  NUV_ASSERT(item != nullptr);
  if (item->FParent) throw Exception("item '" + item->GetCaption() + "' is already in another item");
  if (index < 0 || index > Count())
    throw Exception("insert index " + std::to_string(index) + " out of range 0.." + std::to_string(Count()));
  for (TTBCustomItem* p = this; p; p = p->FParent)
    if (p == item) throw Exception("an item cannot hold itself");
  FItems.insert(FItems.begin() + index, item);
  item->FParent = this;
}

void TTBCustomItem::Remove(TTBCustomItem* item) {
  int index = IndexOf(item);
  if (index < 0) return;
  FItems.erase(FItems.begin() + index);
  item->FParent = nullptr;
}

void TTBCustomItem::Delete(int index) {
  TTBCustomItem* item = GetItem(index);
  Remove(item);
  delete item;
}

void TTBCustomItem::Clear() {
  while (!FItems.empty()) Delete(Count() - 1);
}

void TTBCustomItem::ActionChange(TBasicAction* action) {
  auto* custom = dynamic_cast<TCustomAction*>(action);
  if (!custom) return;
  if (!custom->GetCaption().empty()) SetCaption(custom->GetCaption());
  SetHint(custom->GetHint());
  SetEnabled(custom->GetEnabled());
  SetVisible(custom->GetVisible());
  if (custom->GetImageIndex() >= 0) SetImageIndex(custom->GetImageIndex());
}

TTBCustomToolbar* TTBCustomItem::GetToolbar() const {
  const TTBCustomItem* root = this;
  while (root->FParent) root = root->FParent;
  return root->RootToolbar();
}

void TTBCustomItem::Click() {
  if (!FEnabled) return;
  if (OnClick)
    OnClick(this);
  else
    FActionLink.Execute();
}

TTBRootItem::TTBRootItem(TComponent* owner, TTBCustomToolbar* toolbar) : TTBCustomItem(owner), FToolbar(toolbar) {}
TTBRootItem::~TTBRootItem() = default;

TFontSettings::TFontSettings() = default;
TFontSettings::~TFontSettings() = default;

void TFontSettings::SetSize(int percent) {
  if (percent < MinSize || percent > MaxSize)
    throw Exception("font size " + std::to_string(percent) + "% is out of range " + std::to_string(MinSize) + ".." +
                    std::to_string(MaxSize));
  FSize = percent;
}

TTBXCustomItem::~TTBXCustomItem() = default;

TTBXVisibilityToggleItem::~TTBXVisibilityToggleItem() = default;

void TTBXVisibilityToggleItem::Click() {
  if (FControl) FControl->SetVisible(!FControl->GetVisible());
  TTBXCustomItem::Click();
}
TTBXItem::~TTBXItem() = default;
TTBXSubmenuItem::~TTBXSubmenuItem() = default;
TTBXSeparatorItem::~TTBXSeparatorItem() = default;

TTBControlItem::TTBControlItem(TComponent* owner, TControl* control) : TTBCustomItem(owner), FControl(control) {}
TTBControlItem::~TTBControlItem() = default;
