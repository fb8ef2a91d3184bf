// The user's docking gestures on a dockable window: into a dock, out to float, back, and the
// floating window's borders. Every rule is checked before anything moves.
#include <algorithm>

#include "TbxDocks.h"
#include "TbxForms.h"
#include "TbxMetrics.h"

using namespace TbxMetrics;

EDockError::~EDockError() = default;

namespace {

std::string ControlName(const TControl& control) {
  return "'" + (control.GetName().empty() ? control.ClassName() : control.GetName()) + "'";
}

std::string PositionList(TTBDockPositions positions) {
  std::string text;
  for (const auto& identifier : positions.Identifiers()) text += (text.empty() ? "" : ",") + identifier;
  return text.empty() ? "nothing" : text;
}

bool LiesInside(const TControl& inner, const TControl& outer) {
  for (const TControl* c = &inner; c; c = c->GetParent())
    if (c == &outer) return true;
  return false;
}

// Brackets the layout of the given controls (nil ones skipped): a gesture that moves a window from
// one to the other lays each out once at the end.
class TAlignBracket {
 public:
  TAlignBracket(TWinControl* first, TWinControl* second) : FFirst(first), FSecond(second == first ? nullptr : second) {
    if (FFirst) FFirst->DisableAlign();
    if (FSecond) FSecond->DisableAlign();
  }
  ~TAlignBracket() {
    if (FSecond) FSecond->EnableAlign();
    if (FFirst) FFirst->EnableAlign();
  }
  TAlignBracket(const TAlignBracket&) = delete;
  TAlignBracket& operator=(const TAlignBracket&) = delete;

 private:
  TWinControl* FFirst;
  TWinControl* FSecond;
};

}  // namespace

std::string TTBCustomDockableWindow::DockRefusal(const TTBDock& dock) const {
  const std::string name = ControlName(*this);
  const TTBDock* current = GetCurrentDock();
  if (!dock.TakesWindow(*this))
    return "the " + dock.ClassName() + " " + ControlName(dock) + " takes dockable panels only, and " + name + " is a " +
           ClassName();
  if (!dock.GetAllowDrag()) return "the dock " + ControlName(dock) + " does not allow dragging (AllowDrag is False)";
  if (current && !current->GetAllowDrag())
    return name + " lies in the dock " + ControlName(*current) + ", which does not allow dragging";
  if (current && current != &dock && FDockMode == dmCannotFloatOrChangeDocks)
    return name + " has DockMode dmCannotFloatOrChangeDocks: it stays in the dock " + ControlName(*current);
  if (!FDockableTo.Contains(dock.GetPosition()))
    return name + " may dock to " + PositionList(FDockableTo) + " (DockableTo), not to the " +
           EnumIdentifier(dock.GetPosition()) + " dock " + ControlName(dock);
  if (LiesInside(dock, *this)) return "the dock " + ControlName(dock) + " lies inside " + name;
  return {};
}

std::string TTBCustomDockableWindow::FloatRefusal() const {
  const std::string name = ControlName(*this);
  if (FDockMode != dmCanFloat) return name + " has DockMode " + EnumIdentifier(FDockMode) + ": it does not float";
  const TTBDock* current = GetCurrentDock();
  if (current && !current->GetAllowDrag())
    return name + " lies in the dock " + ControlName(*current) + ", which does not allow dragging";
  if (!(current ? current->GetParent() : GetParent())) return name + " lies in no window to float over";
  return {};
}

void TTBCustomDockableWindow::DockTo(TTBDock& dock, int row, int pos) {
  if (row < 0 || pos < -1)
    throw EDockError("a dock row is 0 or more and a position -1 or more, not row " + std::to_string(row) +
                     " and position " + std::to_string(pos));
  if (const std::string refusal = DockRefusal(dock); !refusal.empty()) throw EDockError(refusal);
  TTBDock* from = GetCurrentDock();
  {
    TAlignBracket bracket(&dock, GetParent());
    // The windows already in the row keep where they stand, so that pos falls between them.
    if (pos >= 0)
      for (int i = 0; i < dock.GetControlCount(); ++i)
        if (auto* window = dock.GetControl(i)->AsDockableWindow();
            window && window != this && window->GetVisible() && window->FDockRow == row && window->FDockPos < 0)
          window->SetDockPos(dock.IsVertical() ? window->GetTop() : window->GetLeft());
    FDockRow = row;
    FDockPos = pos;
    if (GetParent() == &dock) {
      FrameChanged();
    } else {
      SetParent(&dock);
    }
  }
  if (TForm* form = GetParentForm(*this)) form->WindowDocked(*this, from);
}

void TTBCustomDockableWindow::FloatAt(TPoint position) {
  if (const std::string refusal = FloatRefusal(); !refusal.empty()) throw EDockError(refusal);
  TTBDock* from = GetCurrentDock();
  TWinControl* target = from ? from->GetParent() : GetParent();
  if (from) {
    FLastDock = from;
    FLastDockRow = FDockRow;
    FLastDockPos = FDockPos;
  }
  {
    TAlignBracket bracket(target, from);
    if (from) SetParent(target);
    const TForm* form = GetParentForm(*target);
    const TSize size = GetPreferredSize();
    if (form) {
      // The caption bar stays where the user can reach it again.
      const TRect desktop = form->GetDesktopRect();
      const int captionBottom = std::max(FrameAt(size).Caption.Bottom(), 1);
      position.X = std::clamp(position.X, desktop.Left, std::max(desktop.Left, desktop.Right() - size.Width));
      position.Y = std::clamp(position.Y, desktop.Top, std::max(desktop.Top, desktop.Bottom() - captionBottom));
    }
    const TPoint origin = ClientOrigin(*target);
    SetFloatingPosition({position.X - origin.X, position.Y - origin.Y});
  }
  if (TForm* form = GetParentForm(*this)) form->WindowFloated(*this);
}

void TTBCustomDockableWindow::DockBack() {
  const std::string name = ControlName(*this);
  if (!GetFloating()) throw EDockError(name + " is docked already");
  if (!FLastDock) throw EDockError(name + " has not floated out of a dock, so it has no dock to go back to");
  DockTo(*FLastDock, FLastDockRow, FLastDockPos);
}

bool TTBCustomDockableWindow::CaptionDblClick() {
  if (GetFloating()) {
    if (!FLastDock || !DockRefusal(*FLastDock).empty()) return false;
    DockBack();
    return true;
  }
  if (!FDblClickUndock || !FloatRefusal().empty()) return false;
  const TRect at = GetWindowRect();
  FloatAt({at.Left, at.Top});
  return true;
}

TDockableHit TTBCustomDockableWindow::HitTest(TPoint point) const {
  if (!TRect{0, 0, GetWidth(), GetHeight()}.Contains(point)) return dhNone;
  const TDockableFrame frame = GetFrame();
  if (GetFloating() && ResizesWhenFloating()) {
    const int grip = std::max(FloatingResizeGrip, frame.Border);
    const bool left = point.X < grip, right = point.X >= GetWidth() - grip;
    const bool top = point.Y < grip, bottom = point.Y >= GetHeight() - grip;
    const bool nearLeft = point.X < FloatingCornerGrip, nearRight = point.X >= GetWidth() - FloatingCornerGrip;
    const bool nearTop = point.Y < FloatingCornerGrip, nearBottom = point.Y >= GetHeight() - FloatingCornerGrip;
    if ((top && nearLeft) || (left && nearTop)) return dhTopLeft;
    if ((top && nearRight) || (right && nearTop)) return dhTopRight;
    if ((bottom && nearLeft) || (left && nearBottom)) return dhBottomLeft;
    if ((bottom && nearRight) || (right && nearBottom)) return dhBottomRight;
    if (left) return dhLeft;
    if (right) return dhRight;
    if (top) return dhTop;
    if (bottom) return dhBottom;
  }
  if (frame.CloseButton.Contains(point)) return dhCloseButton;
  if (frame.Caption.Contains(point)) return dhCaption;
  if (frame.DragHandle.Contains(point)) return dhDragHandle;
  if (frame.ResizeEdge.Contains(point)) return dhResizeEdge;
  return dhClient;
}

TSize TTBCustomDockableWindow::GetMinimumFloatingSize() const {
  const TSize framed = FramedSize({MinFloatingClient, MinFloatingClient});
  // The caption bar keeps room for its close button and a little of its text.
  const int captionWidth = 2 * FloatingBorder + 3 * CloseButtonSize + 2 * CloseButtonMargin;
  return {std::max(framed.Width, captionWidth), framed.Height};
}

void TTBCustomDockableWindow::ResizeFloating(const TRect& bounds, bool done) {
  const std::string name = ControlName(*this);
  if (!GetFloating()) throw EDockError(name + " is docked: only a floating window resizes by its borders");
  if (!ResizesWhenFloating()) throw EDockError(name + " does not resize while it floats (only a resizable panel does)");
  const TSize least = GetMinimumFloatingSize();
  const int width = std::max(bounds.Width, least.Width), height = std::max(bounds.Height, least.Height);
  // A left or top border that cannot go further keeps the opposite edge where it is.
  const int left = bounds.Width < least.Width && bounds.Left != GetLeft() ? bounds.Right() - width : bounds.Left;
  const int top = bounds.Height < least.Height && bounds.Top != GetTop() ? bounds.Bottom() - height : bounds.Top;
  FFloatingPlaced = true;
  SetBounds(left, top, width, height);
  if (TForm* form = GetParentForm(*this); form && done) form->WindowFloated(*this);
}
