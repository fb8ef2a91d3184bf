// The widgets of the peers, one class per kind of control.
#pragma once

#include <QMenu>

#include "TbxDockablePanels.h"
#include "TbxDocks.h"
#include "TbxQtWidget.h"
#include "TbxStatusBars.h"
#include "TbxTextObjects.h"
#include "TbxToolbars.h"

class QStyleOption;

/// A plain windowed control (the window, a work item's area): its colour, and its children.
class TQtContainerWidget : public TQtControlWidget {
 public:
  using TQtControlWidget::TQtControlWidget;
};

/// Labels: the text lines at the toolkit's text rectangle, with the label's underline.
class TQtTextWidget : public TQtControlWidget {
 public:
  TQtTextWidget(TTBXTextObject& control, QWidget* parent) : TQtControlWidget(control, parent), FText(control) {}

 protected:
  void Paint(QPainter& painter) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  /// Draws the text, and the focus frame around it while the widget has the focus.
  void PaintText(QPainter& painter, TColor color);

 private:
  TTBXTextObject& FText;
};

class TQtLinkWidget : public TQtTextWidget {
 public:
  TQtLinkWidget(TTBXCustomLink& link, QWidget* parent);

 protected:
  void Paint(QPainter& painter) override;

 private:
  TTBXCustomLink& FLink;
};

class TQtCheckBoxWidget : public TQtTextWidget {
 public:
  TQtCheckBoxWidget(TTBXCustomCheckBox& box, QWidget* parent) : TQtTextWidget(box, parent), FBox(box) {}

 protected:
  void Paint(QPainter& painter) override;

 private:
  TTBXCustomCheckBox& FBox;
};

class TQtRadioButtonWidget : public TQtTextWidget {
 public:
  TQtRadioButtonWidget(TTBXCustomRadioButton& button, QWidget* parent)
      : TQtTextWidget(button, parent), FButton(button) {}

 protected:
  void Paint(QPainter& painter) override;

 private:
  TTBXCustomRadioButton& FButton;
};

/// Docks and multi-docks: their background and bound lines.
class TQtDockWidget : public TQtControlWidget {
 public:
  TQtDockWidget(TTBDock& dock, QWidget* parent) : TQtControlWidget(dock, parent), FDock(dock) {}

 protected:
  void Paint(QPainter& painter) override;

 private:
  TTBDock& FDock;
};

/// Toolbars and dockable panels share the frame: caption bar, close button, drag handle, resize
/// edge and border, and the gestures on them.
class TQtDockableWidget : public TQtControlWidget {
 public:
  TQtDockableWidget(TTBCustomDockableWindow& window, QWidget* parent)
      : TQtControlWidget(window, parent), FWindow(window) {}

 protected:
  void Paint(QPainter& painter) override;
  bool Press(TPoint point) override;
  void Drag(TPoint point, QPoint globalDelta) override;
  void Release(TPoint point) override;
  void DblClick(TPoint point) override;

 private:
  enum class TGesture { None, Close, Move, Resize };
  void PaintCaption(QPainter& painter, const TDockableFrame& frame);
  void PaintCloseButton(QPainter& painter, const TRect& button);
  void Undock();
  void ResizeBy(QPoint delta);

  TTBCustomDockableWindow& FWindow;
  TGesture FGesture = TGesture::None;
  TPoint FStartPosition;  // floating position or docked size at the press
  TPoint FPressPoint;
};

class TQtToolbarWidget : public TQtDockableWidget {
 public:
  TQtToolbarWidget(TTBCustomToolbar& toolbar, QWidget* parent);

 protected:
  void Paint(QPainter& painter) override;
  bool Press(TPoint point) override;
  void Release(TPoint point) override;
  void Click(TPoint point) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void PaintItem(QPainter& painter, const TTBCustomItem& item);
  /// Opens the menu of a submenu item under it; picking an entry clicks its item.
  void OpenMenu(TTBCustomItem& item);
  TTBCustomToolbar& FToolbar;
  TGuard<TTBCustomItem> FHot;      // under the pointer
  TGuard<TTBCustomItem> FPressed;  // pressed with the button still down
};

class TQtDockablePanelWidget : public TQtDockableWidget {
 public:
  TQtDockablePanelWidget(TTBXCustomDockablePanel& panel, QWidget* parent) : TQtDockableWidget(panel, parent) {}
};

class TQtStatusBarWidget : public TQtControlWidget {
 public:
  TQtStatusBarWidget(TTBXCustomStatusBar& bar, QWidget* parent) : TQtControlWidget(bar, parent), FBar(bar) {}

 protected:
  void Paint(QPainter& painter) override;
  void Click(TPoint point) override;
  void DblClick(TPoint point) override;

 private:
  void PaintPanel(QPainter& painter, const TTBXStatusPanel& panel);
  TTBXCustomStatusBar& FBar;
};

/// The menu of a submenu item: its visible sub-items, separators and nested submenus. Picking an
/// entry clicks its item, if the item still exists.
QMenu* NewItemMenu(TTBCustomItem& item, QWidget* parent);
