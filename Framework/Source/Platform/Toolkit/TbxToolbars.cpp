// Toolbars: the layout of their items in a row or a column, inside the dockable window's frame.
#include "TbxToolbars.h"

#include <algorithm>

#include "KolExceptions.h"
#include "TbxLayoutCounters.h"
#include "TbxMetrics.h"
#include "TbxPeers.h"
#include "TbxTextBlocks.h"
#include "TbxTextMetrics.h"

using namespace TbxMetrics;

// The root item is not a component of the toolbar's: the toolbar destroys it itself, first, so
// that the items of its tree go before the toolbar's owned components are destroyed.
TTBCustomToolbar::TTBCustomToolbar(TComponent* owner)
    : TTBCustomDockableWindow(owner), FItems(std::make_unique<TTBRootItem>(nullptr, this)) {}

TTBCustomToolbar::~TTBCustomToolbar() {
  Destroying();
  FItems.reset();
}

void TTBCustomToolbar::SetImages(TCustomImageList* images) {
  if (images == FImages) return;
  FImages = images;
  ItemsChanged();
}

void TTBCustomToolbar::BeginUpdate() { ++FUpdateCount; }

void TTBCustomToolbar::EndUpdate() {
  NUV_ASSERT(FUpdateCount > 0);
  if (--FUpdateCount > 0) return;
  CountCompletedUpdate(*this);
  if (FItemsPending) ItemsChanged();
}

bool TTBCustomToolbar::DeferItemsLayout() {
  if (!DeferLayout()) return false;
  FItemsPending = true;
  return true;
}

void TTBCustomToolbar::LayOutDeferred() {
  if (FItemsPending && FUpdateCount == 0) ItemsChanged();
}

void TTBCustomToolbar::ItemsChanged() {
  ++FItemsGeneration;
  if (DeferItemsLayout()) return;
  if (FUpdateCount > 0 || IsDestroying()) {
    FItemsPending = true;
    return;
  }
  FItemsPending = false;
  NotifyPeer([](TControlPeer& peer) { peer.Invalidate(); });
  // A size of its own that changes moves the toolbar's neighbours; otherwise only its items move.
  const TSize before = GetBoundsRect().Size();
  if (GetPreferredSize() != before) AdjustSize();
  if (GetBoundsRect().Size() == before) Realign();
}

bool TTBCustomToolbar::IsVertical() const {
  const TTBDock* dock = GetCurrentDock();
  return dock && dock->IsVertical();
}

bool TTBCustomToolbar::ShowsDragHandle() const {
  const TTBDock* dock = GetCurrentDock();
  return dock && dock->GetAllowDrag() && !GetFullSize();
}

int TTBCustomToolbar::DockedBorder() const { return ToolbarBorder; }

void TTBCustomToolbar::ItemFont(const TTBCustomItem& item, TFont& font) const {
  if (const TFontSettings* settings = item.OwnFontSettings())
    settings->Apply(Font(), font);
  else
    font.Assign(Font());
}

bool TTBCustomToolbar::ShowsImage(const TTBCustomItem& item) const {
  return FImages && item.GetImageIndex() >= 0 && item.GetImageIndex() < FImages->Count();
}

bool TTBCustomToolbar::IsSeparator(const TTBCustomItem& item) { return item.Kind() == ikSeparator; }
bool TTBCustomToolbar::HasArrow(const TTBCustomItem& item) { return item.Count() > 0 || item.Kind() == ikSubmenu; }
const TTBControlItem* TTBCustomToolbar::AsControlItem(const TTBCustomItem& item) {
  return KindCast<TTBControlItem>(&item);
}
TControl* TTBCustomToolbar::ItemControl(const TTBCustomItem& item) {
  const TTBControlItem* controlItem = AsControlItem(item);
  return controlItem ? controlItem->GetControl() : nullptr;
}

namespace {
bool Contains(const TControl& outer, const TControl& inner) {
  for (const TControl* c = &inner; c; c = c->GetParent())
    if (c == &outer) return true;
  return false;
}
// A control on a toolbar has the size it wants when it sizes itself, and its own otherwise.
TSize ControlSize(const TControl& control) {
  return control.GetAutoSizing() ? control.GetPreferredSize() : control.GetBoundsRect().Size();
}
}  // namespace

// A button is its image and caption with padding around, and an arrow after them when it holds
// sub-items; a separator is a thin line across; a control item is its control with a margin.
TSize TTBCustomToolbar::MeasureItem(const TTBCustomItem& item, bool vertical) const {
  if (IsSeparator(item)) return vertical ? TSize{0, SeparatorThickness} : TSize{SeparatorThickness, 0};
  if (const TTBControlItem* controlItem = AsControlItem(item)) {
    const TControl* control = controlItem->GetControl();
    if (!control || Contains(*control, *this)) return {};
    const TSize size = ControlSize(*control);
    return {ClampPixels(static_cast<std::int64_t>(size.Width) + 2 * ControlItemMargin),
            ClampPixels(static_cast<std::int64_t>(size.Height) + 2 * ControlItemMargin)};
  }
  TFont font;
  ItemFont(item, font);
  const std::string shown = StripAccessKeys(item.GetCaption());
  const bool image = ShowsImage(item), caption = !shown.empty();
  std::int64_t width = caption ? 2 * ItemPadding : 2 * ItemImagePadding;
  if (image) width += ImageSize;
  if (image && caption) width += GlyphGap;
  if (caption) width += TbxText::LineWidth(font, shown);
  if (HasArrow(item)) width += ItemArrowGap + ItemArrowSize;
  const int height = std::max(ImageSize, TbxText::LineHeight(font)) + 2 * ItemVerticalPadding;
  return {ClampPixels(width), height};
}

void TTBCustomToolbar::CheckMeasuredItems(bool vertical) const {
  const std::uint64_t metrics = TextMetrics().Generation();
  const int images = FImages ? FImages->Count() : -1;
  if (FMeasured.ItemsGeneration != FItemsGeneration || FMeasured.MetricsGeneration != metrics ||
      FMeasured.ImageCount != images || FMeasured.Vertical != vertical)
    FMeasured = {FItemsGeneration, metrics, images, vertical, {}};
  // An item comes onto the toolbar a moment before the toolbar hears of it (its control is
  // adopted first): an index that holds another item than before is measured again.
  FMeasured.Sizes.resize(std::max(FMeasured.Sizes.size(), static_cast<std::size_t>(FItems->Count())));
}

TSize TTBCustomToolbar::ItemSize(int index, const TTBCustomItem& item, bool vertical) const {
  if (AsControlItem(item)) return MeasureItem(item, vertical);
  // A control placed in a pass may change the items (its handlers run): the pass goes on with
  // sizes measured anew.
  if (FMeasured.ItemsGeneration != FItemsGeneration || FMeasured.Sizes.size() <= static_cast<std::size_t>(index))
    CheckMeasuredItems(vertical);
  TMeasuredItems::TEntry& entry = FMeasured.Sizes[static_cast<std::size_t>(index)];
  if (entry.Item != &item) entry = {&item, MeasureItem(item, vertical)};
  return entry.Size;
}

TSize TTBCustomToolbar::ItemsExtent(bool vertical) const {
  std::int64_t along = 0;
  int across = ImageSize + 2 * ItemVerticalPadding;  // an empty toolbar is as high as a button
  // Controls on toolbars may hold docks that hold toolbars: one that is reached again while it is
  // being measured counts as empty, so no arrangement measures for ever.
  if (FMeasuring) return vertical ? TSize{across, 0} : TSize{0, across};
  FMeasuring = true;
  TScopeExit done([this] { FMeasuring = false; });
  CheckMeasuredItems(vertical);
  for (int i = 0; i < FItems->Count(); ++i) {
    const TTBCustomItem& item = *FItems->GetItem(i);
    if (!item.GetVisible()) continue;
    const TSize size = ItemSize(i, item, vertical);
    along += vertical ? size.Height : size.Width;
    across = std::max(across, vertical ? size.Width : size.Height);
  }
  return vertical ? TSize{across, ClampPixels(along)} : TSize{ClampPixels(along), across};
}

TSize TTBCustomToolbar::GetDockedSize(bool vertical) const {
  const TSize framed = FramedSize(ItemsExtent(vertical));
  return vertical ? TSize{framed.Height, framed.Width} : framed;
}

TSize TTBCustomToolbar::GetFloatingClientSize() const { return ItemsExtent(false); }

// Items follow each other from the leading edge of the client area; each takes the full depth
// of the row (the full width of a column). What does not fit is cut at the client's end.
void TTBCustomToolbar::AlignControls() {
  if (DeferItemsLayout()) return;
  const TRect client = GetClientRect();
  const bool vertical = IsVertical();
  int cursor = vertical ? client.Top : client.Left;
  const int end = vertical ? client.Bottom() : client.Right();
  CheckMeasuredItems(vertical);
  for (int i = 0; i < FItems->Count(); ++i) {
    TTBCustomItem& item = *FItems->GetItem(i);
    if (!item.GetVisible()) {
      item.FBounds = {};
      continue;
    }
    const TSize size = ItemSize(i, item, vertical);
    const int length = std::clamp(end - cursor, 0, vertical ? size.Height : size.Width);
    item.FBounds =
        vertical ? TRect{client.Left, cursor, client.Width, length} : TRect{cursor, client.Top, length, client.Height};
    cursor += length;
    PlaceItemControl(item);
  }
  NotifyPeer([](TControlPeer& peer) { peer.Invalidate(); });
}

// A control on the toolbar keeps its own size, centred in its item inside the margin. An item
// merged in from another toolbar brings its control along, and a free control comes onto it; a
// control that something else has taken since (or that holds this toolbar) stays where it is, and
// its item shows nothing here.
TControl* TTBCustomToolbar::AdoptItemControl(const TTBCustomItem& item) {
  TControl* control = ItemControl(item);
  if (!control || Contains(*control, *this)) return nullptr;
  if (TWinControl* holder = control->GetParent(); holder != this) {
    auto* previous = KindCast<TTBCustomToolbar>(holder);
    if (holder && (!previous || previous->PlacesChild(*control))) return nullptr;
    control->SetParent(this);
  }
  return control;
}

void TTBCustomToolbar::PlaceItemControl(TTBCustomItem& item) {
  TControl* control = AdoptItemControl(item);
  if (!control) return;
  // Items stand in the toolbar's coordinates, its child controls in its client area's.
  const TRect client = GetClientRect();
  const TRect inner = item.FBounds.Inset(ControlItemMargin).Offset(-client.Left, -client.Top);
  const TSize size = ControlSize(*control);
  const int width = std::min(size.Width, inner.Width), height = std::min(size.Height, inner.Height);
  PlaceChild(*control,
             {inner.Left + (inner.Width - width) / 2, inner.Top + (inner.Height - height) / 2, width, height});
}

bool TTBCustomToolbar::PlacesChild(const TControl& child) const {
  auto [first, last] = FItemsByControl.equal_range(&child);
  return std::any_of(first, last, [&](const auto& entry) {
    const TTBCustomItem* item = entry.second;
    return item && item->GetParent() == FItems.get() && ItemControl(*item) == &child;
  });
}

void TTBCustomToolbar::TopLevelItemArrived(TTBCustomItem& item) {
  IndexItemControl(item);
  AdoptItemControl(item);
}

void TTBCustomToolbar::IndexItemControl(TTBCustomItem& item) {
  TControl* control = ItemControl(item);
  if (!control) return;
  if (FItemsByControl.size() >= 2 * static_cast<size_t>(FItems->Count()) + 16) {
    FItemsByControl.clear();
    for (int i = 0; i < FItems->Count(); ++i)
      if (TControl* held = ItemControl(*FItems->GetItem(i))) FItemsByControl.emplace(held, FItems->GetItem(i));
    return;  // the rebuilt index holds the item already
  }
  FItemsByControl.emplace(control, &item);
}

void TTBCustomToolbar::FontChanged() {
  ++FItemsGeneration;
  TTBCustomDockableWindow::FontChanged();
}

// A control on the toolbar that resizes itself resizes its item. While the layout waits anyway,
// no item need be looked for now.
void TTBCustomToolbar::ChildChanged(TControl& child) {
  if (DeferItemsLayout()) return;
  if (PlacesChild(child)) ItemsChanged();
}

TTBItemParts TTBCustomToolbar::GetItemParts(const TTBCustomItem& item) const {
  TTBItemParts parts;
  const TRect bounds = item.GetBounds();
  if (bounds.Empty() || IsSeparator(item) || AsControlItem(item)) return parts;
  const bool caption = !StripAccessKeys(item.GetCaption()).empty();
  TRect content =
      bounds.Inset(caption ? ItemPadding : ItemImagePadding, 0, caption ? ItemPadding : ItemImagePadding, 0);
  if (HasArrow(item)) {
    parts.Arrow = {content.Right() - ItemArrowSize, content.Top, ItemArrowSize, content.Height};
    content = content.Inset(0, 0, ItemArrowSize + ItemArrowGap, 0);
  }
  if (ShowsImage(item)) {
    parts.Image = {content.Left, content.Top + (content.Height - ImageSize) / 2, ImageSize, ImageSize};
    content = content.Inset(ImageSize + (caption ? GlyphGap : 0), 0, 0, 0);
  }
  if (caption) parts.Caption = content;
  return parts;
}

TTBCustomItem* TTBCustomToolbar::ItemAt(TPoint point) const {
  for (int i = 0; i < FItems->Count(); ++i) {
    TTBCustomItem* item = FItems->GetItem(i);
    if (item->GetVisible() && item->GetBounds().Contains(point)) return item;
  }
  return nullptr;
}

TTBXToolbar::TTBXToolbar(TComponent* owner) : TTBCustomToolbar(owner) {}
TTBXToolbar::~TTBXToolbar() = default;
