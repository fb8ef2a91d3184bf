// fuzz_config: the configuration readers over arbitrary XML text. Every element of the document
// is read the ways view parts read their settings: its children and attributes in each value
// form, as colours, fonts, dock positions, enumeration names, configured text and toolbar items.
#include "FuzzHost.h"
#include "FuzzSupport.h"
#include "NUVConfig.h"
#include "NUVViewPart.h"
#include "TbxDockablePanels.h"
#include "TbxGraphics.h"
#include "TbxTextObjects.h"

namespace {

constexpr int KMaxElements = 64;

// Each enumeration that configuration names, with the prefix its names drop.
template <class F>
void ForEachEnumType(F&& visit) {
  visit(TypeInfo<TAlign>(), "al");
  visit(TypeInfo<TAlignment>(), "ta");
  visit(TypeInfo<TTBDockPosition>(), "dp");
  visit(TypeInfo<TTBDockMode>(), "dm");
  visit(TypeInfo<TDPCaptionRotation>(), "dpcr");
  visit(TypeInfo<TTextWrapping>(), "tw");
  visit(TypeInfo<TCheckBoxState>(), "cb");
  visit(TypeInfo<TFontStyle>(), "fs");
}

void ReadAsValues(const IXMLNode* parent, const std::string& name, bool isAttribute) {
  FuzzStep([&] {
    if (isAttribute)
      GetNodeAttrValue(parent, name, false, std::string("def"));
    else
      GetChildNodeValue(parent, name, false, std::string("def"), false);
  });
  FuzzStep([&] {
    isAttribute ? GetNodeAttrValue(parent, name, false, true) : GetChildNodeValue(parent, name, false, true);
  });
  FuzzStep([&] { isAttribute ? GetNodeAttrValue(parent, name, false, 7) : GetChildNodeValue(parent, name, false, 7); });
  ForEachEnumType([&](const TEnumTypeInfo& info, std::string_view prefix) {
    FuzzStep([&] {
      const std::string defName = info.Identifier(0).substr(prefix.size());
      if (isAttribute)
        GetNodeAttrValue(parent, name, false, defName, info, prefix);
      else
        GetChildNodeValue(parent, name, false, defName, info, prefix);
    });
  });
}

void ReadAsText(const std::string& text, const INUVWorkItem* workItem) {
  ForEachEnumType([&](const TEnumTypeInfo& info, std::string_view prefix) {
    int ordinal = -1;
    FuzzStep([&] { TryGetEnumValue(text, info, prefix, ordinal); });
    FuzzStep([&] { GetEnumValue(text, info, prefix); });
  });
  FuzzStep([&] { GetDockableTo(text, {dpTop}); });
  FuzzStep([&] { ParseBooleanText(text, "fuzz"); });
  FuzzStep([&] { ParseIntegerText(text, "fuzz"); });
  FuzzStep([&] { TNUVDataUtils::ParseConfig(workItem, text); });
}

void ReadElement(const TIntfPtr<IXMLNode>& element, TTestHost& host, INUVViewPart& viewPart) {
  const IXMLNode* node = element.get();
  FuzzStep([&] { GetNodeColor(node, clDefault); });
  FuzzStep([&] {
    TFont font;
    GetNodeFont(node, font);
  });
  FuzzStep([&] { CheckNodeName(node, "Toolbar"); });
  FuzzStep([&] { DescribeChild(node, node->NodeName()); });
  ReadAsText(node->Text(), host.WorkItemIntf());
  auto children = node->ChildNodes();
  for (int i = 0; i < children->Count(); ++i) {
    const std::string name = children->Get(i)->NodeName();
    ReadAsValues(node, name, false);
    FuzzStep([&] { GetChildNode(node, name, true); });
  }
  for (const std::string& name : node->AttributeNames()) {
    ReadAsValues(node, name, true);
    ReadAsText(node->GetAttribute(name), host.WorkItemIntf());
  }
  FuzzStep([&] {
    TTBXToolbar toolbar(nullptr);
    BuildToolbar(&toolbar, &viewPart, node, &host.Actions(), &host.Images());
  });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TIntfPtr<IXMLNode> root;
  FuzzStep([&] { root = LoadXMLDocument(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.xml"); });
  if (!root) return 0;
  TTestHost host;
  PrepareFuzzHost(host);
  auto viewPart = MakeCounted<TNUVCustomViewPart>(host.Extension("Fuzz", "Fuzz").get(), host.WorkItemIntf());
  int limit = KMaxElements;
  ForEachElement(root, limit, [&](const TIntfPtr<IXMLNode>& element) { ReadElement(element, host, *viewPart); });
  return 0;
}
