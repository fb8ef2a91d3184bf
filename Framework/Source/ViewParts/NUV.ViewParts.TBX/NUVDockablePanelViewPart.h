// The dockable panel view part: a TTBXDockablePanel, captioned with the view part's caption, that
// holds the controls of its child view parts, of any kind, and docks in a toolbar dock.
#pragma once

#include <memory>

#include "NUVDockingWorkSpaceViewPart.h"
#include "TbxDockablePanels.h"

class TNUVDockablePanelViewPart : public TNUVDockingWorkSpaceViewPart {
 public:
  using TNUVDockingWorkSpaceViewPart::TNUVDockingWorkSpaceViewPart;

  std::string DefaultAlign() override;
  void Initialize() override;
  TControl* GetControl() override;
  NUV_DOCKING_CHILD_OPERATIONS

 protected:
  ~TNUVDockablePanelViewPart() override = default;
  void FreeControls() override;

 private:
  void ApplySettings(const IXMLNode* element);

  std::unique_ptr<TTBXDockablePanel> FPanel;
};
