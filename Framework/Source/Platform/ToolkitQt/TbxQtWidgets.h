// The widgets of the peers, one class per kind of control.
#pragma once

#include <QMenu>
#include <QRubberBand>
#include <memory>

#include "TbxDockablePanels.h"
#include "TbxDocks.h"
#include "TbxForms.h"
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

/// The form: the top-level window. Its size is the form's (the user's resizing goes to the form,
/// which keeps its minimum), it tells the form where the screen lets floating windows go, and it
/// shows the outline of a drag over everything, on the screen.
class TQtFormWidget : public TQtControlWidget {
 public:
  TQtFormWidget(TForm& form, QWidget* parent);
  ~TQtFormWidget() override;
  /// The form's outline or minimum size changed.
  void FormChanged();
  /// The form's coordinates of a point on the screen.
  TPoint FormPoint(QPoint global) const;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void TellDesktop();
  void SyncKeyboard();
  TForm& FForm;
  std::unique_ptr<QRubberBand> FOutline;
  TGuard<TTBCustomToolbar> FKeyboardToolbar;  // the keyboard's toolbar as last drawn
  TGuard<TTBCustomItem> FKeyboardHighlight;   // and its item, as last announced
};

/// The form a control lies in and its widget, when both are there.
TQtFormWidget* FormWidgetOf(const TControl& control);

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
  TQtDockableWidget(TTBCustomDockableWindow& window, QWidget* parent);

 protected:
  void Paint(QPainter& painter) override;
  bool Press(TPoint point) override;
  void Drag(TPoint point, QPoint globalDelta) override;
  void Release(TPoint point) override;
  void DblClick(TPoint point) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  /// Whether a drag of the window runs now.
  bool Docking() const { return FGesture == TGesture::Move; }

 private:
  enum class TGesture { None, Close, Move, ResizeEdge, ResizeBorder };
  void PaintCaption(QPainter& painter, const TDockableFrame& frame);
  void PaintCloseButton(QPainter& painter, const TRect& button);
  /// The pointer moved far enough from the press on the caption or handle: the drag begins.
  void MoveBy(QPoint delta);
  void ResizeEdgeBy(QPoint delta);
  void ResizeBorderBy(QPoint delta, bool done);
  /// The cursor that tells what a press at point would do.
  void ShowCursorFor(TPoint point);

  TTBCustomDockableWindow& FWindow;
  TGesture FGesture = TGesture::None;
  TDockableHit FHit = dhNone;  // what the press was on
  TPoint FStartPosition;       // the docked size at the press
  TRect FStartBounds;          // the floating bounds at the press
  bool FDragBegun = false;     // the form runs the drag of this window
};

class TQtToolbarWidget : public TQtDockableWidget {
 public:
  TQtToolbarWidget(TTBCustomToolbar& toolbar, QWidget* parent);
  /// The form's keyboard changed: the highlight is drawn, and the menu it opened opens or closes.
  void KeyboardChanged();
  /// The item under point's hint, or its action's.
  std::string HintAt(TPoint point, TRect& area) const override;
  TTBCustomToolbar& Toolbar() const { return FToolbar; }
  /// The toolbar's item the keyboard highlights, or nil.
  TTBCustomItem* KeyboardItem() const;

 protected:
  void Paint(QPainter& painter) override;
  bool Press(TPoint point) override;
  void Release(TPoint point) override;
  void Click(TPoint point) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void PaintItem(QPainter& painter, const TTBCustomItem& item);
  /// The item under point (widget coordinates) becomes the hot one; none off the toolbar.
  void UpdateHot(QPoint point);
  /// Opens the menu of a submenu item under it; picking an entry clicks its item.
  QMenu* OpenMenu(TTBCustomItem& item);
  /// The keyboard's menu tells the toolkit's keyboard what the user does in it.
  void FollowKeyboard(QMenu& menu);
  TTBCustomToolbar& FToolbar;
  TGuard<TTBCustomItem> FHot;      // under the pointer
  TGuard<TTBCustomItem> FPressed;  // pressed with the button still down
  QPointer<QMenu> FKeyboardMenu;   // the menu the keyboard opened, of FKeyboardItem
  TGuard<TTBCustomItem> FKeyboardItem;
};

/// What a tooltip over item shows: its hint, or its action's when it has none of its own.
std::string ItemHint(const TTBCustomItem& item);

class TQtDockablePanelWidget : public TQtDockableWidget {
 public:
  TQtDockablePanelWidget(TTBXCustomDockablePanel& panel, QWidget* parent) : TQtDockableWidget(panel, parent) {}
};

class TQtStatusBarWidget : public TQtControlWidget {
 public:
  TQtStatusBarWidget(TTBXCustomStatusBar& bar, QWidget* parent);

 protected:
  void Paint(QPainter& painter) override;
  void Click(TPoint point) override;
  void DblClick(TPoint point) override;
  /// The size grip resizes the form.
  bool Press(TPoint point) override;
  void Drag(TPoint point, QPoint globalDelta) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  /// The hint of the panel under point, or the bar's.
  std::string HintAt(TPoint point, TRect& area) const override;

 private:
  void PaintPanel(QPainter& painter, const TTBXStatusPanel& panel);
  TTBXCustomStatusBar& FBar;
  TSize FFormStart;  // the form's size at a press on the size grip
};

/// The menu of a submenu item: its visible sub-items, separators and nested submenus. Picking an
/// entry clicks its item, if the item still exists.
QMenu* NewItemMenu(TTBCustomItem& item, QWidget* parent);
