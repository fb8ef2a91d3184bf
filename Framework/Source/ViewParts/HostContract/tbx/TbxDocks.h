/// @file
/// Toolbar2000 docks and dockable windows: the edges of a window where toolbars and panels dock.
#pragma once
#pragma GCC visibility push(default)

#include <span>
#include <vector>

#include "TbxControls.h"

KOL_ENUM(TTBDockPosition, dpTop, dpBottom, dpLeft, dpRight)
using TTBDockPositions = TSet<TTBDockPosition>;
KOL_ENUM(TTBDockBoundLinesValues, blTop, blBottom, blLeft, blRight)
using TTBDockBoundLines = TSet<TTBDockBoundLinesValues>;
KOL_ENUM(TTBDockMode, dmCanFloat, dmCannotFloat, dmCannotFloatOrChangeDocks)

class TTBCustomDockableWindow;

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

 private:
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

  bool GetAutoSizing() const override { return true; }
  /// Floating: the floating size. Docked: the size in its dock (see GetDockedSize).
  TSize GetPreferredSize(int maxWidth = KNoWidthLimit) const override;
  /// The size it takes in a dock of that orientation, as {length along the dock, thickness
  /// across it}; a length of 0 takes a share of what the row leaves.
  virtual TSize GetDockedSize(bool vertical) const = 0;
  /// The client size it takes while floating.
  virtual TSize GetFloatingClientSize() const = 0;
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
};

#pragma GCC visibility pop
