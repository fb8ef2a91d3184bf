#include "TbxItems.h"

#include <algorithm>

#include "TbxFields.h"
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

namespace {
// Out of line, so that the look-up a layout makes for every item stays short.
[[noreturn, gnu::noinline, gnu::cold]] void ThrowItemIndexOutOfRange(int index, int count) {
  throw Exception("item index " + std::to_string(index) + " out of range 0.." + std::to_string(count - 1));
}
}  // namespace

TTBCustomItem* TTBCustomItem::GetItem(int index) const {
  if (index < 0 || index >= Count()) ThrowItemIndexOutOfRange(index, Count());
  return FItems[static_cast<size_t>(index)];
}

// From the end: an item stands once in its parent, and the items of a merge go newest first, from
// towards the end.
int TTBCustomItem::IndexOf(const TTBCustomItem* item) const {
  auto it = std::find(FItems.rbegin(), FItems.rend(), item);
  return it == FItems.rend() ? -1 : static_cast<int>(FItems.rend() - it - 1);
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
  // A control item that comes onto a toolbar brings its control along at once, even when the
  // toolbar lays its items out only later (hidden, or inside an update bracket).
  if (TTBCustomToolbar* toolbar = GetToolbar(); toolbar && toolbar->Items() == this)
    toolbar->TopLevelItemArrived(*item);
  Changed();
}

void TTBCustomItem::Remove(TTBCustomItem* item) {
  const int index = IndexOf(item);
  if (index < 0) return;
  if (TTBCustomToolbar* toolbar = GetToolbar()) item->LeavingToolbar(toolbar);
  FItems.erase(FItems.begin() + index);
  item->FParent = nullptr;
  item->FBounds = {};
  if (!IsDestroying()) Changed();
}

void TTBCustomItem::SetCaption(const std::string& caption) {
  FOwnCaption = !caption.empty();
  ShowCaption(caption);
}

void TTBCustomItem::ShowCaption(const std::string& caption) {
  if (UpdateField(FCaption, caption)) Changed();
}

void TTBCustomItem::SetHint(const std::string& hint) {
  FOwnHint = !hint.empty();
  FHint = hint;
}

void TTBCustomItem::SetVisible(bool visible) {
  if (!UpdateField(FVisible, visible)) return;
  VisibleChanged();
  Changed();
}

void TTBCustomItem::SetEnabled(bool enabled) {
  if (UpdateField(FEnabled, enabled)) Changed();
}

void TTBCustomItem::SetImageIndex(int index) {
  FOwnImageIndex = index >= 0;
  ShowImageIndex(index);
}

void TTBCustomItem::ShowImageIndex(int index) {
  if (UpdateField(FImageIndex, index)) Changed();
}

void TTBCustomItem::Changed() {
  if (TTBCustomToolbar* toolbar = GetToolbar(); toolbar && !toolbar->IsDestroying()) toolbar->ItemsChanged();
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
  // What the item was given itself stays: a merge that changes the action's visibility must not
  // put the action's caption over the item's own.
  if (!FOwnCaption && !custom->GetCaption().empty()) ShowCaption(custom->GetCaption());
  if (!FOwnHint) FHint = custom->GetHint();
  SetEnabled(custom->GetEnabled());
  SetVisible(custom->GetVisible());
  if (!FOwnImageIndex && custom->GetImageIndex() >= 0) ShowImageIndex(custom->GetImageIndex());
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

void TFontSettings::Changed() {
  if (OnChange) OnChange();
}

void TFontSettings::SetSize(int percent) {
  if (percent < MinSize || percent > MaxSize)
    throw Exception("font size " + std::to_string(percent) + "% is out of range " + std::to_string(MinSize) + ".." +
                    std::to_string(MaxSize));
  if (UpdateField(FSize, percent)) Changed();
}

void TFontSettings::SetBold(TTriState value) {
  if (UpdateField(FBold, value)) Changed();
}

void TFontSettings::SetItalic(TTriState value) {
  if (UpdateField(FItalic, value)) Changed();
}

void TFontSettings::SetUnderline(TTriState value) {
  if (UpdateField(FUnderline, value)) Changed();
}

void TFontSettings::SetStrikeOut(TTriState value) {
  if (UpdateField(FStrikeOut, value)) Changed();
}

void TFontSettings::SetName(const std::string& name) {
  if (UpdateField(FName, name)) Changed();
}

void TFontSettings::SetColor(TColor color) {
  if (UpdateField(FColor, color)) Changed();
}

namespace {
void ApplyStyle(TTriState state, TFontStyle style, TFontStyles& styles) {
  if (state == tsTrue) styles.Include(style);
  if (state == tsFalse) styles.Exclude(style);
}
}  // namespace

void TFontSettings::Apply(const TFont& base, TFont& font) const {
  font.Assign(base);
  TFontStyles styles = base.GetStyle();
  ApplyStyle(FBold, fsBold, styles);
  ApplyStyle(FItalic, fsItalic, styles);
  ApplyStyle(FUnderline, fsUnderline, styles);
  ApplyStyle(FStrikeOut, fsStrikeOut, styles);
  font.SetStyle(styles);
  // Sizes are whole points: a percentage rounds to the nearest one, and never below 1.
  font.SetSize(std::max(1, (base.GetSize() * FSize + 50) / 100));
  if (!FName.empty()) font.SetName(FName);
  if (FColor != clDefault) font.SetColor(FColor);
}

TTBXCustomItem::TTBXCustomItem(TComponent* owner) : TTBCustomItem(owner) {
  FFontSettings.OnChange = [this] { Changed(); };
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
// Leaves its toolbar while it is still a control item: the base destructor takes it out of the
// tree when only a plain item is left of it.
TTBControlItem::~TTBControlItem() {
  if (TTBCustomToolbar* toolbar = GetToolbar()) LeavingToolbar(toolbar);
}

void TTBControlItem::LeavingToolbar(TTBCustomToolbar* toolbar) {
  if (FControl && FControl->GetParent() == toolbar) FControl->SetParent(nullptr);
}

void TTBControlItem::SetControl(TControl* control) {
  if (control == FControl) return;
  FControl = control;
  if (TTBCustomToolbar* toolbar = GetToolbar(); toolbar && toolbar->Items() == GetParent())
    toolbar->IndexItemControl(*this);
  Changed();
}

void TTBControlItem::VisibleChanged() {
  if (FControl) FControl->SetVisible(GetVisible());
}
