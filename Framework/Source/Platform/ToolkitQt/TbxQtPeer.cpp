#include "TbxQtPeer.h"

#include <typeinfo>

#include "TbxDocks.h"
#include "TbxQt.h"
#include "TbxQtAccessible.h"
#include "TbxQtWidgets.h"

// TQtPeer is final: comparing the exact type answers what dynamic_cast would, without its walk of
// the class hierarchy (this runs for every control whose peer is made or placed).
TQtPeer* QtPeerOf(const TControl& control) {
  TControlPeer* peer = control.GetPeer();
  return peer && typeid(*peer) == typeid(TQtPeer) ? static_cast<TQtPeer*>(peer) : nullptr;
}

QWidget* PeerWidget(const TControl& control) {
  TQtPeer* peer = QtPeerOf(control);
  return peer ? &peer->Widget() : nullptr;
}

bool IsFloatingWindow(const TControl& control) {
  const TTBCustomDockableWindow* window = control.AsDockableWindow();
  return window && window->GetFloating() && window->GetParent();
}

TQtPeer::TQtPeer(TControl& control, std::unique_ptr<TQtControlWidget> widget)
    : FControl(control), FWidget(widget.release()) {
  ParentChanged();
  // Children that got their peers under another parent, and came here while this control had
  // none, move into the new widget: the toolkit makes peers only for children that have none.
  if (const auto* windowed = KindCast<TWinControl>(&control))
    for (int i = 0; i < windowed->GetControlCount(); ++i)
      if (TQtPeer* child = QtPeerOf(*windowed->GetControl(i))) child->Reparent(FWidget);
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

bool TQtPeer::IsToolWindow() const {
  return IsFloatingWindow(FControl) && FWidget->isWindow() && FWidget->parentWidget();
}

void TQtPeer::ParentChanged() {
  const TWinControl* parent = FControl.GetParent();
  Reparent(parent ? PeerWidget(*parent) : nullptr);
}

void TQtPeer::Reparent(QWidget* parentWidget) {
  if (IsFloatingWindow(FControl) && parentWidget) {
    // Our own frame draws the caption and close button: the window manager draws none.
    FWidget->setParent(parentWidget->window(), Qt::Tool | Qt::FramelessWindowHint);
    TitleToolWindow();
  } else if (parentWidget) {
    // A widget made under its parent is there already.
    if (FWidget->parentWidget() != parentWidget || FWidget->isWindow()) FWidget->setParent(parentWidget, Qt::Widget);
  } else if (!FWidget->IsRoot())
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
  const auto* windowed = KindCast<TWinControl>(&FControl);
  if (!windowed) return;
  for (int i = 0; i < windowed->GetControlCount(); ++i)
    if (TQtPeer* peer = QtPeerOf(*windowed->GetControl(i))) peer->Place();
}

void TQtPeer::ApplyVisibility() {
  if (FWidget->IsRoot()) return;
  // A widget without a parent widget shows nowhere: its control is detached, or its parent has
  // no peer yet.
  if (!FWidget->parentWidget()) {
    FWidget->hide();
    return;
  }
  if (IsToolWindow()) {
    // A tool window shows while its control does and the main window is on the screen.
    FWidget->setVisible(FControl.GetVisible() && FWidget->parentWidget()->isVisible());
    return;
  }
  // Under a widget not on the screen yet, a widget never shown or hidden by hand shows with it:
  // showing it now would only polish it early, once for every control of a window being built.
  const bool showsWithParent =
      !FWidget->parentWidget()->isVisible() && !FWidget->testAttribute(Qt::WA_WState_ExplicitShowHide);
  if (FControl.GetVisible() && showsWithParent) return;
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
  if (IsToolWindow()) TitleToolWindow();
  FWidget->update();
  AnnounceStateChange(*FWidget);
}

// The toolkit's focus moves Qt's: keys then come to the widget of the focused control.
void TQtPeer::FocusChanged() {
  FWidget->update();
  const auto* windowed = KindCast<TWinControl>(&FControl);
  if (!windowed || !windowed->Focused()) return;
  if (FWidget->isVisible() && !FWidget->hasFocus()) FWidget->setFocus(Qt::OtherFocusReason);
  AnnounceFocus(*FWidget);
}

void TQtPeer::FormChanged() {
  if (auto* form = dynamic_cast<TQtFormWidget*>(FWidget)) form->FormChanged();
}

void TQtPeer::TitleToolWindow() {
  const QString title = QString::fromStdString(FControl.GetText());
  if (FWidget->windowTitle() != title) FWidget->setWindowTitle(title);
}
