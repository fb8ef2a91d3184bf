/// @file
/// Toolbar2000 docks and dockable windows: the edges of a window where toolbars and panels dock.
#pragma once
#pragma GCC visibility push(default)

#include "TbxControls.h"

KOL_ENUM(TTBDockPosition, dpTop, dpBottom, dpLeft, dpRight)
using TTBDockPositions = TSet<TTBDockPosition>;
KOL_ENUM(TTBDockBoundLinesValues, blTop, blBottom, blLeft, blRight)
using TTBDockBoundLines = TSet<TTBDockBoundLinesValues>;
KOL_ENUM(TTBDockMode, dmCanFloat, dmCannotFloat, dmCannotFloatOrChangeDocks)

/// A dock along one edge of its parent; its position decides its alignment.
class TTBDock : public TWinControl {
 public:
  explicit TTBDock(TComponent* owner);
  ~TTBDock() override;
  TTBDockPosition GetPosition() const { return FPosition; }
  void SetPosition(TTBDockPosition position);
  bool GetAllowDrag() const { return FAllowDrag; }
  void SetAllowDrag(bool allowDrag) { FAllowDrag = allowDrag; }
  bool GetLimitToOneRow() const { return FLimitToOneRow; }
  void SetLimitToOneRow(bool limit) { FLimitToOneRow = limit; }
  TTBDockBoundLines GetBoundLines() const { return FBoundLines; }
  void SetBoundLines(TTBDockBoundLines lines) { FBoundLines = lines; }

 private:
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

/// A window that docks in a TTBDock when its parent is one, and floats otherwise.
class TTBCustomDockableWindow : public TWinControl {
 public:
  explicit TTBCustomDockableWindow(TComponent* owner);
  ~TTBCustomDockableWindow() override;

  /// The dock it is parented to, or nil while it floats.
  TTBDock* GetCurrentDock() const;
  bool GetFloating() const { return GetCurrentDock() == nullptr; }

  bool GetCloseButton() const { return FCloseButton; }
  void SetCloseButton(bool value) { FCloseButton = value; }
  bool GetCloseButtonWhenDocked() const { return FCloseButtonWhenDocked; }
  void SetCloseButtonWhenDocked(bool value) { FCloseButtonWhenDocked = value; }
  bool GetDblClickUndock() const { return FDblClickUndock; }
  void SetDblClickUndock(bool value) { FDblClickUndock = value; }
  TTBDockMode GetDockMode() const { return FDockMode; }
  void SetDockMode(TTBDockMode value) { FDockMode = value; }
  int GetDockPos() const { return FDockPos; }
  void SetDockPos(int value) { FDockPos = value; }
  int GetDockRow() const { return FDockRow; }
  void SetDockRow(int value) { FDockRow = value; }
  bool GetResizable() const { return FResizable; }
  void SetResizable(bool value) { FResizable = value; }
  bool GetShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool value) { FShowCaption = value; }
  TTBDockPositions GetDockableTo() const { return FDockableTo; }
  void SetDockableTo(TTBDockPositions value) { FDockableTo = value; }
  bool GetFullSize() const { return FFullSize; }
  void SetFullSize(bool value) { FFullSize = value; }

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
};

#pragma GCC visibility pop
