// Docks, and the frame of toolbars and dockable panels with its gestures.
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

bool TQtDockableWidget::Press(TPoint point) {
  const TDockableFrame frame = FWindow.GetFrame();
  FPressPoint = point;
  if (frame.CloseButton.Contains(point)) {
    FGesture = TGesture::Close;
    update();
  } else if (frame.ResizeEdge.Contains(point)) {
    auto& panel = dynamic_cast<TTBXCustomDockablePanel&>(FWindow);
    FGesture = TGesture::Resize;
    FStartPosition = {panel.GetDockedWidth(), panel.GetDockedHeight()};
  } else if (FWindow.GetFloating() && (frame.Caption.Contains(point) || frame.DragHandle.Contains(point))) {
    FGesture = TGesture::Move;
    FStartPosition = FWindow.GetFloatingPosition();
  } else {
    FGesture = TGesture::None;
  }
  return FGesture != TGesture::None;
}

void TQtDockableWidget::Drag(TPoint, QPoint delta) {
  if (FGesture == TGesture::Move)
    Survives([&] { FWindow.SetFloatingPosition({FStartPosition.X + delta.x(), FStartPosition.Y + delta.y()}); });
  else if (FGesture == TGesture::Resize)
    ResizeBy(delta);
}

// The edge faces the window's middle: dragging it away from the dock makes the panel larger.
void TQtDockableWidget::ResizeBy(QPoint delta) {
  auto& panel = dynamic_cast<TTBXCustomDockablePanel&>(FWindow);
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

void TQtDockableWidget::Release(TPoint point) {
  const TGesture gesture = FGesture;
  FGesture = TGesture::None;
  update();
  // Like a button: the close button closes when the press and the release are both on it.
  if (gesture == TGesture::Close && FWindow.GetFrame().CloseButton.Contains(point)) Survives([&] { FWindow.Hide(); });
}

void TQtDockableWidget::DblClick(TPoint point) {
  const TDockableFrame frame = FWindow.GetFrame();
  const bool onCaption = frame.Caption.Contains(point) || frame.DragHandle.Contains(point);
  if (onCaption && !FWindow.GetFloating() && FWindow.GetDblClickUndock() && FWindow.GetDockMode() == dmCanFloat) {
    Undock();
    return;
  }
  TQtControlWidget::DblClick(point);
}

// The window floats in what holds its dock, where it stood on the screen.
void TQtDockableWidget::Undock() {
  TTBDock* dock = FWindow.GetCurrentDock();
  TWinControl* target = dock->GetParent();
  if (!target) return;
  const TRect onWindow = FWindow.GetWindowRect();
  const TRect targetRect = target->GetParent() ? target->GetWindowRect() : TRect{};
  const TRect client = target->GetClientRect();
  Survives([&] {
    FWindow.SetParent(target);
    FWindow.SetFloatingPosition(
        {onWindow.Left - targetRect.Left - client.Left, onWindow.Top - targetRect.Top - client.Top});
  });
}
