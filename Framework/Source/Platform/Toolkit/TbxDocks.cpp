// Docks: rows of dockable windows along one edge of the parent.
#include "TbxDocks.h"

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <tuple>

#include "TbxFields.h"
#include "TbxMetrics.h"
#include "TbxPeers.h"

namespace {
constexpr TAlign PositionAlign[] = {alTop, alBottom, alLeft, alRight};

// Geometry along and across the dock, whatever its orientation: a vertical dock's rows are
// columns, so its "along" is the screen's Y.
TRect FromDockTerms(bool vertical, int along, int across, int length, int thickness) {
  return vertical ? TRect{across, along, thickness, length} : TRect{along, across, length, thickness};
}
int Along(bool vertical, const TRect& r) { return vertical ? r.Top : r.Left; }
int Across(bool vertical, const TRect& r) { return vertical ? r.Left : r.Top; }
int Length(bool vertical, const TRect& r) { return vertical ? r.Height : r.Width; }
int Thickness(bool vertical, const TRect& r) { return vertical ? r.Width : r.Height; }
}  // namespace

TTBDock::TTBDock(TComponent* owner) : TWinControl(owner) { SetAlign(PositionAlign[FPosition]); }
TTBDock::~TTBDock() = default;

void TTBDock::SetPosition(TTBDockPosition position) {
  FPosition = position;
  SetAlign(PositionAlign[position]);
  // The windows turn with the dock: toolbars lay their items out the other way.
  for (TControl* control : Controls())
    if (auto* window = control->AsDockableWindow()) window->Realign();
  Realign();
}

void TTBDock::SetAllowDrag(bool allowDrag) {
  if (UpdateField(FAllowDrag, allowDrag)) SettingChanged();
}

void TTBDock::SetLimitToOneRow(bool limit) {
  if (UpdateField(FLimitToOneRow, limit)) SettingChanged();
}

void TTBDock::SetBoundLines(TTBDockBoundLines lines) {
  if (UpdateField(FBoundLines, lines)) SettingChanged();
}

// The drag handles of the toolbars come and go with AllowDrag: every window measures anew.
void TTBDock::SettingChanged() {
  NotifyPeer([](TControlPeer& peer) { peer.Invalidate(); });
  for (TControl* control : Controls())
    if (auto* window = control->AsDockableWindow()) window->Realign();
  AdjustSize();
  Realign();
}

bool TTBDock::PlacesChild(const TControl& child) const { return child.AsDockableWindow() != nullptr; }

void TTBDock::ChildChanged(TControl& child) {
  if (!PlacesChild(child) || DeferLayout()) return;
  FitAndLayOut();
}

void TTBDock::FitAndLayOut() {
  // A thickness of its own that changes moves the dock's siblings; otherwise only its rows move.
  if (GetPreferredSize(GetWidth()) != GetBoundsRect().Size() && GetParent()) {
    const TSize before = GetBoundsRect().Size();
    AdjustSize();
    if (GetBoundsRect().Size() != before) return;  // resizing laid the rows out
  }
  Realign();
}

// Rows by their DockRow (all in one with LimitToOneRow), ascending, numbers without windows left
// out; in a row, windows by DockPos, the ones without a position after the others, each group in
// child order.
// One sort of one list: a dock is measured and arranged at every change of a window in it.
template <typename TVisit>
void TTBDock::ForEachRow(TVisit visit) const {
  // A dock holds a few windows: their places stay on the stack unless there are many.
  constexpr std::size_t KPlacesOnStack = 16;
  std::array<TPlace, KPlacesOnStack> stackPlaces;
  std::vector<TPlace> heapPlaces;
  if (Controls().size() > KPlacesOnStack) heapPlaces.resize(Controls().size());
  const std::span<TPlace> room = heapPlaces.empty() ? std::span<TPlace>(stackPlaces) : std::span<TPlace>(heapPlaces);
  std::size_t count = 0;
  for (TControl* control : Controls()) {
    auto* window = control->AsDockableWindow();
    if (!window || !window->GetVisible()) continue;
    const int pos = window->GetDockPos() < 0 ? INT_MAX : window->GetDockPos();
    room[count] = {FLimitToOneRow ? 0 : window->GetDockRow(), pos, static_cast<int>(count), window};
    ++count;
  }
  const std::span<TPlace> places = room.first(count);
  std::sort(places.begin(), places.end(), [](const TPlace& a, const TPlace& b) {
    return std::tie(a.Row, a.Pos, a.Order) < std::tie(b.Row, b.Pos, b.Order);
  });
  for (auto first = places.begin(); first != places.end();) {
    const auto last = std::find_if(first, places.end(), [&](const TPlace& place) { return place.Row != first->Row; });
    visit(TRow(first, last));
    first = last;
  }
}

int TTBDock::Thickness() const {
  std::int64_t thickness = 0;
  ForEachRow([&](TRow row) {
    int rowThickness = 0;
    for (const TPlace& place : row)
      rowThickness = std::max(rowThickness, place.Window->GetDockedSize(IsVertical()).Height);
    thickness += rowThickness;
  });
  if (thickness == 0) return 0;
  const auto lines = IsVertical() ? FBoundLines * TTBDockBoundLines{blLeft, blRight}
                                  : FBoundLines * TTBDockBoundLines{blTop, blBottom};
  return ClampPixels(thickness + std::int64_t{std::popcount(lines.Bits())} * TbxMetrics::BoundLineSize);
}

TSize TTBDock::GetPreferredSize(int) const {
  const int thickness = Thickness();
  return IsVertical() ? TSize{thickness, GetHeight()} : TSize{GetWidth(), thickness};
}

TRect TTBDock::LinesInset(TRect r) const {
  const int line = TbxMetrics::BoundLineSize;
  return r.Inset(FBoundLines.Contains(blLeft) ? line : 0, FBoundLines.Contains(blTop) ? line : 0,
                 FBoundLines.Contains(blRight) ? line : 0, FBoundLines.Contains(blBottom) ? line : 0);
}

TRect TTBDock::GetClientRect() const {
  if (GetWidth() == 0 || GetHeight() == 0) return {};
  return LinesInset({0, 0, GetWidth(), GetHeight()});
}

void TTBDock::AlignControls() {
  const TRect client = GetClientArea();
  const bool vertical = IsVertical();
  int across = Across(vertical, client);
  const unsigned version = ChildrenVersion();
  ForEachRow([&](TRow row) {
    // A window's handler that added or destroyed windows ends this pass; the dock is laid out again.
    if (ChildrenVersion() != version) return;
    int thickness = 0;
    for (const TPlace& place : row) thickness = std::max(thickness, place.Window->GetDockedSize(vertical).Height);
    thickness = std::min(thickness, std::max(0, Across(vertical, client) + ::Thickness(vertical, client) - across));
    LayoutRow(row, FromDockTerms(vertical, Along(vertical, client), across, Length(vertical, client), thickness));
    across += thickness;
  });
}

// Along the row: full-size windows take all of it; windows of their own length go one after the
// other (not before their DockPos); what is left is shared equally by the windows that take a
// share (panels), and then the row is packed without gaps. Nothing reaches past the row's end.
void TTBDock::LayoutRow(TRow row, const TRect& area) {
  const bool vertical = IsVertical();
  const int start = Along(vertical, area), length = Length(vertical, area), thickness = ::Thickness(vertical, area);
  std::int64_t fixed = 0;
  int sharers = 0;
  for (const TPlace& place : row) {
    const auto* window = place.Window;
    const int own = window->GetFullSize() ? length : window->GetDockedSize(vertical).Width;
    if (own > 0)
      fixed += own;
    else
      ++sharers;
  }
  const int shared = static_cast<int>(std::max<std::int64_t>(0, length - fixed));
  int cursor = start, sharersLeft = sharers;
  const unsigned version = ChildrenVersion();
  for (const TPlace& place : row) {
    if (ChildrenVersion() != version) return;  // the row may hold a destroyed window
    auto* window = place.Window;
    int own = window->GetFullSize() ? length : window->GetDockedSize(vertical).Width;
    // The last window to share takes what the equal division leaves over.
    if (own <= 0) own = --sharersLeft == 0 ? shared - (sharers - 1) * (shared / sharers) : shared / sharers;
    if (sharers == 0 && window->GetDockPos() >= 0) cursor = std::max(cursor, start + window->GetDockPos());
    const int end = std::min(start + length, cursor + own);
    const int across = Across(vertical, area);
    PlaceChild(*window,
               FromDockTerms(vertical, std::min(cursor, start + length), across, std::max(0, end - cursor), thickness));
    cursor = std::max(cursor, end);
  }
}

bool TTBDock::TakesWindow(const TTBCustomDockableWindow&) const { return true; }

std::vector<TTBDock::TRowExtent> TTBDock::GetRowExtents() const {
  std::vector<TRowExtent> rows;
  const bool vertical = IsVertical();
  ForEachRow([&](TRow row) {
    const TTBCustomDockableWindow& first = *row.front().Window;
    rows.push_back(
        {row.front().Row, Across(vertical, first.GetBoundsRect()), ::Thickness(vertical, first.GetBoundsRect())});
  });
  return rows;
}

void TTBDock::NumberRows(int spacing, int offset) {
  std::vector<std::pair<TTBCustomDockableWindow*, int>> numbers;
  int index = 0;
  ForEachRow([&](TRow row) {
    for (const TPlace& place : row) numbers.emplace_back(place.Window, index * spacing + offset);
    ++index;
  });
  DisableAlign();
  TScopeExit layOut([this] { EnableAlign(); });
  for (auto& [window, number] : numbers) window->SetDockRow(number);
}

TTBXDock::TTBXDock(TComponent* owner) : TTBDock(owner) {}
TTBXDock::~TTBXDock() = default;

TTBXMultiDock::TTBXMultiDock(TComponent* owner) : TTBXDock(owner) {}
TTBXMultiDock::~TTBXMultiDock() = default;

bool TTBXMultiDock::TakesWindow(const TTBCustomDockableWindow& window) const {
  return IsKindOf(window.Kind(), ckDockablePanel);
}
