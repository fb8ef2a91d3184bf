// Labels, links, check boxes and radio buttons.
#include <QPainter>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>

#include "TbxQtPaint.h"
#include "TbxQtWidgets.h"

void TQtTextWidget::PaintText(QPainter& painter, TColor color) {
  const TRect text = FText.GetTextRect();
  if (FText.GetAccessKey() != vkNone)
    DrawCaptionLines(painter, FText.Font(), text, FText.GetText(), FText.GetTextLines(), FText.GetAlignment(), color);
  else
    DrawTextLines(painter, FText.Font(), text, FText.GetTextLines(), FText.GetAlignment(), color);
  // The focus the toolkit gives, which a picture of a window that is not active shows too.
  if (!FText.Focused()) return;
  QStyleOptionFocusRect focus;
  focus.initFrom(this);
  // Fusion frames only the focus that the keyboard may move, which every focus here is.
  focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_HasFocus;
  focus.rect = ToQRect(text).adjusted(-1, 0, 1, 0);
  style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
}

void TQtTextWidget::Paint(QPainter& painter) {
  PaintText(painter, FText.Font().GetColor());
  const auto* label = KindCast<TTBXCustomLabel>(&FText);
  if (!label || !label->GetUnderline()) return;
  // The label's underline runs the whole width under the text.
  const int y = std::min(height() - 1, FText.GetTextRect().Bottom());
  painter.setPen(ToQColor(label->GetUnderlineColor(), Qt::gray));
  painter.drawLine(0, y, width() - 1, y);
}

void TQtTextWidget::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  update();
}

void TQtTextWidget::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update();
}

TQtLinkWidget::TQtLinkWidget(TTBXCustomLink& link, QWidget* parent) : TQtTextWidget(link, parent), FLink(link) {
  setCursor(Qt::PointingHandCursor);
}

void TQtLinkWidget::Paint(QPainter& painter) {
  if (FLink.HasImage()) DrawImage(painter, FLink.GetImages(), FLink.GetImageIndex(), FLink.GetImageRect());
  PaintText(painter, FLink.Font().GetColor());
}

namespace {

void PaintIndicator(QWidget& widget, QPainter& painter, QStyle::PrimitiveElement element, const TRect& glyph,
                    QStyle::State state, bool enabled) {
  QStyleOptionButton option;
  option.initFrom(&widget);
  option.rect = ToQRect(glyph);
  option.state = (option.state & ~(QStyle::State_HasFocus | QStyle::State_MouseOver)) | state;
  if (!enabled) option.state &= ~QStyle::State_Enabled;
  widget.style()->drawPrimitive(element, &option, &painter, &widget);
}

QStyle::State CheckState(TCheckBoxState state) {
  switch (state) {
    case cbChecked:
      return QStyle::State_On;
    case cbGrayed:
      return QStyle::State_NoChange;
    default:
      return QStyle::State_Off;
  }
}

TColor TextColor(const TControl& control) { return control.GetEnabled() ? control.Font().GetColor() : clGrayText; }

}  // namespace

void TQtCheckBoxWidget::Paint(QPainter& painter) {
  PaintIndicator(*this, painter, QStyle::PE_IndicatorCheckBox, FBox.GetGlyphRect(), CheckState(FBox.GetState()),
                 FBox.GetEnabled());
  PaintText(painter, TextColor(FBox));
}

void TQtRadioButtonWidget::Paint(QPainter& painter) {
  PaintIndicator(*this, painter, QStyle::PE_IndicatorRadioButton, FButton.GetGlyphRect(),
                 FButton.GetChecked() ? QStyle::State_On : QStyle::State_Off, FButton.GetEnabled());
  PaintText(painter, TextColor(FButton));
}
