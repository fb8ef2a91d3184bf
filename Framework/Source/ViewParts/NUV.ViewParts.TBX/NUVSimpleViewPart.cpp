#include "NUVSimpleViewPart.h"

namespace NUVSimpleViewPart {

void PlaceControl(TNUVCustomViewPart& viewPart, TControl* control) {
  control->SetParent(viewPart.GetWorkItem()->GetHostControl());
}

TIntfPtr<IXMLNode> ConfigElement(TNUVCustomViewPart& viewPart, std::string_view name) {
  return GetChildNode(viewPart.GetExtension()->GetExtData().get(), name, false);
}

void ApplyCommand(TNUVCustomViewPart& viewPart, const IXMLNode* element) {
  viewPart.CreateAction(GetChildNodeValue(element, "CommandID", false, ""), true);
}

void ApplyConfiguration(TNUVCustomViewPart& viewPart, std::string_view name,
                        const std::function<void(const IXMLNode*)>& applySettings) {
  auto element = ConfigElement(viewPart, name);
  if (!element) return;
  ApplyCommand(viewPart, element.get());
  applySettings(element.get());
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

void ShowCaptionAndWireEvents(TNUVCustomViewPart& viewPart, TControl& control) {
  std::string caption = viewPart.GetCaption();
  if (!caption.empty()) control.SetText(caption);
  // The handlers call the virtual operations, so overrides in subclasses are honoured.
  if (!control.GetAction()) control.OnClick = [&viewPart](TObject* sender) { viewPart.DoClick(sender); };
  control.OnContextPopup = [&viewPart](TObject* sender, TPoint mousePos, bool& handled) {
    viewPart.DoContextPopup(sender, mousePos, handled);
  };
  control.OnDblClick = [&viewPart](TObject* sender) { viewPart.DoDblClick(sender); };
}

void PublishKeys(TNUVCustomViewPart& viewPart,
                 std::initializer_list<std::pair<std::string_view, TIntfPtr<INUVDataDelegate>>> keys) {
  for (const auto& [suffix, delegate] : keys)
    viewPart.GetDataContext()->RegisterDelegate(viewPart.GetName() + std::string(suffix), delegate);
}

void WithdrawKeys(TNUVCustomViewPart& viewPart, std::initializer_list<std::string_view> suffixes) {
  auto context = viewPart.GetDataContext();
  if (!context) return;
  for (std::string_view suffix : suffixes) context->UnregisterDelegate(viewPart.GetName() + std::string(suffix));
}

}  // namespace NUVSimpleViewPart
