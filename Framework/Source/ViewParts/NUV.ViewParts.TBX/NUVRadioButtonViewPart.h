// The radio button view part: a TNUVRadioButton whose checked state is published as
// "<name>_Checked" and whose every change fires "Topic://ViewPart/<name>/OnChange".
#pragma once

#include <memory>

#include "NUVSimpleViewPart.h"

// A radio button that ignores clicks while it is checked: neither OnClick nor the action runs.
class TNUVRadioButton : public TTBXRadioButton {
 public:
  using TTBXRadioButton::TTBXRadioButton;
  ~TNUVRadioButton() override;
  void Click() override;
};

class TNUVRadioButtonViewPart : public TNUVSimpleControlViewPart<TNUVRadioButton> {
 public:
  using TNUVSimpleControlViewPart::TNUVSimpleControlViewPart;

  // Accessors of the "_Checked" delegate.
  bool GetCheckedValue();
  void SetCheckedValue(bool value);

 protected:
  ~TNUVRadioButtonViewPart() override = default;
  std::unique_ptr<TNUVRadioButton>& ControlField() override;
  TKindInfo KindInfo() const override;
  void ApplySettings(const IXMLNode* element) override;
  void PublishKeys() override;

 private:
  std::unique_ptr<TNUVRadioButton> FRadioButton;
};
