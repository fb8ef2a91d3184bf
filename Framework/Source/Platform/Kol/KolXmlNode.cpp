// The counted wrappers that hand document elements to callers as IXMLNode and IXMLNodeList.
#include "KolXmlDocument.h"

#include <fmt/printf.h>

#include <typeinfo>

namespace {

class TXMLNode final : public TImplements<TTolvaRefCntIntfObject, IXMLNode> {
 public:
  TXMLNode(PXMLDocument document, pugi::xml_node element) : FDocument(std::move(document)), FElement(element) {}

  std::string NodeName() const override { return FElement.name(); }
  std::string Text() const override;
  TIntfPtr<IXMLNodeList> ChildNodes() const override;
  bool HasChildNodes() const override { return static_cast<bool>(FElement.find_child(IsElement)); }
  TIntfPtr<IXMLNode> ParentNode() const override;
  bool HasAttribute(std::string_view name) const override { return static_cast<bool>(Attribute(name)); }
  std::string GetAttribute(std::string_view name) const override { return Attribute(name).value(); }
  std::vector<std::string> AttributeNames() const override;
  const std::string& SourceName() const override { return FDocument->SourceName(); }
  int Line() const override { return Position().first; }
  int Column() const override { return Position().second; }
  std::string Location() const override {
    return FormatXMLPlace(SourceName(), Line(), Column()) + ": <" + NodeName() + ">";
  }

  static bool IsElement(pugi::xml_node node) { return node.type() == pugi::node_element; }
  static std::string TextOf(pugi::xml_node element);
  pugi::xml_node FindChildElement(std::string_view name) const;
  const PXMLDocument& Document() const { return FDocument; }

 private:
  ~TXMLNode() override = default;
  pugi::xml_attribute Attribute(std::string_view name) const { return FElement.attribute(std::string(name).c_str()); }
  std::pair<int, int> Position() const;

  PXMLDocument FDocument;
  pugi::xml_node FElement;
};

class TXMLNodeList final : public TImplements<TTolvaRefCntIntfObject, IXMLNodeList> {
 public:
  TXMLNodeList(PXMLDocument document, std::vector<pugi::xml_node> elements)
      : FDocument(std::move(document)), FElements(std::move(elements)) {}

  int Count() const override { return static_cast<int>(FElements.size()); }
  TIntfPtr<IXMLNode> Get(int index) const override;
  TIntfPtr<IXMLNode> FindNode(std::string_view name) const override;

 private:
  ~TXMLNodeList() override = default;

  PXMLDocument FDocument;
  std::vector<pugi::xml_node> FElements;
};

std::string TXMLNode::Text() const { return TextOf(FElement); }

std::string TXMLNode::TextOf(pugi::xml_node element) {
  std::string text;
  for (pugi::xml_node child : element.children())
    if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) text += child.value();
  return text;
}

pugi::xml_node TXMLNode::FindChildElement(std::string_view name) const {
  for (pugi::xml_node child : FElement.children())
    if (IsElement(child) && name == child.name()) return child;
  return {};
}

TIntfPtr<IXMLNodeList> TXMLNode::ChildNodes() const {
  std::vector<pugi::xml_node> elements;
  for (pugi::xml_node child : FElement.children())
    if (IsElement(child)) elements.push_back(child);
  return MakeCounted<TXMLNodeList>(FDocument, std::move(elements));
}

TIntfPtr<IXMLNode> TXMLNode::ParentNode() const {
  const pugi::xml_node parent = FElement.parent();
  return IsElement(parent) ? NewXMLNode(FDocument, parent) : nullptr;
}

std::vector<std::string> TXMLNode::AttributeNames() const {
  std::vector<std::string> names;
  for (pugi::xml_attribute attribute : FElement.attributes()) names.emplace_back(attribute.name());
  return names;
}

// pugixml reports the offset of the element's name; the element starts at the '<' before it.
std::pair<int, int> TXMLNode::Position() const {
  const std::ptrdiff_t nameOffset = FElement.offset_debug();
  return FDocument->LineColumnOf(nameOffset > 0 ? nameOffset - 1 : -1);
}

TIntfPtr<IXMLNode> TXMLNodeList::Get(int index) const {
  if (index < 0 || index >= Count())
    throw Exception(fmt::sprintf("XML node list index %d out of range (count %d)", index, Count()));
  return NewXMLNode(FDocument, FElements[static_cast<std::size_t>(index)]);
}

TIntfPtr<IXMLNode> TXMLNodeList::FindNode(std::string_view name) const {
  for (pugi::xml_node element : FElements)
    if (name == element.name()) return NewXMLNode(FDocument, element);
  return nullptr;
}

}  // namespace

TIntfPtr<IXMLNode> NewXMLNode(PXMLDocument document, pugi::xml_node element) {
  return MakeCounted<TXMLNode>(std::move(document), element);
}

namespace {
// The node as this reader's own, or nil for a node of another implementation. TXMLNode is final:
// its type is compared as it stands, which costs a fraction of a cast from the interface.
const TXMLNode* OwnNode(const IXMLNode& node) {
  return typeid(node) == typeid(TXMLNode) ? static_cast<const TXMLNode*>(&node) : nullptr;
}
}  // namespace

TIntfPtr<IXMLNode> FindChildElement(const IXMLNode& node, std::string_view name) {
  const TXMLNode* own = OwnNode(node);
  if (!own) return node.ChildNodes()->FindNode(name);
  const pugi::xml_node child = own->FindChildElement(name);
  return child ? NewXMLNode(own->Document(), child) : nullptr;
}

TIntfPtr<IXMLNode> FindChildNode(const IXMLNode* node, std::string_view name) {
  return node ? FindChildElement(*node, name) : nullptr;
}

bool FindChildElementText(const IXMLNode& node, std::string_view name, std::string& text) {
  const TXMLNode* own = OwnNode(node);
  if (!own) {
    const TIntfPtr<IXMLNode> child = node.ChildNodes()->FindNode(name);
    if (child) text = child->Text();
    return static_cast<bool>(child);
  }
  const pugi::xml_node child = own->FindChildElement(name);
  if (child) text = TXMLNode::TextOf(child);
  return static_cast<bool>(child);
}
