#include "TbxQtPeer.h"

#include "TbxDocks.h"
#include "TbxQt.h"

TQtPeer* QtPeerOf(const TControl& control) { return dynamic_cast<TQtPeer*>(control.GetPeer()); }

QWidget* PeerWidget(const TControl& control) {
  TQtPeer* peer = QtPeerOf(control);
  return peer ? &peer->Widget() : nullptr;
}

bool IsFloatingWindow(const TControl& control) {
  const auto* window = dynamic_cast<const TTBCustomDockableWindow*>(&control);
  return window && window->GetFloating() && window->GetParent();
}

TQtPeer::TQtPeer(TControl& control, std::unique_ptr<TQtControlWidget> widget)
    : FControl(control), FWidget(widget.release()) {
  ParentChanged();
}

TQtPeer::~TQtPeer() {
  // The children's widgets belong to their own peers: Qt must not delete them with this one.
  for (QObject* child : FWidget->children())
    if (auto* widget = dynamic_cast<TQtControlWidget*>(child)) {
      widget->hide();
      widget->setParent(nullptr);
    }
  if (!FWidget->InEvent()) {
    delete FWidget;
    return;
  }
  FWidget->MarkGone();
  FWidget->hide();
  FWidget->setParent(nullptr);
  FWidget->deleteLater();
}

bool TQtPeer::IsToolWindow() const { return IsFloatingWindow(FControl) && PeerWidget(*FControl.GetParent()); }

void TQtPeer::ParentChanged() {
  const TWinControl* parent = FControl.GetParent();
  QWidget* parentWidget = parent ? PeerWidget(*parent) : nullptr;
  if (IsToolWindow())
    // Our own frame draws the caption and close button: the window manager draws none.
    FWidget->setParent(parentWidget->window(), Qt::Tool | Qt::FramelessWindowHint);
  else if (parentWidget)
    FWidget->setParent(parentWidget, Qt::Widget);
  else if (!FWidget->IsRoot())
    FWidget->setParent(nullptr);
  Place();
  ApplyVisibility();
}

void TQtPeer::Place() {
  if (FWidget->IsRoot()) {
    FWidget->resize(FControl.GetWidth(), FControl.GetHeight());
    return;
  }
  TRect bounds = FControl.GetBoundsRect();
  const TWinControl* parent = FControl.GetParent();
  if (IsToolWindow()) {
    const TRect inWindow = FControl.GetWindowRect();
    const QPoint origin = FWidget->parentWidget()->mapToGlobal(QPoint(0, 0));
    bounds = inWindow.Offset(origin.x(), origin.y());
  } else if (parent) {
    const TRect client = parent->GetClientRect();
    bounds = bounds.Offset(client.Left, client.Top);
  }
  FWidget->setGeometry(bounds.Left, bounds.Top, bounds.Width, bounds.Height);
}

void TQtPeer::PlaceChildren() {
  const auto* windowed = dynamic_cast<const TWinControl*>(&FControl);
  if (!windowed) return;
  for (int i = 0; i < windowed->GetControlCount(); ++i)
    if (TQtPeer* peer = QtPeerOf(*windowed->GetControl(i))) peer->Place();
}

void TQtPeer::ApplyVisibility() {
  if (FWidget->IsRoot()) return;
  if (!FControl.GetParent()) {
    FWidget->hide();
    return;
  }
  if (IsToolWindow()) {
    // A tool window shows while its control does and the main window is on the screen.
    FWidget->setVisible(FControl.GetVisible() && FWidget->parentWidget()->isVisible());
    return;
  }
  FWidget->setVisible(FControl.GetVisible());
}

void TQtPeer::BoundsChanged() {
  Place();
  PlaceChildren();
  FWidget->update();
}

void TQtPeer::VisibleChanged() { ApplyVisibility(); }

void TQtPeer::Invalidate() {
  PlaceChildren();
  FWidget->update();
}
