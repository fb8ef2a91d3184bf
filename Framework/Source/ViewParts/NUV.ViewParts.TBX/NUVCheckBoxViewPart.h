// The check box view part: a three-state TTBXCheckBox published as "<name>_Checked" and
// "<name>_State" (0 unchecked, 1 checked, 2 grayed); every change fires
// "Topic://ViewPart/<name>/OnChange".
#pragma once

#include "NUVViewPart.h"
#include "TbxTextObjects.h"

class TNUVCheckBoxViewPart : public TNUVCustomViewPart {
 public:
  using TNUVCustomViewPart::TNUVCustomViewPart;
  ~TNUVCheckBoxViewPart() override;

  std::string DefaultAlign() override;
  void Initialize() override;
  void Finalize() override;
  void DoWorkItemRunning(const std::string& name, INUVParamContext* context, bool& handled) override;
  TControl* GetControl() override;

  // Handler of the box's OnChange.
  void DoChange(TObject* sender);
  // Accessors of the "_Checked" and "_State" delegates. SetStateValue refuses a value that is
  // not a state with EConvertError and leaves the state as it was.
  bool GetCheckedValue();
  void SetCheckedValue(bool value);
  int GetStateValue();
  void SetStateValue(int value);

 private:
  void ApplySettings(const IXMLNode* element);

  TTBXCheckBox* FCheckBox = nullptr;
};
