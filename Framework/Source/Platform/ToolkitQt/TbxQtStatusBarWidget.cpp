// Status bars: the panels with their frames, images and captions, the simple text and the size
// grip; clicks go to the panel under the pointer.
#include <QPainter>
#include <QStyleOptionFrame>
#include <QStyleOptionSizeGrip>

#include "TbxQtPaint.h"
#include "TbxQtWidgets.h"

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
