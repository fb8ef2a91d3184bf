// The widget of a control's peer: it paints the control from the toolkit's state and turns the
// user's mouse gestures into the toolkit's operations. One subclass per kind of control.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>

#include "TbxControls.h"

class QPainter;

/// Runs a toolkit operation for the user; what it raises goes to the backend's error handler.
void RunReported(const std::function<void()>& operation);

class TQtControlWidget : public QWidget {
 public:
  /// Made under parent (the widget of the control's parent), or without one: a widget made
  /// under its parent skips becoming a window first.
  TQtControlWidget(TControl& control, QWidget* parent);
  ~TQtControlWidget() override;
  TControl& Control() const { return FControl; }
  /// The window's own widget: a top-level window that nothing places.
  bool IsRoot() const { return FRoot; }
  void SetRoot(bool root) { FRoot = root; }
  /// Whether an event is being handled now: a widget whose control goes away meanwhile must wait.
  bool InEvent() const { return FEventDepth > 0; }
  /// The control is gone while an event of this widget ran: the widget only waits to be deleted.
  void MarkGone() { FGone = true; }
  bool Gone() const { return FGone; }
  /// The hint a tooltip shows for point, and the area it holds for; "" for none. By default the
  /// control's hint over the whole widget.
  virtual std::string HintAt(TPoint point, TRect& area) const;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  /// Keys go to the form the control lies in, which decides what they do (Tab included).
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  bool focusNextPrevChild(bool next) override;

  /// Draws the control over its background.
  virtual void Paint(QPainter& painter);
  virtual QColor Background() const;
  /// A press of the left button; true when the subclass takes the gesture (a drag, a menu).
  virtual bool Press(TPoint /*point*/) { return false; }
  /// The pointer moved with the button down after a press the subclass took.
  virtual void Drag(TPoint /*point*/, QPoint /*globalDelta*/) {}
  virtual void Release(TPoint /*point*/) {}
  /// Where the press of the gesture running now was, on the screen.
  QPoint PressGlobal() const { return FPressGlobal; }
  /// A click: pressed and released on the control.
  virtual void Click(TPoint point);
  virtual void DblClick(TPoint point);

  /// Runs a toolkit operation that the user's input asks for; what it raises is reported. False
  /// when the operation destroyed this widget's control.
  template <class F>
  bool Survives(F&& operation) {
    QPointer<QWidget> self(this);
    RunReported(operation);
    return !self.isNull() && !FGone;
  }

 private:
  void FocusControl();
  /// The main window moved, showed or hid: its tool windows follow.
  void SyncToolWindows();
  TControl& FControl;
  bool FRoot = false;
  bool FGone = false;
  int FEventDepth = 0;
  bool FPressed = false;  // the left button went down here
  bool FDragging = false;
  QPoint FPressGlobal;
};
