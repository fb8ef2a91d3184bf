/// @file
/// Toolbar2000 docks and dockable windows: the edges of a window where toolbars and panels dock.
#pragma once
#pragma GCC visibility push(default)

#include <span>
#include <string>
#include <vector>

#include "KolExceptions.h"
#include "TbxControls.h"

KOL_ENUM(TTBDockPosition, dpTop, dpBottom, dpLeft, dpRight)
using TTBDockPositions = TSet<TTBDockPosition>;
KOL_ENUM(TTBDockBoundLinesValues, blTop, blBottom, blLeft, blRight)
using TTBDockBoundLines = TSet<TTBDockBoundLinesValues>;
KOL_ENUM(TTBDockMode, dmCanFloat, dmCannotFloat, dmCannotFloatOrChangeDocks)
/// The part of a dockable window at a point: what a press there starts.
KOL_ENUM(TDockableHit, dhNone, dhClient, dhCaption, dhCloseButton, dhDragHandle, dhResizeEdge, dhLeft, dhTop, dhRight,
         dhBottom, dhTopLeft, dhTopRight, dhBottomLeft, dhBottomRight)

class TTBCustomDockableWindow;

/// A docking gesture that the window's or the dock's settings refuse; nothing changed.
class EDockError : public Exception {
 public:
  using Exception::Exception;
  ~EDockError() override;
};

/// A dock along one edge of its parent; its position decides its alignment. It lays its dockable
/// windows out in rows that run along its edge (numbered from the top, or from the left), and is
/// as thick as its rows together, 0 while it shows nothing.
class TTBDock : public TWinControl {
 public:
  explicit TTBDock(TComponent* owner);
  ~TTBDock() override;
  static constexpr TControlKind ClassKind = ckDock;
  TControlKind Kind() const override { return ClassKind; }
  TTBDock* AsDock() override { return this; }
  TTBDockPosition GetPosition() const { return FPosition; }
  void SetPosition(TTBDockPosition position);
  bool GetAllowDrag() const { return FAllowDrag; }
  void SetAllowDrag(bool allowDrag);
  bool GetLimitToOneRow() const { return FLimitToOneRow; }
  void SetLimitToOneRow(bool limit);
  TTBDockBoundLines GetBoundLines() const { return FBoundLines; }
  void SetBoundLines(TTBDockBoundLines lines);

  /// Left and right docks stand upright: their rows are columns.
  bool IsVertical() const { return FPosition == dpLeft || FPosition == dpRight; }
  /// Whether a window of its kind may lie in this dock: any dockable window, unless a subclass
  /// takes fewer.
  virtual bool TakesWindow(const TTBCustomDockableWindow& window) const;

  /// A row as the dock lays it out: its DockRow, and where it runs across the dock (client
  /// coordinates: from the top of a horizontal dock, from the left of a vertical one).
  struct TRowExtent {
    int Row, Start, Thickness;
  };
  /// The rows that show a window, in order.
  std::vector<TRowExtent> GetRowExtents() const;
  /// Gives the windows of each row the row's index as their DockRow, times spacing plus offset:
  /// spacing 2 and offset 1 leave a free number before, between and after the rows.
  void NumberRows(int spacing = 1, int offset = 0);
  bool GetAutoSizing() const override { return true; }
  /// Across the edge: the rows and the bound lines; along it: what the dock has.
  TSize GetPreferredSize(int maxWidth = KNoWidthLimit) const override;
  /// Inside the bound lines; empty while the dock shows nothing.
  TRect GetClientRect() const override;
  void AlignControls() override;

 protected:
  bool PlacesChild(const TControl& child) const override;
  void ChildChanged(TControl& child) override;
  /// A window that leaves may take the dock's thickness with it, as one that hides does.
  void PlacedChildRemoved(TControl& child) override { ChildChanged(child); }
  void LayOutDeferred() override { FitAndLayOut(); }

 private:
  // Takes the thickness the windows need, then lays the rows out.
  void FitAndLayOut();
  /// A visible window where the dock lays it out: its row, its position in the row (windows
  /// without one last) and its place among its children (the tie-break).
  struct TPlace {
    int Row, Pos, Order;
    TTBCustomDockableWindow* Window;
  };
  using TRow = std::span<const TPlace>;
  /// Calls visit with each row in order, its windows in order.
  template <typename TVisit>
  void ForEachRow(TVisit visit) const;
  int Thickness() const;
  TRect LinesInset(TRect r) const;
  void LayoutRow(TRow row, const TRect& area);
  void SettingChanged();

  TTBDockPosition FPosition = dpTop;
  bool FAllowDrag = true;
  bool FLimitToOneRow = false;
  TTBDockBoundLines FBoundLines;
};

class TTBXDock : public TTBDock {
 public:
  explicit TTBXDock(TComponent* owner);
  ~TTBXDock() override;
};

/// A dock that takes dockable panels only.
class TTBXMultiDock : public TTBXDock {
 public:
  explicit TTBXMultiDock(TComponent* owner);
  ~TTBXMultiDock() override;
  bool TakesWindow(const TTBCustomDockableWindow& window) const override;
};

/// The parts of a dockable window's frame, in the window's coordinates. Empty rectangles are
/// parts the window does not show.
struct TDockableFrame {
  TRect Caption;                 ///< the caption bar
  bool CaptionVertical = false;  ///< the caption runs bottom to top on the leading side
  TRect CloseButton;             ///< in the caption bar
  TRect DragHandle;              ///< docked toolbars, at the leading edge
  TRect ResizeEdge;              ///< docked resizable panels, on the edge that faces the window's middle
  TRect Client;                  ///< what is left for the content
  int Border = 0;
};

/// A window that docks in a TTBDock when its parent is one, and floats otherwise. Docked, its dock
/// decides its bounds; floating, it takes its floating size at its floating position.
class TTBCustomDockableWindow : public TWinControl {
 public:
  explicit TTBCustomDockableWindow(TComponent* owner);
  ~TTBCustomDockableWindow() override;
  static constexpr TControlKind ClassKind = ckDockableWindow;
  TControlKind Kind() const override { return ClassKind; }
  using TControl::AsDockableWindow;
  const TTBCustomDockableWindow* AsDockableWindow() const override { return this; }

  /// The dock it is parented to, or nil while it floats.
  TTBDock* GetCurrentDock() const;
  bool GetFloating() const { return GetCurrentDock() == nullptr; }

  bool GetCloseButton() const { return FCloseButton; }
  void SetCloseButton(bool value);
  bool GetCloseButtonWhenDocked() const { return FCloseButtonWhenDocked; }
  void SetCloseButtonWhenDocked(bool value);
  bool GetDblClickUndock() const { return FDblClickUndock; }
  void SetDblClickUndock(bool value) { FDblClickUndock = value; }
  TTBDockMode GetDockMode() const { return FDockMode; }
  void SetDockMode(TTBDockMode value) { FDockMode = value; }
  int GetDockPos() const { return FDockPos; }
  void SetDockPos(int value);
  int GetDockRow() const { return FDockRow; }
  void SetDockRow(int value);
  bool GetResizable() const { return FResizable; }
  void SetResizable(bool value);
  bool GetShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool value);
  TTBDockPositions GetDockableTo() const { return FDockableTo; }
  void SetDockableTo(TTBDockPositions value) { FDockableTo = value; }
  bool GetFullSize() const { return FFullSize; }
  void SetFullSize(bool value);

  /// Where it floats, relative to its parent; until it is set, the parent chooses (a stack panel
  /// puts it at the top right of its free area).
  TPoint GetFloatingPosition() const { return {GetLeft(), GetTop()}; }
  void SetFloatingPosition(TPoint position);
  bool GetFloatingPlaced() const { return FFloatingPlaced; }

  /// The user's docking gestures (TbxDocking.cpp). Each is refused with EDockError, changing
  /// nothing, when the settings forbid it: a window in a dock that does not allow dragging stays
  /// there, and no window enters such a dock; DockMode dmCannotFloat never floats, and
  /// dmCannotFloatOrChangeDocks neither floats nor leaves its dock; DockableTo must hold the
  /// dock's position; and the dock must take the window's kind (a multi-dock takes panels only).
  /// Why the window may not go into dock, or "" when it may.
  std::string DockRefusal(const TTBDock& dock) const;
  /// Why the window may not float, or "" when it may.
  std::string FloatRefusal() const;
  /// Into dock: DockRow row (0 or more) and DockPos pos (-1 or more). The windows of that row keep
  /// the places they have now, so the window lands at pos between them.
  void DockTo(TTBDock& dock, int row, int pos);
  /// Out of its dock, or moved while floating: its top-left corner at position in the form's
  /// coordinates, held so that the caption bar stays on the form's desktop (TForm).
  void FloatAt(TPoint position);
  /// Back into the dock, row and place it floated from; refused when it never left a dock.
  void DockBack();
  /// The dock it floated from last, or nil.
  TTBDock* GetLastDock() const { return FLastDock; }
  /// The user double-clicks the caption bar or the drag handle: a docked window that
  /// DblClickUndock lets float floats where it stands, a floating one goes back to its dock.
  /// False when neither may happen: the double-click is then the control's own.
  bool CaptionDblClick();

  /// The part of the window at point (its own coordinates).
  TDockableHit HitTest(TPoint point) const;
  /// Whether its borders resize it while it floats: a resizable window whose content takes any
  /// size (a panel; a toolbar is as large as its items).
  virtual bool ResizesWhenFloating() const { return false; }
  /// The smallest size it takes floating: the frame around the least content it shows.
  TSize GetMinimumFloatingSize() const;
  /// The user drags a border of the floating window: its bounds in its parent's coordinates, held
  /// to its minimum size. Refused unless it floats and ResizesWhenFloating. The form tells who
  /// listens once done: a live resize passes false while the button is still down.
  void ResizeFloating(const TRect& bounds, bool done = true);

  bool GetAutoSizing() const override { return true; }
  /// Floating: the floating size. Docked: the size in its dock (see GetDockedSize).
  TSize GetPreferredSize(int maxWidth = KNoWidthLimit) const override;
  /// The size it takes in a dock of that orientation, as {length along the dock, thickness
  /// across it}; a length of 0 takes a share of what the row leaves.
  virtual TSize GetDockedSize(bool vertical) const = 0;
  /// The client size it takes while floating.
  virtual TSize GetFloatingClientSize() const = 0;
  /// The size it takes while floating: its floating client size in the floating frame.
  TSize GetFloatingSize() const { return FramedSize(GetFloatingClientSize()); }
  /// Moving between a dock and floating changes the frame: the content is laid out anew.
  void SetParent(TWinControl* parent) override;
  /// The frame's parts at the current bounds.
  TDockableFrame GetFrame() const;
  TRect GetClientRect() const override { return GetFrame().Client; }

 protected:
  /// The frame at a given size; the subclasses say which parts they show.
  TDockableFrame FrameAt(TSize size) const;
  /// The size of a frame around a client area of the given size.
  TSize FramedSize(TSize client) const;
  virtual bool ShowsDockedCaption() const { return false; }
  virtual bool ShowsDockedCloseButton() const { return false; }
  virtual bool ShowsDragHandle() const { return false; }
  virtual bool ShowsResizeEdge() const { return false; }
  virtual bool CaptionVerticalWhenDocked() const { return false; }
  virtual int DockedBorder() const { return 0; }
  /// The text shows in the caption bar: the frame stays as it is.
  void TextChanged() override;
  /// A look setting changed: the frame, and so the size, may differ.
  void FrameChanged();

 private:
  bool FCloseButton = true;
  bool FCloseButtonWhenDocked = false;
  bool FDblClickUndock = true;
  TTBDockMode FDockMode = dmCanFloat;
  int FDockPos = -1;
  int FDockRow = 0;
  bool FResizable = true;
  bool FShowCaption = true;
  TTBDockPositions FDockableTo{dpTop, dpBottom, dpLeft, dpRight};
  bool FFullSize = false;
  bool FFloatingPlaced = false;
  // Where it was docked when it floated last: DockBack returns there.
  TGuard<TTBDock> FLastDock;
  int FLastDockRow = 0;
  int FLastDockPos = -1;
};

#pragma GCC visibility pop
