#include "TbxDocks.h"

namespace {
constexpr TAlign PositionAlign[] = {alTop, alBottom, alLeft, alRight};
}

TTBDock::TTBDock(TComponent* owner) : TWinControl(owner) { SetAlign(PositionAlign[FPosition]); }
TTBDock::~TTBDock() = default;

void TTBDock::SetPosition(TTBDockPosition position) {
  FPosition = position;
  SetAlign(PositionAlign[position]);
}

TTBXDock::TTBXDock(TComponent* owner) : TTBDock(owner) {}
TTBXDock::~TTBXDock() = default;

TTBXMultiDock::TTBXMultiDock(TComponent* owner) : TTBXDock(owner) {}
TTBXMultiDock::~TTBXMultiDock() = default;

TTBCustomDockableWindow::TTBCustomDockableWindow(TComponent* owner) : TWinControl(owner) {}
TTBCustomDockableWindow::~TTBCustomDockableWindow() = default;

TTBDock* TTBCustomDockableWindow::GetCurrentDock() const { return dynamic_cast<TTBDock*>(GetParent()); }
