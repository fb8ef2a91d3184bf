#include "NUVLabelViewPart.h"

#include "NUVSimpleViewPart.h"

using namespace NUVSimpleViewPart;

// A view part released without Finalize still frees its control and withdraws its key, whose
// delegate would otherwise outlive it.
TNUVLabelViewPart::~TNUVLabelViewPart() {
  if (FLabel) WithdrawKeys(*this, {"_Caption"});
  delete FLabel;
}

std::string TNUVLabelViewPart::DefaultAlign() { return "None"; }

TControl* TNUVLabelViewPart::GetControl() { return FLabel; }

void TNUVLabelViewPart::Initialize() {
  TNUVCustomViewPart::Initialize();
  FLabel = new TTBXLabel(nullptr);
  PlaceControl(*this, FLabel);
}

void TNUVLabelViewPart::DoWorkItemRunning(const std::string&, INUVParamContext*, bool&) {
  ApplyConfiguration(*this, "Label", [this](const IXMLNode* element) { ApplySettings(element); });
  ShowCaptionAndWireEvents(*this, *FLabel);
  PublishCaption(*this);
}

void TNUVLabelViewPart::ApplySettings(const IXMLNode* element) {
  ApplyTextLayout(element, *FLabel);
  FLabel->SetUnderline(GetChildNodeValue(element, "Underline", false, false));
  FLabel->SetUnderlineColor(GetNodeColor(GetChildNode(element, "UnderlineColor", false).get(), clBtnShadow));
  ApplyTextLook(element, *FLabel);
}

void TNUVLabelViewPart::SetCaption(const std::string& text) {
  FCaption = text;
  if (FLabel) FLabel->SetText(FCaption);  // the stored caption itself: no copy on the binding path
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
