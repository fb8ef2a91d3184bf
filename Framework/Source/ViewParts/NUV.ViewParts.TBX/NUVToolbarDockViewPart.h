// The toolbar dock view part: a TTBXDock, or a TTBXMultiDock, that docks the dockable windows of
// its child view parts.
#pragma once

#include <memory>

#include "NUVDockingWorkSpaceViewPart.h"
#include "TbxDocks.h"

class TNUVToolbarDockViewPart : public TNUVDockingWorkSpaceViewPart {
 public:
  using TNUVDockingWorkSpaceViewPart::TNUVDockingWorkSpaceViewPart;

  std::string DefaultAlign() override;
  void Initialize() override;
  TControl* GetControl() override;
  NUV_DOCKING_CHILD_OPERATIONS

 protected:
  ~TNUVToolbarDockViewPart() override = default;
  void FreeControls() override;
  // A multi-dock takes dockable panels only; a plain dock any dockable window.
  void CheckChild(INUVViewPart* child) override;

 private:
  void ApplySettings(const IXMLNode* element);

  std::unique_ptr<TTBDock> FDock;
};
