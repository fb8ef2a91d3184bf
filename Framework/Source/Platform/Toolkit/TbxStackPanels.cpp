// Stack panels: edges, then a column of the controls nobody aligns, then the client.
#include "TbxStackPanels.h"

#include <algorithm>

#include "TbxDocks.h"
#include "TbxMetrics.h"

TStackPanel::TStackPanel(TComponent* owner) : TWinControl(owner) {}
TStackPanel::~TStackPanel() = default;

bool TStackPanel::IsFloating(const TControl& child) { return child.AsDockableWindow() != nullptr; }

bool TStackPanel::IsStacked(const TControl& child) {
  return child.GetVisible() && child.GetAlign() == alNone && !IsFloating(child);
}

bool TStackPanel::PlacesChild(const TControl& child) const {
  return child.GetAlign() == alNone || TWinControl::PlacesChild(child);
}

// No wider than the column: what does not fit is cut off when drawn, not pushed out of the panel.
TSize TStackPanel::StackedSize(const TControl& child) const {
  const int width = std::max(0, FColumn.Width - 2 * StackPadding);
  TSize size = child.GetAutoSizing() ? child.GetPreferredSize(width) : child.GetBoundsRect().Size();
  size.Width = std::min(size.Width, width);
  return size;
}

void TStackPanel::AlignControls() {
  FColumn = AlignEdges(GetClientArea());
  FLaidOut = true;
  StackFrom(0);
  PlaceFloating();
}

int TStackPanel::StackedTop(size_t index) const {
  const auto& controls = Controls();
  for (size_t i = index; i-- > 0;)
    if (IsStacked(*controls[i])) return controls[i]->GetTop() + controls[i]->GetHeight() + StackGap;
  return FColumn.Top + StackPadding;
}

void TStackPanel::StackFrom(size_t index) {
  const auto& controls = Controls();
  int top = StackedTop(index);
  bool stacked = top != FColumn.Top + StackPadding;
  const unsigned version = ChildrenVersion();
  for (size_t i = index; i < controls.size(); ++i) {
    TControl& child = *controls[i];
    if (!IsStacked(child)) continue;
    const TSize size = StackedSize(child);
    PlaceChild(child, {FColumn.Left + StackPadding, top, size.Width, size.Height});
    if (ChildrenVersion() != version) return Realign();  // a handler added or destroyed children
    top += size.Height + StackGap;
    stacked = true;
  }
  const int bottom = stacked ? std::min(FColumn.Bottom(), top - StackGap + StackPadding) : FColumn.Top;
  AlignClient({FColumn.Left, bottom, FColumn.Width, FColumn.Bottom() - bottom});
}

void TStackPanel::PlaceFloating() {
  int top = FColumn.Top + TbxMetrics::FloatingOffset;
  const auto& controls = Controls();
  const unsigned version = ChildrenVersion();
  for (size_t i = 0; i < controls.size(); ++i) {
    if (ChildrenVersion() != version) return Realign();  // a handler added or destroyed children
    auto* window = controls[i]->AsDockableWindow();
    if (!window || !window->GetVisible()) continue;
    const TSize size = window->GetPreferredSize();
    if (window->GetFloatingPlaced()) {
      PlaceChild(*window, {window->GetLeft(), window->GetTop(), size.Width, size.Height});
      continue;
    }
    PlaceChild(*window, {FColumn.Right() - TbxMetrics::FloatingOffset - size.Width, top, size.Width, size.Height});
    top += size.Height + TbxMetrics::FloatingOffset;
  }
}

// A child that only grew wider or narrower moves nothing else; one whose height or visibility
// changed moves the children below it.
void TStackPanel::ChildChanged(TControl& child) {
  if (!PlacesChild(child)) return;
  if (!FLaidOut || LayoutDeferred() || child.GetAlign() != alNone) {
    Realign();
    return;
  }
  if (IsFloating(child)) {
    PlaceFloating();
    return;
  }
  const auto index = static_cast<size_t>(IndexOfControl(&child));
  if (IsStacked(child)) {
    const TSize size = StackedSize(child);
    if (KeepsItsPlace(index, child, size.Height)) {
      PlaceChild(child, {child.GetLeft(), child.GetTop(), size.Width, size.Height});
      return;
    }
  }
  StackFrom(index);
}

// A child shown again still has the place it had before it was hidden, where the column has closed
// up since; only a child that stands where the column puts it, with the next stacked child right
// below the height it is to have, changed no more than its width.
bool TStackPanel::KeepsItsPlace(size_t index, const TControl& child, int height) const {
  if (child.GetLeft() != FColumn.Left + StackPadding || child.GetTop() != StackedTop(index)) return false;
  const auto& controls = Controls();
  for (size_t i = index + 1; i < controls.size(); ++i)
    if (IsStacked(*controls[i])) return controls[i]->GetTop() == child.GetTop() + height + StackGap;
  return false;  // the last one: the client-aligned children below follow it
}
