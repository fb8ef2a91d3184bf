#include "TbxQtKeys.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QToolTip>

#include "TbxQtPaint.h"
#include "TbxQtWidget.h"

namespace {

// Alt went down, and nothing else since.
bool GAltAlone = false;

TKey KeyOf(int key) {
  switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return vkTab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return vkReturn;
    case Qt::Key_Escape:
      return vkEscape;
    case Qt::Key_Space:
      return vkSpace;
    case Qt::Key_Left:
      return vkLeft;
    case Qt::Key_Right:
      return vkRight;
    case Qt::Key_Up:
      return vkUp;
    case Qt::Key_Down:
      return vkDown;
    case Qt::Key_Home:
      return vkHome;
    case Qt::Key_End:
      return vkEnd;
    case Qt::Key_F10:
      return vkF10;
    default:
      break;
  }
  // Qt names the keys of characters by their code point, letters in upper case; the others lie
  // above the characters.
  return key > 0x20 && key < Qt::Key_Escape ? KeyOfChar(static_cast<char32_t>(key)) : vkNone;
}

}  // namespace

TKeyStroke KeyStrokeOf(const QKeyEvent& event) {
  const int key = event.key();
  GAltAlone = key == Qt::Key_Alt && !event.isAutoRepeat() ? event.modifiers() == Qt::AltModifier : false;
  TKeyStroke stroke{KeyOf(key), {}};
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  if (modifiers & Qt::ShiftModifier || key == Qt::Key_Backtab) stroke.Shift.Include(ssShift);
  if (modifiers & Qt::AltModifier) stroke.Shift.Include(ssAlt);
  if (modifiers & Qt::ControlModifier) stroke.Shift.Include(ssCtrl);
  return stroke;
}

bool AltReleasedAlone(const QKeyEvent& event) {
  if (event.key() != Qt::Key_Alt || event.isAutoRepeat()) return false;
  const bool alone = GAltAlone;
  GAltAlone = false;
  return alone;
}

void ForgetAltAlone() { GAltAlone = false; }

void ShowToolTip(const QHelpEvent& event, TQtControlWidget& widget) {
  TRect area;
  const std::string hint = widget.HintAt(ToTPoint(event.pos()), area);
  if (hint.empty()) {
    QToolTip::hideText();
    return;
  }
  QToolTip::showText(event.globalPos(), QString::fromStdString(hint), &widget, ToQRect(area));
}
