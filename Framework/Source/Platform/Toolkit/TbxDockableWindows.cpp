// Dockable windows: docked in a dock's row, or floating as a tool window with a caption bar.
#include <algorithm>

#include "TbxDocks.h"
#include "TbxFields.h"
#include "TbxMetrics.h"
#include "TbxPeers.h"
#include "TbxTextBlocks.h"

using namespace TbxMetrics;

TTBCustomDockableWindow::TTBCustomDockableWindow(TComponent* owner) : TWinControl(owner) {}
// A dock places only dockable windows: by the time the control's own destructor runs, this is a
// bare control to it, and the dock would leave its place empty until its next layout.
TTBCustomDockableWindow::~TTBCustomDockableWindow() { LeaveParentWhileDestroyed(); }

TTBDock* TTBCustomDockableWindow::GetCurrentDock() const {
  TWinControl* parent = GetParent();
  return parent ? parent->AsDock() : nullptr;
}

void TTBCustomDockableWindow::FrameChanged() {
  NotifyPeer([](TControlPeer& peer) { peer.Invalidate(); });
  AdjustSize();
  Realign();
}

void TTBCustomDockableWindow::TextChanged() {
  NotifyPeer([](TControlPeer& peer) { peer.Invalidate(); });
}

void TTBCustomDockableWindow::SetCloseButton(bool value) {
  if (UpdateField(FCloseButton, value)) FrameChanged();
}

void TTBCustomDockableWindow::SetCloseButtonWhenDocked(bool value) {
  if (UpdateField(FCloseButtonWhenDocked, value)) FrameChanged();
}

void TTBCustomDockableWindow::SetDockPos(int value) {
  if (UpdateField(FDockPos, value)) FrameChanged();
}

void TTBCustomDockableWindow::SetDockRow(int value) {
  if (UpdateField(FDockRow, value)) FrameChanged();
}

void TTBCustomDockableWindow::SetResizable(bool value) {
  if (UpdateField(FResizable, value)) FrameChanged();
}

void TTBCustomDockableWindow::SetShowCaption(bool value) {
  if (UpdateField(FShowCaption, value)) FrameChanged();
}

void TTBCustomDockableWindow::SetFullSize(bool value) {
  if (UpdateField(FFullSize, value)) FrameChanged();
}

void TTBCustomDockableWindow::SetParent(TWinControl* parent) {
  TWinControl::SetParent(parent);
  Realign();
}

void TTBCustomDockableWindow::SetFloatingPosition(TPoint position) {
  FFloatingPlaced = true;
  SetBoundsGiving(position.X, position.Y, GetWidth(), GetHeight(), {false, false});
}

TSize TTBCustomDockableWindow::GetPreferredSize(int) const {
  const TTBDock* dock = GetCurrentDock();
  if (!dock) return GetFloatingSize();
  const TSize docked = GetDockedSize(dock->IsVertical());
  return dock->IsVertical() ? TSize{docked.Height, docked.Width} : docked;
}

TDockableFrame TTBCustomDockableWindow::GetFrame() const { return FrameAt(GetBoundsRect().Size()); }

namespace {
// A strip of the given thickness along one side of r, and r without it.
TRect TakeLeft(TRect& r, int size) {
  size = std::min(size, r.Width);
  TRect strip{r.Left, r.Top, size, r.Height};
  r = r.Inset(size, 0, 0, 0);
  return strip;
}
TRect TakeTop(TRect& r, int size) {
  size = std::min(size, r.Height);
  TRect strip{r.Left, r.Top, r.Width, size};
  r = r.Inset(0, size, 0, 0);
  return strip;
}
TRect TakeRight(TRect& r, int size) {
  size = std::min(size, r.Width);
  TRect strip{r.Right() - size, r.Top, size, r.Height};
  r = r.Inset(0, 0, size, 0);
  return strip;
}
TRect TakeBottom(TRect& r, int size) {
  size = std::min(size, r.Height);
  TRect strip{r.Left, r.Bottom() - size, r.Width, size};
  r = r.Inset(0, 0, 0, size);
  return strip;
}

// The close button sits at the end of a caption bar: the right end, or the top of an upright one.
TRect CloseButtonIn(const TRect& caption, bool vertical) {
  const int size = std::min({CloseButtonSize, caption.Width, caption.Height});
  if (vertical) return {caption.Left + (caption.Width - size) / 2, caption.Top + CloseButtonMargin, size, size};
  return {caption.Right() - CloseButtonMargin - size, caption.Top + (caption.Height - size) / 2, size, size};
}
}  // namespace

TDockableFrame TTBCustomDockableWindow::FrameAt(TSize size) const {
  TDockableFrame frame;
  TRect r{0, 0, size.Width, size.Height};
  // Measured only for a caption that shows: most docked windows show none.
  const auto captionThickness = [this] { return TbxText::LineHeight(Font()) + 2 * CaptionPadding; };
  const TTBDock* dock = GetCurrentDock();
  if (!dock) {
    frame.Border = FloatingBorder;
    r = r.Inset(FloatingBorder);
    if (FShowCaption) {
      frame.Caption = TakeTop(r, captionThickness());
      if (FCloseButton) frame.CloseButton = CloseButtonIn(frame.Caption, false);
    }
    frame.Client = r;
    return frame;
  }
  if (ShowsResizeEdge()) {
    switch (dock->GetPosition()) {
      case dpTop:
        frame.ResizeEdge = TakeBottom(r, ResizeEdgeSize);
        break;
      case dpBottom:
        frame.ResizeEdge = TakeTop(r, ResizeEdgeSize);
        break;
      case dpLeft:
        frame.ResizeEdge = TakeRight(r, ResizeEdgeSize);
        break;
      case dpRight:
        frame.ResizeEdge = TakeLeft(r, ResizeEdgeSize);
        break;
    }
  }
  frame.Border = DockedBorder();
  r = r.Inset(frame.Border);
  if (ShowsDragHandle())
    frame.DragHandle = dock->IsVertical() ? TakeTop(r, DragHandleSize) : TakeLeft(r, DragHandleSize);
  if (ShowsDockedCaption()) {
    frame.CaptionVertical = CaptionVerticalWhenDocked();
    frame.Caption = frame.CaptionVertical ? TakeLeft(r, captionThickness()) : TakeTop(r, captionThickness());
    if (ShowsDockedCloseButton()) frame.CloseButton = CloseButtonIn(frame.Caption, frame.CaptionVertical);
  }
  frame.Client = r;
  return frame;
}

TSize TTBCustomDockableWindow::FramedSize(TSize client) const {
  // The frame's parts are strips of fixed thickness: measure them once on a large window.
  constexpr int probe = 1 << 20;
  const TRect inner = FrameAt({probe, probe}).Client;
  return {ClampPixels(static_cast<std::int64_t>(client.Width) + probe - inner.Width),
          ClampPixels(static_cast<std::int64_t>(client.Height) + probe - inner.Height)};
}
