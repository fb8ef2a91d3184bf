// The toolbar dock view part: a TTBXDock, or a TTBXMultiDock, that docks the dockable windows of
// its child view parts.
#pragma once

#include "NUVShownViewParts.h"
#include "NUVViewPart.h"
#include "TbxDocks.h"

class TNUVToolbarDockViewPart : public TNUVCustomWorkSpaceViewPart {
 public:
  using TNUVCustomWorkSpaceViewPart::TNUVCustomWorkSpaceViewPart;
  ~TNUVToolbarDockViewPart() override;

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
  void CheckDockable(INUVViewPart* child);

  TTBDock* FDock = nullptr;
  NUVShownViewParts::TShownViewParts FShownViewParts;
};
