// Forms: the window as a whole, its least size, and the docking gestures that run in it.
#include "TbxForms.h"

#include <algorithm>

#include "TbxPeers.h"

namespace {

// The size along the given edge that an edge-aligned child takes: its own, or the size it asks for
// when it sizes itself (a dock as thick as its rows).
int EdgeExtent(const TControl& child, bool across) {
  const TSize size = child.GetAutoSizing() ? child.GetPreferredSize() : child.GetBoundsRect().Size();
  return across ? size.Width : size.Height;
}

// The least client size of control: its top and bottom edges above one another, its left and right
// edges side by side, and between them the largest least size of what fills the rest.
TSize LeastClientSize(const TWinControl& control) {
  std::int64_t width = 0, height = 0;
  TSize filling;
  for (int i = 0; i < control.GetControlCount(); ++i) {
    const TControl& child = *control.GetControl(i);
    if (!child.GetVisible()) continue;
    switch (child.GetAlign()) {
      case alTop:
      case alBottom:
        height += EdgeExtent(child, false);
        break;
      case alLeft:
      case alRight:
        width += EdgeExtent(child, true);
        break;
      case alClient:
        if (const auto* area = KindCast<TWinControl>(&child)) {
          const TSize least = LeastClientSize(*area);
          filling = {std::max(filling.Width, least.Width), std::max(filling.Height, least.Height)};
        }
        break;
      default:
        break;
    }
  }
  return {ClampPixels(width + filling.Width), ClampPixels(height + filling.Height)};
}

}  // namespace

TForm::TForm(TComponent* owner) : TStackPanel(owner) {}
TForm::~TForm() { Destroying(); }

TSize TForm::GetMinimumSize() const {
  const TSize client = LeastClientSize(*this);
  const TRect inner = GetClientRect();
  return {ClampPixels(std::int64_t{client.Width} + GetWidth() - inner.Width),
          ClampPixels(std::int64_t{client.Height} + GetHeight() - inner.Height)};
}

void TForm::Resize(int width, int height) {
  const TSize least = GetMinimumSize();
  const TSize before = GetBoundsRect().Size();
  SetBounds(GetLeft(), GetTop(), std::max(width, least.Width), std::max(height, least.Height));
  if (GetBoundsRect().Size() != before && OnResize) OnResize(this);
}

TRect TForm::GetDesktopRect() const { return FDesktopRect.Empty() ? GetClientArea() : FDesktopRect; }

void TForm::BeginDockDrag(TTBCustomDockableWindow& window, TPoint point) {
  if (GetParentForm(window) != this) throw EDockError("the window '" + window.GetName() + "' lies in another form");
  if (const TTBDock* dock = window.GetCurrentDock(); dock && !dock->GetAllowDrag())
    throw EDockError("'" + window.GetName() + "' lies in the dock '" + dock->GetName() +
                     "', which does not allow dragging");
  FDrag = std::make_unique<TDockDrag>(*this, window, point);
  FormChanged();
}

void TForm::DockDragTo(TPoint point) {
  if (!FDrag) throw EDockError("no window is being dragged");
  FDrag->MoveTo(point);
  FormChanged();
}

void TForm::EndDockDrag() {
  if (!FDrag) throw EDockError("no window is being dragged");
  // The drag is over whatever the drop raises: the outline goes first.
  const std::unique_ptr<TDockDrag> drag = std::move(FDrag);
  FormChanged();
  drag->Drop();
}

void TForm::CancelDockDrag() {
  if (!FDrag) return;
  FDrag.reset();
  FormChanged();
}

void TForm::FormChanged() {
  NotifyPeer([](TControlPeer& peer) { peer.FormChanged(); });
}

void TForm::AlignControls() {
  TStackPanel::AlignControls();
  if (!GetPeer()) return;
  const TSize least = GetMinimumSize();
  if (least == FMinimumSize) return;
  FMinimumSize = least;
  FormChanged();
}

void TForm::WindowDocked(TTBCustomDockableWindow& window, TTBDock* from) {
  if (OnDock) OnDock(window, from, window.GetCurrentDock());
}

void TForm::WindowFloated(TTBCustomDockableWindow& window) {
  if (OnFloat) OnFloat(window);
}

TForm* GetParentForm(const TControl& control) {
  const TControl* top = &control;
  while (top->GetParent()) top = top->GetParent();
  return KindCast<TForm>(const_cast<TControl*>(top));
}

TPoint ClientOrigin(const TWinControl& control) {
  const TRect client = control.GetClientRect();
  const TRect at = control.GetParent() ? control.GetWindowRect() : TRect{};
  return {at.Left + client.Left, at.Top + client.Top};
}
