// The keyboard and tooltips in Qt's terms: Qt's key events as the toolkit's key strokes, Alt
// pressed and released alone, and the tooltip of a peer's hint.
#pragma once

#include "TbxKeyboard.h"

class QHelpEvent;
class QKeyEvent;
class TQtControlWidget;

/// The key stroke of a key press; vkNone for a key the toolkit has no use for (a modifier alone,
/// a function key other than F10). Alt's press itself gives none: only its release alone counts.
TKeyStroke KeyStrokeOf(const QKeyEvent& event);
/// Whether this release of Alt ends a press with no other key, or a mouse button, between.
bool AltReleasedAlone(const QKeyEvent& event);
/// A mouse press between Alt's press and release: it is no longer alone.
void ForgetAltAlone();
/// Shows the hint of what lies under the pointer after the platform's delay, for as long as the
/// pointer stays on it; hides the tooltip when there is none.
void ShowToolTip(const QHelpEvent& event, TQtControlWidget& widget);
