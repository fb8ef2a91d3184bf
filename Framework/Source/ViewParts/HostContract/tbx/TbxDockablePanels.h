/// @file
/// TBX dockable panels: a dockable window with a caption bar that holds arbitrary controls and
/// remembers the size it takes when docked.
#pragma once
#pragma GCC visibility push(default)

#include "TbxDocks.h"

/// How the caption bar of a docked panel runs: along the dock (Auto), or always one way.
KOL_ENUM(TDPCaptionRotation, dpcrAuto, dpcrAlwaysHorz, dpcrAlwaysVert)

/// Defaults of a new panel: CaptionRotation dpcrAuto, ShowCaptionWhenDocked true, DockedWidth and
/// DockedHeight 128, SmoothDockedResize true; the dockable-window properties keep the defaults of
/// TTBCustomDockableWindow (among them CloseButtonWhenDocked false and DockableTo all four edges).
///
/// Docked, the panel is DockedWidth thick in a left or right dock and DockedHeight thick in a top
/// or bottom dock, and shares its row's length with the other panels in it. Floating, its client
/// area is DockedWidth by DockedHeight. A size given to it from outside its dock's layout becomes
/// its docked size: the user's resizing sticks, in the dock and when it floats again.
class TTBXCustomDockablePanel : public TTBCustomDockableWindow {
 public:
  explicit TTBXCustomDockablePanel(TComponent* owner);
  ~TTBXCustomDockablePanel() override;
  static constexpr TControlKind ClassKind = ckDockablePanel;
  TControlKind Kind() const override { return ClassKind; }

  TDPCaptionRotation GetCaptionRotation() const { return FCaptionRotation; }
  void SetCaptionRotation(TDPCaptionRotation value);
  bool GetShowCaptionWhenDocked() const { return FShowCaptionWhenDocked; }
  void SetShowCaptionWhenDocked(bool value);
  /// The width it takes in a left or right dock, the height in a top or bottom dock.
  int GetDockedWidth() const { return FDockedWidth; }
  void SetDockedWidth(int value);
  int GetDockedHeight() const { return FDockedHeight; }
  void SetDockedHeight(int value);
  bool GetSmoothDockedResize() const { return FSmoothDockedResize; }
  void SetSmoothDockedResize(bool value) { FSmoothDockedResize = value; }

  /// Raised after the width or the height changed; a move alone does not raise it.
  TNotifyEvent OnResize;
  void SetBounds(int left, int top, int width, int height) override;

  TSize GetDockedSize(bool vertical) const override;
  TSize GetFloatingClientSize() const override { return {FDockedWidth, FDockedHeight}; }
  bool ResizesWhenFloating() const override { return GetResizable(); }

 protected:
  void Resized() override;
  bool ShowsDockedCaption() const override { return GetShowCaption() && FShowCaptionWhenDocked; }
  bool ShowsDockedCloseButton() const override;
  bool ShowsResizeEdge() const override { return GetResizable(); }
  bool CaptionVerticalWhenDocked() const override;
  int DockedBorder() const override;

 private:
  void AdoptGivenSize(int width, int height);

  TDPCaptionRotation FCaptionRotation = dpcrAuto;
  bool FShowCaptionWhenDocked = true;
  int FDockedWidth = 128;
  int FDockedHeight = 128;
  bool FSmoothDockedResize = true;
};

class TTBXDockablePanel : public TTBXCustomDockablePanel {
 public:
  explicit TTBXDockablePanel(TComponent* owner);
  ~TTBXDockablePanel() override;
};

#pragma GCC visibility pop
