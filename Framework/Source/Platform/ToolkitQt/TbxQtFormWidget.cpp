// The form's widget: the top-level window whose size is the form's, and the outline of a drag.
#include <QGuiApplication>
#include <QResizeEvent>
#include <QScreen>

#include "TbxQt.h"
#include "TbxQtAccessible.h"
#include "TbxQtPeer.h"
#include "TbxQtWidgets.h"

TQtFormWidget::TQtFormWidget(TForm& form, QWidget* parent) : TQtControlWidget(form, parent), FForm(form) {}

TQtFormWidget::~TQtFormWidget() = default;

TPoint TQtFormWidget::FormPoint(QPoint global) const {
  const QPoint local = mapFromGlobal(global);
  return {local.x(), local.y()};
}

// The user (or the window manager) resized the window: the form lays itself out at that size, or
// at its minimum, which the widget then takes too.
void TQtFormWidget::resizeEvent(QResizeEvent* event) {
  TQtControlWidget::resizeEvent(event);
  if (!IsRoot()) return;
  const QSize size = event->size();
  if (size.width() == FForm.GetWidth() && size.height() == FForm.GetHeight()) return;
  Survives([&] { FForm.Resize(size.width(), size.height()); });
  if (size.width() != FForm.GetWidth() || size.height() != FForm.GetHeight())
    resize(FForm.GetWidth(), FForm.GetHeight());
}

void TQtFormWidget::moveEvent(QMoveEvent* event) {
  TQtControlWidget::moveEvent(event);
  TellDesktop();
}

void TQtFormWidget::showEvent(QShowEvent* event) {
  TQtControlWidget::showEvent(event);
  FormChanged();
  TellDesktop();
}

// On a real screen floating windows may go anywhere on it; offscreen there is no screen to speak
// of, and the form's own area stands for it, as in every picture of the window.
void TQtFormWidget::TellDesktop() {
  if (!IsRoot() || QGuiApplication::platformName() == "offscreen" || !screen()) return;
  const QRect available = screen()->availableGeometry();
  const QPoint origin = mapToGlobal(QPoint(0, 0));
  FForm.SetDesktopRect({available.x() - origin.x(), available.y() - origin.y(), available.width(), available.height()});
}

// The toolbar the keyboard left and the one it is on draw the highlight and follow it with their
// menus.
void TQtFormWidget::SyncKeyboard() {
  TTBCustomToolbar* now = FForm.ToolbarKeyboard().Toolbar();
  TTBCustomToolbar* before = FKeyboardToolbar;
  FKeyboardToolbar = now;
  for (TTBCustomToolbar* toolbar : {before, now})
    if (auto* widget = toolbar ? dynamic_cast<TQtToolbarWidget*>(PeerWidget(*toolbar)) : nullptr) {
      widget->KeyboardChanged();
      if (now == before) break;
    }
  TTBCustomItem* highlighted = FForm.ToolbarKeyboard().Highlighted();
  if (highlighted == FKeyboardHighlight.get() && now == before) return;
  FKeyboardHighlight = highlighted;
  AnnounceKeyboardFocus(FForm);
}

void TQtFormWidget::FormChanged() {
  SyncKeyboard();
  if (IsRoot()) {
    const TSize least = FForm.GetMinimumSize();
    setMinimumSize(least.Width, least.Height);
  }
  const TDockDrag* drag = FForm.GetDockDrag();
  if (!drag || !drag->Window() || !isVisible()) {
    if (FOutline) FOutline->hide();
    return;
  }
  // A rubber band of its own on the screen: the outline may lie outside the window.
  if (!FOutline) {
    FOutline = std::make_unique<QRubberBand>(QRubberBand::Rectangle);
    FOutline->setObjectName("DragOutline");
  }
  const TRect outline = drag->Target().Outline;
  const QPoint origin = mapToGlobal(QPoint(0, 0));
  FOutline->setGeometry(origin.x() + outline.Left, origin.y() + outline.Top, outline.Width, outline.Height);
  FOutline->show();
  FOutline->raise();
}

TQtFormWidget* FormWidgetOf(const TControl& control) {
  const TForm* form = GetParentForm(control);
  return form ? dynamic_cast<TQtFormWidget*>(PeerWidget(*form)) : nullptr;
}
