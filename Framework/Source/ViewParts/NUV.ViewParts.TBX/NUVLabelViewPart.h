// The label view part: a TTBXLabel showing the view part's caption, published as "<name>_Caption".
#pragma once

#include "NUVViewPart.h"
#include "TbxTextObjects.h"

class TNUVLabelViewPart : public TNUVCustomViewPart {
 public:
  using TNUVCustomViewPart::TNUVCustomViewPart;
  ~TNUVLabelViewPart() override;

  std::string DefaultAlign() override;
  void Initialize() override;
  void Finalize() override;
  void DoWorkItemRunning(const std::string& name, INUVParamContext* context, bool& handled) override;
  void SetWorkSpace(INUVWorkSpace* workSpace) override;
  TControl* GetControl() override;

  // Setter of the published caption.
  void SetCaption(const std::string& text);

 private:
  void ApplySettings(const IXMLNode* element);

  TTBXLabel* FLabel = nullptr;
};
