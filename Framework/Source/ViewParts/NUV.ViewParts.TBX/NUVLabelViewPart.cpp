#include "NUVLabelViewPart.h"

using namespace NUVSimpleViewPart;

std::unique_ptr<TTBXLabel>& TNUVLabelViewPart::ControlField() { return FLabel; }

TNUVLabelViewPart::TKindInfo TNUVLabelViewPart::KindInfo() const {
  static constexpr std::string_view KKeySuffixes[] = {"_Caption"};
  return {"Label", KKeySuffixes};
}

void TNUVLabelViewPart::ApplySettings(const IXMLNode* element) {
  ApplyTextLayout(element, *FLabel);
  FLabel->SetUnderline(GetChildNodeValue(element, "Underline", false, false));
  FLabel->SetUnderlineColor(GetNodeColor(GetChildNode(element, "UnderlineColor", false).get(), clBtnShadow));
  ApplyTextLook(element, *FLabel);
}

void TNUVLabelViewPart::PublishKeys() { PublishCaption(); }

// Assigning the current alignment again makes the new parent align the label anew.
void TNUVLabelViewPart::SetWorkSpace(INUVWorkSpace* workSpace) {
  TNUVSimpleViewPart::SetWorkSpace(workSpace);
  if (FLabel) FLabel->SetAlign(FLabel->GetAlign());
}
