#include "NUVSimpleViewPart.h"

using namespace NUVSimpleViewPart;

// A view part released without Finalize frees its control through the kind's field; its keys go
// with FPublishedKeys, so no delegate outlives it.
TNUVSimpleViewPart::~TNUVSimpleViewPart() = default;

std::string TNUVSimpleViewPart::DefaultAlign() { return "None"; }

void TNUVSimpleViewPart::Initialize() {
  TNUVCustomViewPart::Initialize();
  PlaceControl(*this, CreateControl());
}

void TNUVSimpleViewPart::Finalize() {
  FPublishedKeys.Withdraw(GetName(), KindInfo().KeySuffixes);
  FreeControl();
  TNUVCustomViewPart::Finalize();
}

// Without the element nothing is read, no action is made and the control keeps the toolkit's
// own values.
void TNUVSimpleViewPart::DoWorkItemRunning(const std::string&, INUVParamContext*, bool&) {
  TControl& control = *GetControl();
  if (auto element = ConfigElement(*this, KindInfo().ConfigElement)) {
    ApplyCommand(element.get(), control);
    ApplySettings(element.get());
  }
  ShowCaptionAndWireEvents(control);
  WireChangeEvent();
  PublishKeys();
}

// CreateAction is called with "CommandID" also when it is empty. The action that an earlier run
// made for the control (and handed to it) goes first, so that actions do not pile up run after run.
void TNUVSimpleViewPart::ApplyCommand(const IXMLNode* element, TControl& control) {
  if (TBasicAction* earlier = control.GetAction()) control.ExtractComponent(earlier).reset();
  CreateAction(GetChildNodeValue(element, "CommandID", false, ""), true);
}

// The handlers call the virtual operations, so overrides in subclasses are honoured.
void TNUVSimpleViewPart::ShowCaptionAndWireEvents(TControl& control) {
  std::string caption = GetCaption();
  if (!caption.empty()) control.SetText(caption);
  if (!control.GetAction()) control.OnClick = [this](TObject* sender) { DoClick(sender); };
  control.OnContextPopup = [this](TObject* sender, TPoint mousePos, bool& handled) {
    DoContextPopup(sender, mousePos, handled);
  };
  control.OnDblClick = [this](TObject* sender) { DoDblClick(sender); };
}

void TNUVSimpleViewPart::SetCaption(const std::string& text) {
  FCaption = text;
  if (TControl* control = GetControl()) control->SetText(FCaption);  // the stored caption: no copy
}

void TNUVSimpleViewPart::PublishKey(std::string_view suffix, TIntfPtr<INUVDataDelegate> delegate) {
  FPublishedKeys.Publish(GetName() + std::string(suffix), std::move(delegate));
}

void TNUVSimpleViewPart::PublishCaption() {
  PublishKey("_Caption", TNUVDataFactory::NewStringDelegate([this] { return GetCaption(); },
                                                            [this](const std::string& text) { SetCaption(text); }));
}

// ---------------------------------------------------------------------------------------------

namespace NUVSimpleViewPart {

void PlaceControl(TNUVCustomViewPart& viewPart, TControl* control) {
  control->SetParent(viewPart.GetWorkItem()->GetHostControl());
}

TIntfPtr<IXMLNode> ConfigElement(TNUVCustomViewPart& viewPart, std::string_view name) {
  return GetChildNode(viewPart.GetExtension()->GetExtData().get(), name, false);
}

TAlignment ReadSideAlignment(const IXMLNode* element) {
  auto alignment = GetChildNodeEnum<TAlignment>(element, "Alignment", "LeftJustify", "ta");
  if (alignment != taLeftJustify && alignment != taRightJustify)
    throw EConfigurationError(DescribeChild(element, "Alignment"), GetChildNodeValue(element, "Alignment", false, ""),
                              "LeftJustify or RightJustify");
  return alignment;
}

void ApplyColor(const IXMLNode* element, TControl& control) {
  control.SetColor(GetNodeColor(GetChildNode(element, "Color", false).get(), clDefault));
}

void ApplyFont(const IXMLNode* element, TControl& control) {
  GetNodeFont(GetChildNode(element, "Font", false).get(), control.Font());
}

TTextWrapping ReadWrapping(const IXMLNode* element) {
  return GetChildNodeEnum<TTextWrapping>(element, "Wrapping", "None", "tw");
}

void ApplyTextLayout(const IXMLNode* element, TTBXTextObject& control) {
  control.SetAlignment(ReadSideAlignment(element));
  control.SetAutoSize(GetChildNodeValue(element, "AutoSize", false, true));
}

void ApplyTextLook(const IXMLNode* element, TTBXTextObject& control) {
  ApplyColor(element, control);
  ApplyFont(element, control);
  control.SetWrapping(ReadWrapping(element));
}

}  // namespace NUVSimpleViewPart
