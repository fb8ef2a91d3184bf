// Dockable panels: a caption bar, a close button and a resize edge around arbitrary controls.
#include "TbxDockablePanels.h"

#include "TbxFields.h"
#include "TbxMetrics.h"
#include "TbxPeers.h"

TTBXCustomDockablePanel::TTBXCustomDockablePanel(TComponent* owner) : TTBCustomDockableWindow(owner) {}
TTBXCustomDockablePanel::~TTBXCustomDockablePanel() = default;

void TTBXCustomDockablePanel::SetCaptionRotation(TDPCaptionRotation value) {
  if (UpdateField(FCaptionRotation, value)) FrameChanged();
}

void TTBXCustomDockablePanel::SetShowCaptionWhenDocked(bool value) {
  if (UpdateField(FShowCaptionWhenDocked, value)) FrameChanged();
}

void TTBXCustomDockablePanel::SetDockedWidth(int value) {
  if (UpdateField(FDockedWidth, std::max(0, value))) FrameChanged();
}

void TTBXCustomDockablePanel::SetDockedHeight(int value) {
  if (UpdateField(FDockedHeight, std::max(0, value))) FrameChanged();
}

bool TTBXCustomDockablePanel::ShowsDockedCloseButton() const {
  return ShowsDockedCaption() && GetCloseButton() && GetCloseButtonWhenDocked();
}

// Along a top or bottom dock the caption bar stands upright at the panel's leading side, unless
// the rotation says otherwise.
bool TTBXCustomDockablePanel::CaptionVerticalWhenDocked() const {
  const TTBDock* dock = GetCurrentDock();
  return FCaptionRotation == dpcrAlwaysVert || (FCaptionRotation == dpcrAuto && dock && !dock->IsVertical());
}

int TTBXCustomDockablePanel::DockedBorder() const { return TbxMetrics::DockedPanelBorder; }

TSize TTBXCustomDockablePanel::GetDockedSize(bool vertical) const {
  return {0, vertical ? FDockedWidth : FDockedHeight};
}

// Only a dimension that the caller gave is taken: SetHeight passes the width on as it is, and
// that may be one the layout cut short; SetBounds gives both, also a width equal to the shown one
// (a panel that a cramped dock shows narrower is then asked for that width and keeps it).
void TTBXCustomDockablePanel::AdoptGivenSize(int width, int height) {
  const TTBDock* dock = GetCurrentDock();
  const bool widthGiven = GivenSize().Width, heightGiven = GivenSize().Height;
  if (!dock) {
    const TDockableFrame frame = FrameAt({width, height});
    if (widthGiven) FDockedWidth = frame.Client.Width;
    if (heightGiven) FDockedHeight = frame.Client.Height;
  } else if (dock->IsVertical()) {
    if (widthGiven) FDockedWidth = std::max(0, width);
  } else if (heightGiven) {
    FDockedHeight = std::max(0, height);
  }
}

// Sizes that come while the dock lays its windows out are the layout's, also those a resize
// handler passes on to other panels then: only a size given from outside sticks.
void TTBXCustomDockablePanel::SetBounds(int left, int top, int width, int height) {
  const TTBDock* dock = GetCurrentDock();
  if (!IsBeingPlaced() && !(dock && dock->IsAligning())) AdoptGivenSize(width, height);
  TTBCustomDockableWindow::SetBounds(left, top, width, height);
}

void TTBXCustomDockablePanel::Resized() {
  TTBCustomDockableWindow::Resized();
  if (OnResize) OnResize(this);
}

TTBXDockablePanel::TTBXDockablePanel(TComponent* owner) : TTBXCustomDockablePanel(owner) {}
TTBXDockablePanel::~TTBXDockablePanel() = default;
