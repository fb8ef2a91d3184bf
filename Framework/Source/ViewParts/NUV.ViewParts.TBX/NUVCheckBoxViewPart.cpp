#include "NUVCheckBoxViewPart.h"

#include <fmt/format.h>

using namespace NUVSimpleViewPart;

std::unique_ptr<TTBXCheckBox>& TNUVCheckBoxViewPart::ControlField() { return FCheckBox; }

TNUVCheckBoxViewPart::TKindInfo TNUVCheckBoxViewPart::KindInfo() const {
  static constexpr std::string_view KKeySuffixes[] = {"_Checked", "_State"};
  return {"TBXCheckBox", KKeySuffixes};
}

// "State" overrides "Checked"; its default follows whatever "Checked" left. "AllowGrayed" limits
// only the user's clicks, so a configured grayed state is set in any case.
void TNUVCheckBoxViewPart::ApplySettings(const IXMLNode* element) {
  ApplyTextLayout(element, *FCheckBox);
  FCheckBox->SetAllowGrayed(GetChildNodeValue(element, "AllowGrayed", false, false));
  FCheckBox->SetChecked(GetChildNodeValue(element, "Checked", false, false));
  const char* stateDefault = FCheckBox->GetChecked() ? "Checked" : "UnChecked";
  FCheckBox->SetState(GetChildNodeEnum<TCheckBoxState>(element, "State", stateDefault, "cb"));
  ApplyTextLook(element, *FCheckBox);
}

void TNUVCheckBoxViewPart::PublishKeys() {
  PublishKey("_Checked", TNUVDataFactory::NewBooleanDelegate([this] { return GetCheckedValue(); },
                                                             [this](bool value) { SetCheckedValue(value); }));
  PublishKey("_State", TNUVDataFactory::NewIntegerDelegate([this] { return GetStateValue(); },
                                                           [this](int value) { SetStateValue(value); }));
}

bool TNUVCheckBoxViewPart::GetCheckedValue() { return FCheckBox->GetChecked(); }

void TNUVCheckBoxViewPart::SetCheckedValue(bool value) { FCheckBox->SetChecked(value); }

int TNUVCheckBoxViewPart::GetStateValue() { return static_cast<int>(FCheckBox->GetState()); }

void TNUVCheckBoxViewPart::SetStateValue(int value) {
  if (value < cbUnchecked || value > cbGrayed)
    throw EConvertError(
        fmt::format("{}_State cannot take {}: a check box state is 0 (Unchecked), "
                    "1 (Checked) or 2 (Grayed)",
                    GetName(), value));
  FCheckBox->SetState(static_cast<TCheckBoxState>(value));
}
