#include "NUVCheckBoxViewPart.h"

#include <fmt/format.h>

#include "NUVSimpleViewPart.h"

using namespace NUVSimpleViewPart;

// A view part released without Finalize still frees its control and withdraws its keys, whose
// delegates would otherwise outlive it.
TNUVCheckBoxViewPart::~TNUVCheckBoxViewPart() {
  if (FCheckBox) WithdrawKeys(*this, {"_Checked", "_State"});
  delete FCheckBox;
}

std::string TNUVCheckBoxViewPart::DefaultAlign() { return "None"; }

TControl* TNUVCheckBoxViewPart::GetControl() { return FCheckBox; }

void TNUVCheckBoxViewPart::Initialize() {
  TNUVCustomViewPart::Initialize();
  FCheckBox = new TTBXCheckBox(nullptr);
  PlaceControl(*this, FCheckBox);
}

void TNUVCheckBoxViewPart::DoWorkItemRunning(const std::string&, INUVParamContext*, bool&) {
  ApplyConfiguration(*this, "TBXCheckBox", [this](const IXMLNode* element) { ApplySettings(element); });
  ShowCaptionAndWireEvents(*this, *FCheckBox);
  FCheckBox->OnChange = [this](TObject* sender) { DoChange(sender); };
  PublishKeys(*this, {{"_Checked", TNUVDataFactory::NewBooleanDelegate([this] { return GetCheckedValue(); },
                                                                       [this](bool value) { SetCheckedValue(value); })},
                      {"_State", TNUVDataFactory::NewIntegerDelegate([this] { return GetStateValue(); },
                                                                     [this](int value) { SetStateValue(value); })}});
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

void TNUVCheckBoxViewPart::DoChange(TObject* sender) { DoFireSimpleEvent(STopicOnChange, sender); }

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

void TNUVCheckBoxViewPart::Finalize() {
  WithdrawKeys(*this, {"_Checked", "_State"});
  FreeAndNil(FCheckBox);
  TNUVCustomViewPart::Finalize();
}
