// The drag of a dockable window: which dock, row and place the pointer points at, or where the
// window would float, and the outline that shows it. A move places no control.
#include <algorithm>
#include <climits>

#include "TbxForms.h"
#include "TbxMetrics.h"

using TbxMetrics::DockSnapDistance;

namespace {

// The docks of the form a window may be dropped on, in tree order: visible, and outside the window.
void CollectDocks(const TWinControl& control, const TControl& dragged, TObjectList<TTBDock>& docks) {
  for (int i = 0; i < control.GetControlCount(); ++i) {
    TControl& child = *control.GetControl(i);
    if (&child == &dragged || !child.GetVisible()) continue;
    auto* windowed = KindCast<TWinControl>(&child);
    if (!windowed) continue;
    if (TTBDock* dock = windowed->AsDock()) docks.Add(dock);
    CollectDocks(*windowed, dragged, docks);
  }
}

// Where a dock catches the pointer, in form coordinates: the dock itself and a strip along its
// inner edge, so that an empty dock (0 thick) catches a window too, and a new row can be made on
// the inner side of the last one.
TRect CatchZone(const TTBDock& dock) {
  const TRect at = dock.GetWindowRect();
  switch (dock.GetPosition()) {
    case dpTop:
      return {at.Left, at.Top, at.Width, at.Height + DockSnapDistance};
    case dpBottom:
      return {at.Left, at.Top - DockSnapDistance, at.Width, at.Height + DockSnapDistance};
    case dpLeft:
      return {at.Left, at.Top, at.Width + DockSnapDistance, at.Height};
    case dpRight:
      return {at.Left - DockSnapDistance, at.Top, at.Width + DockSnapDistance, at.Height};
  }
  return at;
}

int Along(bool vertical, TPoint p) { return vertical ? p.Y : p.X; }
int Across(bool vertical, TPoint p) { return vertical ? p.X : p.Y; }
TRect FromDockTerms(bool vertical, int along, int across, int length, int thickness) {
  return vertical ? TRect{across, along, thickness, length} : TRect{along, across, length, thickness};
}

}  // namespace

TDockDrag::TDockDrag(TForm& form, TTBCustomDockableWindow& window, TPoint point) : FWindow(&window) {
  const TRect at = window.GetWindowRect();
  FGrab = {point.X - at.Left, point.Y - at.Top};
  CollectDocks(form, window, FDocks);
  StayPut();
}

TDockDrag::~TDockDrag() = default;

void TDockDrag::MoveTo(TPoint point) {
  if (!FWindow) return;
  if (!TargetDock(point)) TargetFloating(point);
}

// The dock whose zone holds the pointer and that takes the window; among several, the one the
// pointer is deepest in.
bool TDockDrag::TargetDock(TPoint point) {
  TTBDock* best = nullptr;
  for (TTBDock* dock : FDocks) {
    if (!CatchZone(*dock).Contains(point) || !FWindow->DockRefusal(*dock).empty()) continue;
    if (!best || (dock->GetWindowRect().Contains(point) && !best->GetWindowRect().Contains(point))) best = dock;
  }
  if (!best) return false;
  const bool vertical = best->IsVertical();
  const TPoint origin = ClientOrigin(*best);
  const int across = Across(vertical, point) - Across(vertical, origin);
  const TSize docked = FWindow->GetDockedSize(vertical);
  const std::vector<TTBDock::TRowExtent> rows = best->GetRowExtents();
  TDockTarget target;
  target.Dock = best;
  // A window moves into the middle of a row, and between rows near their edges.
  int rowStart = 0, thickness = docked.Height;
  if (rows.empty()) {
    target.NewRow = true;
  } else if (best->GetLimitToOneRow()) {
    target.Row = rows.front().Row;
    rowStart = rows.front().Start;
    thickness = rows.front().Thickness;
  } else {
    target.NewRow = true;
    target.Row = rows.back().Row + 1;
    rowStart = rows.back().Start + rows.back().Thickness;
    for (const auto& row : rows) {
      const int edge = std::max(2, row.Thickness / 4);
      if (across < row.Start + edge) {
        target.Row = row.Row;
        rowStart = row.Start;
        break;
      }
      if (across < row.Start + row.Thickness - edge) {
        target.NewRow = false;
        target.Row = row.Row;
        rowStart = row.Start;
        thickness = row.Thickness;
        break;
      }
    }
  }
  // An empty dock has no client area yet: it would be as long as it is.
  const TRect client = best->GetClientArea().Empty() ? best->GetBoundsRect() : best->GetClientArea();
  const int length = vertical ? client.Height : client.Width;
  const int grabAlong = std::min(Along(vertical, FGrab), std::max(0, docked.Width - 1));
  // A window of its own length lands whole inside the row; a panel's place only orders it.
  const int outlineLength = docked.Width > 0 ? std::min(docked.Width, length) : length;
  const int along = Along(vertical, point) - Along(vertical, origin) - grabAlong;
  target.Pos = std::clamp(along, 0, std::max(0, docked.Width > 0 ? length - outlineLength : length - 1));
  const int outlinePos = docked.Width > 0 ? target.Pos : 0;
  // A new row of a bottom or right dock grows towards the window's middle.
  const bool growsInward = target.NewRow && (best->GetPosition() == dpBottom || best->GetPosition() == dpRight);
  const int outlineAcross = growsInward ? rowStart - thickness : rowStart;
  target.Outline =
      FromDockTerms(vertical, outlinePos, outlineAcross, outlineLength, thickness).Offset(origin.X, origin.Y);
  FTarget = target;
  return true;
}

void TDockDrag::TargetFloating(TPoint point) {
  if (!FWindow->FloatRefusal().empty()) return StayPut();
  const TSize size = FWindow->GetFloating() ? FWindow->GetBoundsRect().Size() : FWindow->GetFloatingSize();
  TDockTarget target;
  target.Floating = true;
  const TPoint grab{std::min(FGrab.X, std::max(0, size.Width - 1)), std::min(FGrab.Y, std::max(0, size.Height - 1))};
  target.FloatAt = {point.X - grab.X, point.Y - grab.Y};
  target.Outline = {target.FloatAt.X, target.FloatAt.Y, size.Width, size.Height};
  FTarget = target;
}

// Nowhere to go: the outline stays on the window.
void TDockDrag::StayPut() {
  FTarget = TDockTarget{};
  if (FWindow) FTarget.Outline = FWindow->GetWindowRect();
}

void TDockDrag::Drop() {
  if (!FWindow) return;
  const TDockTarget target = FTarget;
  if (target.Floating) {
    FWindow->FloatAt(target.FloatAt);
    return;
  }
  if (!target.Dock) return;
  if (const std::string refusal = FWindow->DockRefusal(*target.Dock); !refusal.empty()) throw EDockError(refusal);
  int row = target.Row;
  if (target.NewRow) {
    // The rows take odd numbers, the new one the even number before the row it goes before.
    const std::vector<TTBDock::TRowExtent> rows = target.Dock->GetRowExtents();
    const auto before = std::find_if(rows.begin(), rows.end(), [&](const auto& r) { return r.Row == target.Row; });
    row = 2 * static_cast<int>(before - rows.begin());
    target.Dock->NumberRows(2, 1);
  }
  FWindow->DockTo(*target.Dock, row, target.Pos);
  target.Dock->NumberRows();
}
