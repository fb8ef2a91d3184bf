// The accessibility tree of a window as Qt's accessibility layer reports it, which AT-SPI carries to
// screen readers: what --accessibility prints, so that it can be checked without one.
#pragma once

#include "WbJson.h"

class QWidget;

// {"role", "name", "description", "object", "state", "actions", "bounds", "children"} for the
// window's widget and every element below it. role: Qt's name of the role ("CheckBox"); object:
// the name of the widget an element is (the control's name), null for toolbar items and status
// panels; state: the flags set, among disabled, focusable, focused, pressed, checkable, checked,
// mixed, invisible, hasPopup, expanded; actions: Qt's action names ("Press", "Toggle", "ShowMenu");
// bounds: [left, top, width, height] in the window's coordinates.
TWbJson AccessibleTreeJson(QWidget& window);
