// The dockable panel view part: a TTBXDockablePanel, captioned with the view part's caption, that
// holds the controls of its child view parts and docks in a toolbar dock.
#pragma once

#include "NUVShownViewParts.h"
#include "NUVViewPart.h"
#include "TbxDockablePanels.h"

class TNUVDockablePanelViewPart : public TNUVCustomWorkSpaceViewPart {
 public:
  using TNUVCustomWorkSpaceViewPart::TNUVCustomWorkSpaceViewPart;
  ~TNUVDockablePanelViewPart() override;

  std::string DefaultAlign() override;
  void Initialize() override;
  void Finalize() override;
  TControl* GetControl() override;
  void ShowViewPart(INUVViewPart* child) override;
  void HideViewPart(INUVViewPart* child) override;
  void CloseViewPart(INUVViewPart* child) override;
  void ActivateViewPart(INUVViewPart* child) override;

  // The children shown so far, in the order of their first showing.
  const NUVShownViewParts::TShownViewParts& ShownViewParts() const { return FShownViewParts; }

 protected:
  void CheckViewPartOnMe(INUVViewPart* child);

 private:
  void ApplySettings(const IXMLNode* element);

  TTBXDockablePanel* FPanel = nullptr;
  NUVShownViewParts::TShownViewParts FShownViewParts;
};
