#include "NUVLabelViewPart.h"

#include "NUVSimpleViewPart.h"

using namespace NUVSimpleViewPart;

// A view part released without Finalize still frees its control.
TNUVLabelViewPart::~TNUVLabelViewPart() { delete FLabel; }

std::string TNUVLabelViewPart::DefaultAlign() { return "None"; }

TControl* TNUVLabelViewPart::GetControl() { return FLabel; }

void TNUVLabelViewPart::Initialize() {
  TNUVCustomViewPart::Initialize();
  FLabel = new TTBXLabel(nullptr);
  PlaceControl(*this, FLabel);
}

void TNUVLabelViewPart::DoWorkItemRunning(const std::string&, INUVParamContext*, bool&) {
  auto element = ConfigElement(*this, "Label");
  if (element) {
    ApplyCommand(*this, element.get());
    ApplySettings(element.get());
  }
  ShowCaptionAndWireEvents(*this, *FLabel);
  PublishKeys(*this, {{"_Caption", TNUVDataFactory::NewStringDelegate(
                                       [this] { return GetCaption(); },
                                       [this](const std::string& text) { SetCaption(text); })}});
}

void TNUVLabelViewPart::ApplySettings(const IXMLNode* element) {
  FLabel->SetAlignment(ReadSideAlignment(element));
  FLabel->SetAutoSize(GetChildNodeValue(element, "AutoSize", false, true));
  FLabel->SetUnderline(GetChildNodeValue(element, "Underline", false, false));
  FLabel->SetUnderlineColor(GetNodeColor(GetChildNode(element, "UnderlineColor", false).get(), clBtnShadow));
  ApplyColor(element, *FLabel);
  ApplyFont(element, *FLabel);
  FLabel->SetWrapping(ReadWrapping(element));
}

void TNUVLabelViewPart::SetCaption(const std::string& text) {
  FCaption = text;
  if (FLabel) FLabel->SetText(GetCaption());
}

// Assigning the current alignment again makes the new parent align the label anew.
void TNUVLabelViewPart::SetWorkSpace(INUVWorkSpace* workSpace) {
  TNUVCustomViewPart::SetWorkSpace(workSpace);
  if (FLabel) FLabel->SetAlign(FLabel->GetAlign());
}

void TNUVLabelViewPart::Finalize() {
  WithdrawKeys(*this, {"_Caption"});
  FreeAndNil(FLabel);
  TNUVCustomViewPart::Finalize();
}
