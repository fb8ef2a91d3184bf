#include "TbxQtWidget.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>

#include "TbxForms.h"
#include "TbxQtKeys.h"
#include "TbxQtPaint.h"
#include "TbxQtPeer.h"

TQtControlWidget::TQtControlWidget(TControl& control, QWidget* parent) : QWidget(parent), FControl(control) {
  // The toolkit paints every pixel and places every child: Qt neither fills nor lays out.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::ClickFocus);
  setObjectName(QString::fromStdString(control.GetName()));
}

TQtControlWidget::~TQtControlWidget() = default;

bool TQtControlWidget::event(QEvent* event) {
  // A widget whose control is gone takes nothing but its own deletion.
  if (FGone) return event->type() == QEvent::DeferredDelete && QWidget::event(event);
  if (event->type() == QEvent::ToolTip) {
    ShowToolTip(*static_cast<QHelpEvent*>(event), *this);
    return true;
  }
  ++FEventDepth;
  const bool handled = QWidget::event(event);
  --FEventDepth;
  const QEvent::Type type = event->type();
  if (FRoot && (type == QEvent::Move || type == QEvent::Show || type == QEvent::Hide)) SyncToolWindows();
  return handled;
}

void TQtControlWidget::SyncToolWindows() {
  for (QObject* child : children()) {
    auto* widget = dynamic_cast<TQtControlWidget*>(child);
    if (!widget || !widget->isWindow()) continue;
    if (TQtPeer* peer = QtPeerOf(widget->Control())) peer->Sync();
  }
}

QColor TQtControlWidget::Background() const { return ToQColor(FControl.GetColor(), palette().color(QPalette::Window)); }

void TQtControlWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Background());
  Paint(painter);
}

void TQtControlWidget::Paint(QPainter&) {}

void TQtControlWidget::FocusControl() {
  if (auto* windowed = KindCast<TWinControl>(&FControl)) windowed->SetFocus();
  setFocus(Qt::MouseFocusReason);
}

void TQtControlWidget::mousePressEvent(QMouseEvent* event) {
  ForgetAltAlone();
  if (TForm* form = GetParentForm(FControl)) form->ToolbarKeyboard().Leave();
  if (event->button() != Qt::LeftButton) return;
  event->accept();
  FocusControl();
  FPressed = true;
  FPressGlobal = event->globalPosition().toPoint();
  FDragging = false;
  const TPoint point = ToTPoint(event->position().toPoint());
  QPointer<QWidget> self(this);
  const bool taken = Press(point);
  if (!self.isNull()) FDragging = taken;
}

void TQtControlWidget::mouseMoveEvent(QMouseEvent* event) {
  if (FDragging && (event->buttons() & Qt::LeftButton))
    Drag(ToTPoint(event->position().toPoint()), event->globalPosition().toPoint() - FPressGlobal);
}

void TQtControlWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !FPressed) return;
  FPressed = false;
  const TPoint point = ToTPoint(event->position().toPoint());
  if (FDragging) {
    FDragging = false;
    Release(point);
  } else if (rect().contains(event->position().toPoint())) {
    Click(point);
  }
}

void TQtControlWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  FPressed = false;
  DblClick(ToTPoint(event->position().toPoint()));
}

void TQtControlWidget::Click(TPoint) {
  Survives([this] { FControl.Click(); });
}

void TQtControlWidget::DblClick(TPoint) {
  Survives([this] { FControl.DblClick(); });
}

std::string TQtControlWidget::HintAt(TPoint, TRect& area) const {
  area = {0, 0, width(), height()};
  return FControl.GetHint();
}

void TQtControlWidget::keyPressEvent(QKeyEvent* event) {
  event->accept();
  const TKeyStroke stroke = KeyStrokeOf(*event);
  if (stroke.Key == vkNone) return;
  if (TForm* form = GetParentForm(FControl)) Survives([&] { form->KeyDown(stroke.Key, stroke.Shift); });
}

// Alt pressed and released with no other key between is a key of its own: the toolbar's keyboard.
void TQtControlWidget::keyReleaseEvent(QKeyEvent* event) {
  event->accept();
  if (!AltReleasedAlone(*event)) return;
  if (TForm* form = GetParentForm(FControl)) Survives([&] { form->KeyDown(vkMenu, {}); });
}

// The form orders the focus itself: Tab reaches keyPressEvent.
bool TQtControlWidget::focusNextPrevChild(bool) { return false; }

void TQtControlWidget::contextMenuEvent(QContextMenuEvent* event) {
  event->accept();
  FocusControl();
  const TPoint point = ToTPoint(event->pos());
  Survives([&] {
    bool handled = false;
    FControl.ContextPopup(point, handled);
  });
}
