// Status bars: the panels with their frames, images and captions, the simple text and the size
// grip; clicks go to the panel under the pointer.
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFrame>
#include <QStyleOptionSizeGrip>

#include "TbxQtPaint.h"
#include "TbxQtWidgets.h"

TQtStatusBarWidget::TQtStatusBarWidget(TTBXCustomStatusBar& bar, QWidget* parent)
    : TQtControlWidget(bar, parent), FBar(bar) {
  setMouseTracking(true);  // the cursor shows where the size grip is
}

namespace {
TColor TextColor(const TFont& font) { return font.GetColor() == clDefault ? clBtnText : font.GetColor(); }
}  // namespace

void TQtStatusBarWidget::Paint(QPainter& painter) {
  painter.setPen(ToQColor(clBtnShadow));
  painter.drawLine(0, 0, width() - 1, 0);
  if (FBar.GetSimplePanel()) {
    DrawTextLine(painter, FBar.Font(), FBar.GetSimpleTextRect(), FBar.GetSimpleText(), taLeftJustify,
                 TextColor(FBar.Font()));
  } else {
    for (int i = 0; i < FBar.Panels().Count(); ++i) PaintPanel(painter, *FBar.Panels().GetItem(i));
  }
  const TRect grip = FBar.GetSizeGripRect();
  if (grip.Empty()) return;
  QStyleOptionSizeGrip option;
  option.initFrom(this);
  option.rect = ToQRect(grip);
  option.corner = Qt::BottomRightCorner;
  style()->drawControl(QStyle::CE_SizeGrip, &option, &painter, this);
}

void TQtStatusBarWidget::PaintPanel(QPainter& painter, const TTBXStatusPanel& panel) {
  const TRect bounds = panel.GetBounds();
  if (bounds.Empty()) return;
  if (panel.GetFramed()) {
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.rect = ToQRect(bounds);
    frame.lineWidth = 1;
    frame.state |= QStyle::State_Sunken;
    style()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, this);
  }
  DrawImage(painter, FBar.GetImages(), panel.GetImageIndex(), panel.GetImageRect());
  if (panel.GetControl()) return;  // the control fills the content
  DrawTextLine(painter, FBar.Font(), panel.GetTextRect(), panel.GetDisplayText(), panel.GetAlignment(),
               TextColor(FBar.Font()));
}

void TQtStatusBarWidget::Click(TPoint point) {
  const int index = FBar.PanelAt(point);
  if (index < 0)
    TQtControlWidget::Click(point);
  else
    Survives([&] { FBar.PanelClick(index); });
}

void TQtStatusBarWidget::DblClick(TPoint point) {
  const int index = FBar.PanelAt(point);
  if (index < 0)
    TQtControlWidget::DblClick(point);
  else
    Survives([&] { FBar.PanelDblClick(index); });
}

// The size grip resizes the form the bar lies in, as the corner of the window would.
bool TQtStatusBarWidget::Press(TPoint point) {
  const TForm* form = GetParentForm(FBar);
  if (!form || !FBar.GetSizeGripRect().Contains(point)) return false;
  FFormStart = form->GetBoundsRect().Size();
  return true;
}

void TQtStatusBarWidget::Drag(TPoint, QPoint delta) {
  if (TForm* form = GetParentForm(FBar))
    Survives([&] { form->Resize(FFormStart.Width + delta.x(), FFormStart.Height + delta.y()); });
}

void TQtStatusBarWidget::mouseMoveEvent(QMouseEvent* event) {
  if (FBar.GetSizeGripRect().Contains(ToTPoint(event->position().toPoint())))
    setCursor(Qt::SizeFDiagCursor);
  else
    unsetCursor();
  TQtControlWidget::mouseMoveEvent(event);
}

std::string TQtStatusBarWidget::HintAt(TPoint point, TRect& area) const {
  const int index = FBar.PanelAt(point);
  if (index < 0) return TQtControlWidget::HintAt(point, area);
  const TTBXStatusPanel& panel = *FBar.Panels().GetItem(index);
  area = panel.GetBounds();
  return panel.GetHint();
}
