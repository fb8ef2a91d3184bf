/// @file
/// Forms: the top-level window of an application, which the user resizes and in which toolbars
/// and panels are dragged between docks and out to float.
#pragma once
#pragma GCC visibility push(default)

#include <functional>
#include <memory>
#include <vector>

#include "TbxDocks.h"
#include "TbxStackPanels.h"
#include "TbxToolbarKeyboard.h"

/// Where a dragged window would land if it were dropped now.
struct TDockTarget {
  /// The dock it would enter, or nil: it would float (Floating) or stay where it is.
  TTBDock* Dock = nullptr;
  bool Floating = false;
  int Row = 0;          ///< the DockRow it would take
  bool NewRow = false;  ///< a row of its own before the row numbered Row (after the last if none)
  int Pos = -1;         ///< the DockPos it would take
  TPoint FloatAt;       ///< where it would float, in the form's coordinates
  TRect Outline;        ///< where it would show, in the form's coordinates
};

class TForm;

/// The drag of one dockable window by its drag handle or caption: nothing moves until the drop,
/// while the outline shows where the window would land.
class TDockDrag {
 public:
  /// point: where the press was, in the form's coordinates.
  TDockDrag(TForm& form, TTBCustomDockableWindow& window, TPoint point);
  TDockDrag(const TDockDrag&) = delete;
  TDockDrag& operator=(const TDockDrag&) = delete;
  ~TDockDrag();

  /// The window dragged, or nil once it has been destroyed.
  TTBCustomDockableWindow* Window() const { return FWindow; }
  const TDockTarget& Target() const { return FTarget; }
  /// The pointer is at point (form coordinates): the target follows.
  void MoveTo(TPoint point);
  /// Moves the window to the target.
  void Drop();
  /// How many docks each move looks at.
  int DockCount() const { return FDocks.Count(); }

 private:
  bool TargetDock(TPoint point);
  void TargetFloating(TPoint point);
  void StayPut();
  TGuard<TTBCustomDockableWindow> FWindow;
  TPoint FGrab;                        // the press, relative to the window's corner
  TObjectList<TTBDock> FDocks{false};  // the docks of the form, in tree order
  TDockTarget FTarget;
};

/// The form lays its children out as a stack panel does. It is resized by the user as a whole,
/// never below the size at which the controls along its edges (docks, status bars) still fit
/// side by side, and it runs the docking gestures of the windows in it, telling who listens.
class TForm : public TStackPanel {
 public:
  explicit TForm(TComponent* owner);
  ~TForm() override;
  static constexpr TControlKind ClassKind = ckForm;
  TControlKind Kind() const override { return ClassKind; }

  /// The least size at which the controls along its edges, and along the edges of the areas that
  /// fill it, do not overlap.
  TSize GetMinimumSize() const;
  /// After each layout the peer hears whether the minimum size changed (a dock grew or shrank).
  void AlignControls() override;
  /// The user resizes the window to width x height, at least its minimum size: everything is laid
  /// out once, then OnResize is told.
  void Resize(int width, int height);
  TNotifyEvent OnResize;

  /// Where floating windows may go, in the form's coordinates: a floating window keeps its caption
  /// bar inside it. Empty (the default): the form's own client area.
  TRect GetDesktopRect() const;
  void SetDesktopRect(const TRect& rect) { FDesktopRect = rect; }

  /// The drag in progress, or nil.
  const TDockDrag* GetDockDrag() const { return FDrag.get(); }
  /// A press at point (form coordinates) on the drag handle or caption of window starts a drag.
  /// Refused with EDockError when the window may not be dragged (its dock does not allow it).
  void BeginDockDrag(TTBCustomDockableWindow& window, TPoint point);
  void DockDragTo(TPoint point);
  /// Drops the window at the target; the drag ends.
  void EndDockDrag();
  /// Ends the drag; nothing moves.
  void CancelDockDrag();

  /// Told after a gesture moved a window into a dock or along one: the dock it left (nil when it
  /// floated) and the dock it is in.
  std::function<void(TTBCustomDockableWindow& window, TTBDock* from, TTBDock* to)> OnDock;
  /// Told after a gesture floated a window or moved it while it floats.
  std::function<void(TTBCustomDockableWindow& window)> OnFloat;

  /// A key the user pressed in the form. The form takes Tab and Shift+Tab (the focus to the next
  /// or previous control), Alt alone and F10 (the keyboard onto the main toolbar), Alt with an
  /// access key, and every key while the keyboard is on a toolbar; any other key goes to the
  /// focused control. True when something took the key.
  bool KeyDown(TKey key, TShiftState shift) override;
  /// Moves the focus to the next control Tab reaches (or the previous one), round the end; false
  /// when no control takes it.
  bool SelectNext(bool forward);
  /// The controls Tab reaches now, in order: in each container in the order they came into it,
  /// containers in the window's order (depth first).
  std::vector<TWinControl*> TabOrder() const;
  /// Acts on what Alt with key reaches: an item of a toolbar (the main toolbar first) that is
  /// clicked or whose menu opens, else a control that takes the focus and is clicked.
  bool AccessKey(TKey key);
  TToolbarKeyboard& ToolbarKeyboard() { return *FKeyboard; }
  const TToolbarKeyboard& ToolbarKeyboard() const { return *FKeyboard; }
  /// The focused control when it lies in this form, else nil.
  TWinControl* FocusedInForm() const;

  /// Told after the focus moved to a control of the form (previous: the control that had it).
  std::function<void(TWinControl* previous, TWinControl& focused)> OnFocusChange;
  /// Told after the keyboard came onto a toolbar, moved there, opened or closed a menu, or left.
  TNotifyEvent OnToolbarKeyboard;

 private:
  friend class TWinControl;
  friend class TToolbarKeyboard;
  void FocusMoved(TWinControl* previous, TWinControl& focused);
  void KeyboardChanged();
  friend class TTBCustomDockableWindow;
  friend class TDockDrag;
  void WindowDocked(TTBCustomDockableWindow& window, TTBDock* from);
  void WindowFloated(TTBCustomDockableWindow& window);
  void FormChanged();
  TRect FDesktopRect;
  TSize FMinimumSize;  // as the native window was last told
  std::unique_ptr<TDockDrag> FDrag;
  std::unique_ptr<TToolbarKeyboard> FKeyboard = std::make_unique<TToolbarKeyboard>(*this);
};

/// The form that control lies in (itself, if it is one), or nil.
TForm* GetParentForm(const TControl& control);
/// Where the client area of control begins, in the coordinates of its outermost parent.
TPoint ClientOrigin(const TWinControl& control);

#pragma GCC visibility pop
