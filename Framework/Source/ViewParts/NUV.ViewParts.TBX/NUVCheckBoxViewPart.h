// The check box view part: a three-state TTBXCheckBox published as "<name>_Checked" and
// "<name>_State" (0 unchecked, 1 checked, 2 grayed); every change fires
// "Topic://ViewPart/<name>/OnChange".
#pragma once

#include <memory>

#include "NUVSimpleViewPart.h"

class TNUVCheckBoxViewPart : public TNUVSimpleControlViewPart<TTBXCheckBox> {
 public:
  using TNUVSimpleControlViewPart::TNUVSimpleControlViewPart;

  // Accessors of the "_Checked" and "_State" delegates. SetStateValue refuses a value that is
  // not a state with EConvertError and leaves the state as it was.
  bool GetCheckedValue();
  void SetCheckedValue(bool value);
  int GetStateValue();
  void SetStateValue(int value);

 protected:
  ~TNUVCheckBoxViewPart() override = default;
  std::unique_ptr<TTBXCheckBox>& ControlField() override;
  TKindInfo KindInfo() const override;
  void ApplySettings(const IXMLNode* element) override;
  void PublishKeys() override;

 private:
  std::unique_ptr<TTBXCheckBox> FCheckBox;
};
