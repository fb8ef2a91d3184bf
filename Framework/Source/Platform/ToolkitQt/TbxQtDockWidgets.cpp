// Docks, and the frame of toolbars and dockable panels with its gestures.
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionDockWidget>
#include <QStyleOptionFrame>

#include "TbxQtPaint.h"
#include "TbxQtWidgets.h"

void TQtDockWidget::Paint(QPainter& painter) {
  const TTBDockBoundLines lines = FDock.GetBoundLines();
  painter.setPen(ToQColor(clBtnShadow));
  const int right = width() - 1, bottom = height() - 1;
  if (lines.Contains(blTop)) painter.drawLine(0, 0, right, 0);
  if (lines.Contains(blBottom)) painter.drawLine(0, bottom, right, bottom);
  if (lines.Contains(blLeft)) painter.drawLine(0, 0, 0, bottom);
  if (lines.Contains(blRight)) painter.drawLine(right, 0, right, bottom);
}

// ---------------------------------------------------------------------------------------------
// The frame

void TQtDockableWidget::Paint(QPainter& painter) {
  const TDockableFrame frame = FWindow.GetFrame();
  if (frame.Border > 0) {
    QStyleOptionFrame border;
    border.initFrom(this);
    border.rect = rect();
    border.lineWidth = frame.Border;
    border.state |= QStyle::State_Raised;
    style()->drawPrimitive(FWindow.GetFloating() ? QStyle::PE_FrameWindow : QStyle::PE_Frame, &border, &painter, this);
  }
  if (!frame.DragHandle.Empty()) {
    QStyleOption handle;
    handle.initFrom(this);
    handle.rect = ToQRect(frame.DragHandle);
    // Qt's flag names the toolbar's direction: a horizontal toolbar's grip stands upright.
    if (frame.DragHandle.Height > frame.DragHandle.Width) handle.state |= QStyle::State_Horizontal;
    style()->drawPrimitive(QStyle::PE_IndicatorToolBarHandle, &handle, &painter, this);
  }
  if (!frame.ResizeEdge.Empty()) {
    QStyleOption edge;
    edge.initFrom(this);
    edge.rect = ToQRect(frame.ResizeEdge);
    if (frame.ResizeEdge.Height > frame.ResizeEdge.Width) edge.state |= QStyle::State_Horizontal;
    style()->drawControl(QStyle::CE_Splitter, &edge, &painter, this);
  }
  if (!frame.Caption.Empty()) PaintCaption(painter, frame);
  if (!frame.CloseButton.Empty()) PaintCloseButton(painter, frame.CloseButton);
}

void TQtDockableWidget::PaintCaption(QPainter& painter, const TDockableFrame& frame) {
  painter.fillRect(ToQRect(frame.Caption), ToQColor(hasFocus() ? clGradientActiveCaption : clGradientInactiveCaption));
  QStyleOptionDockWidget title;
  title.initFrom(this);
  title.rect = ToQRect(frame.Caption);
  title.title = QString::fromStdString(FWindow.GetText());
  title.closable = !frame.CloseButton.Empty();
  title.verticalTitleBar = frame.CaptionVertical;
  title.palette.setColor(QPalette::WindowText, ToQColor(FWindow.Font().GetColor(), Qt::black));
  painter.save();
  QFont font = ToQFont(FWindow.Font());
  font.setBold(true);
  painter.setFont(font);
  style()->drawControl(QStyle::CE_DockWidgetTitle, &title, &painter, this);
  painter.restore();
}

void TQtDockableWidget::PaintCloseButton(QPainter& painter, const TRect& button) {
  QStyleOption close;
  close.initFrom(this);
  close.rect = ToQRect(button);
  close.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
  if (FGesture == TGesture::Close) close.state |= QStyle::State_Sunken | QStyle::State_MouseOver;
  style()->drawPrimitive(QStyle::PE_IndicatorTabClose, &close, &painter, this);
}

TQtDockableWidget::TQtDockableWidget(TTBCustomDockableWindow& window, QWidget* parent)
    : TQtControlWidget(window, parent), FWindow(window) {
  // The cursor tells which part a press would take.
  setMouseTracking(true);
}

bool TQtDockableWidget::Press(TPoint point) {
  FHit = FWindow.HitTest(point);
  FDragBegun = false;
  switch (FHit) {
    case dhCloseButton:
      FGesture = TGesture::Close;
      update();
      break;
    case dhResizeEdge:
      if (auto* panel = KindCast<TTBXCustomDockablePanel>(&FWindow)) {
        FGesture = TGesture::ResizeEdge;
        FStartPosition = {panel->GetDockedWidth(), panel->GetDockedHeight()};
      }
      break;
    case dhCaption:
    case dhDragHandle:
      // Only a window that may move takes the press; a panel of a dock that keeps its windows
      // lets its caption be an ordinary part of it.
      FGesture = FWindow.GetFloating() || FWindow.GetCurrentDock()->GetAllowDrag() ? TGesture::Move : TGesture::None;
      break;
    case dhNone:
    case dhClient:
      FGesture = TGesture::None;
      break;
    default:  // the borders of a floating window that resizes
      FGesture = TGesture::ResizeBorder;
      FStartBounds = FWindow.GetBoundsRect();
      break;
  }
  return FGesture != TGesture::None;
}

void TQtDockableWidget::Drag(TPoint, QPoint delta) {
  switch (FGesture) {
    case TGesture::Move:
      MoveBy(delta);
      break;
    case TGesture::ResizeEdge:
      ResizeEdgeBy(delta);
      break;
    case TGesture::ResizeBorder:
      ResizeBorderBy(delta, false);
      break;
    default:
      break;
  }
}

// The drag starts once the pointer has left the press by the platform's distance, so that a click
// or a double-click on the caption moves nothing; from then on the form follows the pointer.
void TQtDockableWidget::MoveBy(QPoint delta) {
  TQtFormWidget* formWidget = FormWidgetOf(FWindow);
  TForm* form = GetParentForm(FWindow);
  if (!formWidget || !form) return;
  if (!FDragBegun) {
    if (delta.manhattanLength() < QApplication::startDragDistance()) return;
    FDragBegun =
        Survives([&] { form->BeginDockDrag(FWindow, formWidget->FormPoint(PressGlobal())); }) && form->GetDockDrag();
    if (!FDragBegun) return;
  }
  Survives([&] { form->DockDragTo(formWidget->FormPoint(PressGlobal() + delta)); });
}

// The edge faces the window's middle: dragging it away from the dock makes the panel larger.
void TQtDockableWidget::ResizeEdgeBy(QPoint delta) {
  auto& panel = *KindCast<TTBXCustomDockablePanel>(&FWindow);
  const TTBDock* dock = panel.GetCurrentDock();
  if (!dock) return;
  Survives([&] {
    switch (dock->GetPosition()) {
      case dpLeft:
        panel.SetDockedWidth(std::max(0, FStartPosition.X + delta.x()));
        break;
      case dpRight:
        panel.SetDockedWidth(std::max(0, FStartPosition.X - delta.x()));
        break;
      case dpTop:
        panel.SetDockedHeight(std::max(0, FStartPosition.Y + delta.y()));
        break;
      case dpBottom:
        panel.SetDockedHeight(std::max(0, FStartPosition.Y - delta.y()));
        break;
    }
  });
}

// The borders pressed move with the pointer; the others stay.
void TQtDockableWidget::ResizeBorderBy(QPoint delta, bool done) {
  const bool left = FHit == dhLeft || FHit == dhTopLeft || FHit == dhBottomLeft;
  const bool right = FHit == dhRight || FHit == dhTopRight || FHit == dhBottomRight;
  const bool top = FHit == dhTop || FHit == dhTopLeft || FHit == dhTopRight;
  const bool bottom = FHit == dhBottom || FHit == dhBottomLeft || FHit == dhBottomRight;
  const TRect start = FStartBounds;
  const int l = left ? start.Left + delta.x() : start.Left, t = top ? start.Top + delta.y() : start.Top;
  const int r = right ? start.Right() + delta.x() : start.Right(),
            b = bottom ? start.Bottom() + delta.y() : start.Bottom();
  Survives([&] { FWindow.ResizeFloating({l, t, r - l, b - t}, done); });
}

void TQtDockableWidget::Release(TPoint point) {
  const TGesture gesture = FGesture;
  FGesture = TGesture::None;
  update();
  // A live resize is told once, when the user lets go.
  if (gesture == TGesture::ResizeBorder) ResizeBorderBy(mapToGlobal(QPoint(point.X, point.Y)) - PressGlobal(), true);
  if (gesture == TGesture::Move && FDragBegun) {
    FDragBegun = false;
    if (TForm* form = GetParentForm(FWindow)) Survives([&] { form->EndDockDrag(); });
    return;
  }
  // Like a button: the close button closes when the press and the release are both on it.
  if (gesture == TGesture::Close && FWindow.GetFrame().CloseButton.Contains(point)) Survives([&] { FWindow.Hide(); });
}

// Escape during a drag puts everything back as it was.
void TQtDockableWidget::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && FGesture == TGesture::Move && FDragBegun) {
    FGesture = TGesture::None;
    FDragBegun = false;
    if (TForm* form = GetParentForm(FWindow)) Survives([&] { form->CancelDockDrag(); });
    return;
  }
  TQtControlWidget::keyPressEvent(event);
}

void TQtDockableWidget::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) ShowCursorFor(ToTPoint(event->position().toPoint()));
  TQtControlWidget::mouseMoveEvent(event);
}

void TQtDockableWidget::ShowCursorFor(TPoint point) {
  switch (FWindow.HitTest(point)) {
    case dhLeft:
    case dhRight:
      setCursor(Qt::SizeHorCursor);
      break;
    case dhTop:
    case dhBottom:
      setCursor(Qt::SizeVerCursor);
      break;
    case dhTopLeft:
    case dhBottomRight:
      setCursor(Qt::SizeFDiagCursor);
      break;
    case dhTopRight:
    case dhBottomLeft:
      setCursor(Qt::SizeBDiagCursor);
      break;
    case dhResizeEdge:
      setCursor(FWindow.GetFrame().ResizeEdge.Height > FWindow.GetFrame().ResizeEdge.Width ? Qt::SplitHCursor
                                                                                           : Qt::SplitVCursor);
      break;
    case dhDragHandle:
      setCursor(Qt::SizeAllCursor);
      break;
    default:
      unsetCursor();
      break;
  }
}

// A double-click on the caption or the handle docks a floating window back, or floats a docked
// one that may float; otherwise it is the control's own.
void TQtDockableWidget::DblClick(TPoint point) {
  const TDockableHit hit = FWindow.HitTest(point);
  if (hit == dhCaption || hit == dhDragHandle) {
    bool acted = false;
    if (!Survives([&] { acted = FWindow.CaptionDblClick(); }) || acted) return;
  }
  TQtControlWidget::DblClick(point);
}
