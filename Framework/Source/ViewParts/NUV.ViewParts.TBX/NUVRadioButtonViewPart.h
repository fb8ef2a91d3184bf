// The radio button view part: a TNUVRadioButton whose checked state is published as
// "<name>_Checked" and whose every change fires "Topic://ViewPart/<name>/OnChange".
#pragma once

#include "NUVViewPart.h"
#include "TbxTextObjects.h"

// A radio button that ignores clicks while it is checked: neither OnClick nor the action runs.
class TNUVRadioButton : public TTBXRadioButton {
 public:
  using TTBXRadioButton::TTBXRadioButton;
  ~TNUVRadioButton() override;
  void Click() override;
};

class TNUVRadioButtonViewPart : public TNUVCustomViewPart {
 public:
  using TNUVCustomViewPart::TNUVCustomViewPart;
  ~TNUVRadioButtonViewPart() override;

  std::string DefaultAlign() override;
  void Initialize() override;
  void Finalize() override;
  void DoWorkItemRunning(const std::string& name, INUVParamContext* context, bool& handled) override;
  TControl* GetControl() override;

  // Handler of the button's OnChange.
  void DoChange(TObject* sender);
  // Accessors of the "_Checked" delegate.
  bool GetCheckedValue();
  void SetCheckedValue(bool value);

 private:
  void ApplySettings(const IXMLNode* element);

  TNUVRadioButton* FRadioButton = nullptr;
};
