#include "TbxDockablePanels.h"

TTBXCustomDockablePanel::TTBXCustomDockablePanel(TComponent* owner) : TTBCustomDockableWindow(owner) {}
TTBXCustomDockablePanel::~TTBXCustomDockablePanel() = default;

void TTBXCustomDockablePanel::SetBounds(int left, int top, int width, int height) {
  bool resized = width != GetWidth() || height != GetHeight();
  TTBCustomDockableWindow::SetBounds(left, top, width, height);
  if (resized && OnResize) OnResize(this);
}

TTBXDockablePanel::TTBXDockablePanel(TComponent* owner) : TTBXCustomDockablePanel(owner) {}
TTBXDockablePanel::~TTBXDockablePanel() = default;
