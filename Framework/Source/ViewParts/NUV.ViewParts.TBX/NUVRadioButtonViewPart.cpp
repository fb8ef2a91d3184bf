#include "NUVRadioButtonViewPart.h"

#include "NUVSimpleViewPart.h"

using namespace NUVSimpleViewPart;

TNUVRadioButton::~TNUVRadioButton() = default;

void TNUVRadioButton::Click() {
  if (!GetChecked()) TTBXRadioButton::Click();
}

// A view part released without Finalize still frees its control and withdraws its key, whose
// delegate would otherwise outlive it.
TNUVRadioButtonViewPart::~TNUVRadioButtonViewPart() {
  if (FRadioButton) WithdrawKeys(*this, {"_Checked"});
  delete FRadioButton;
}

std::string TNUVRadioButtonViewPart::DefaultAlign() { return "None"; }

TControl* TNUVRadioButtonViewPart::GetControl() { return FRadioButton; }

void TNUVRadioButtonViewPart::Initialize() {
  TNUVCustomViewPart::Initialize();
  FRadioButton = new TNUVRadioButton(nullptr);
  PlaceControl(*this, FRadioButton);
}

void TNUVRadioButtonViewPart::DoWorkItemRunning(const std::string&, INUVParamContext*, bool&) {
  ApplyConfiguration(*this, "TBXRadioButton", [this](const IXMLNode* element) { ApplySettings(element); });
  ShowCaptionAndWireEvents(*this, *FRadioButton);
  FRadioButton->OnChange = [this](TObject* sender) { DoChange(sender); };
  PublishKeys(*this,
              {{"_Checked", TNUVDataFactory::NewBooleanDelegate([this] { return GetCheckedValue(); },
                                                                [this](bool value) { SetCheckedValue(value); })}});
}

void TNUVRadioButtonViewPart::ApplySettings(const IXMLNode* element) {
  ApplyTextLayout(element, *FRadioButton);
  FRadioButton->SetGroupIndex(GetChildNodeValue(element, "GroupIndex", false, 0));
  FRadioButton->SetChecked(GetChildNodeValue(element, "Checked", false, false));
  ApplyTextLook(element, *FRadioButton);
}

void TNUVRadioButtonViewPart::DoChange(TObject* sender) { DoFireSimpleEvent(STopicOnChange, sender); }

bool TNUVRadioButtonViewPart::GetCheckedValue() { return FRadioButton->GetChecked(); }

void TNUVRadioButtonViewPart::SetCheckedValue(bool value) { FRadioButton->SetChecked(value); }

void TNUVRadioButtonViewPart::Finalize() {
  WithdrawKeys(*this, {"_Checked"});
  FreeAndNil(FRadioButton);
  TNUVCustomViewPart::Finalize();
}
