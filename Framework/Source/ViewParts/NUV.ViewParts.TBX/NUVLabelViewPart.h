// The label view part: a TTBXLabel showing the view part's caption, published as "<name>_Caption".
#pragma once

#include <memory>

#include "NUVSimpleViewPart.h"

class TNUVLabelViewPart : public TNUVSimpleControlViewPart<TTBXLabel> {
 public:
  using TNUVSimpleControlViewPart::TNUVSimpleControlViewPart;

  void SetWorkSpace(INUVWorkSpace* workSpace) override;

 protected:
  ~TNUVLabelViewPart() override = default;
  std::unique_ptr<TTBXLabel>& ControlField() override;
  TKindInfo KindInfo() const override;
  void ApplySettings(const IXMLNode* element) override;
  void PublishKeys() override;

 private:
  std::unique_ptr<TTBXLabel> FLabel;
};
