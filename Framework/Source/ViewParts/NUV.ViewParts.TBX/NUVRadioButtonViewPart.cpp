#include "NUVRadioButtonViewPart.h"

using namespace NUVSimpleViewPart;

TNUVRadioButton::~TNUVRadioButton() = default;

void TNUVRadioButton::Click() {
  if (!GetChecked()) TTBXRadioButton::Click();
}

std::unique_ptr<TNUVRadioButton>& TNUVRadioButtonViewPart::ControlField() { return FRadioButton; }

TNUVRadioButtonViewPart::TKindInfo TNUVRadioButtonViewPart::KindInfo() const {
  static constexpr std::string_view KKeySuffixes[] = {"_Checked"};
  return {"TBXRadioButton", KKeySuffixes};
}

void TNUVRadioButtonViewPart::ApplySettings(const IXMLNode* element) {
  ApplyTextLayout(element, *FRadioButton);
  FRadioButton->SetGroupIndex(GetChildNodeValue(element, "GroupIndex", false, 0));
  FRadioButton->SetChecked(GetChildNodeValue(element, "Checked", false, false));
  ApplyTextLook(element, *FRadioButton);
}

void TNUVRadioButtonViewPart::PublishKeys() {
  PublishKey("_Checked", TNUVDataFactory::NewBooleanDelegate([this] { return GetCheckedValue(); },
                                                             [this](bool value) { SetCheckedValue(value); }));
}

bool TNUVRadioButtonViewPart::GetCheckedValue() { return FRadioButton->GetChecked(); }

void TNUVRadioButtonViewPart::SetCheckedValue(bool value) { FRadioButton->SetChecked(value); }
