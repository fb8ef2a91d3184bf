// The configuration value readers over child elements and attributes.
#include <optional>

#include "KolStrings.h"
#include "KolValueText.h"
#include "KolXmlDocument.h"

namespace {

TIntfPtr<IXMLNode> FindChild(const IXMLNode* node, std::string_view name) {
  return node ? FindChildElement(*node, name) : nullptr;
}

std::optional<std::string> ChildText(const IXMLNode* node, std::string_view name) {
  std::string text;
  return node && FindChildElementText(*node, name, text) ? std::optional(std::move(text)) : std::nullopt;
}

std::optional<std::string> AttrText(const IXMLNode* node, std::string_view name) {
  return node && node->HasAttribute(name) ? std::optional(node->GetAttribute(name)) : std::nullopt;
}

// The text of the typed forms: blank text counts as missing.
std::optional<std::string> ValueText(const std::optional<std::string>& text) {
  if (!text) return std::nullopt;
  std::string value = TrimText(*text);
  return value.empty() ? std::nullopt : std::optional(std::move(value));
}

std::string StringValue(const std::optional<std::string>& text, std::string def, bool trim) {
  if (!text) return def;
  return trim ? TrimText(*text) : *text;
}

// The default is a name written by the programmer; resolving it by the same matcher keeps
// defaults and configured values in one form. The place is described only for the message of a
// name that does not match, since describing it costs more than reading the value.
template <class FWhere, class FDefaultWhere>
int EnumValue(const std::optional<std::string>& text, std::string_view defName, const TEnumTypeInfo& typeInfo,
              std::string_view prefix, FWhere&& where, FDefaultWhere&& defaultWhere) {
  int ordinal = 0;
  if (TryGetEnumValue(text ? std::string_view(*text) : defName, typeInfo, prefix, ordinal)) return ordinal;
  return text ? ParseEnumText(*text, typeInfo, prefix, where())
              : ParseEnumText(defName, typeInfo, prefix, defaultWhere());
}

// The typed forms, likewise: the place goes into the message of a value that cannot be read.
template <class FWhere>
bool BooleanValue(const std::string& text, FWhere&& where) {
  bool value = false;
  return TryParseBooleanText(text, value) ? value : ParseBooleanText(text, where());
}

template <class FWhere>
int IntegerValue(const std::string& text, FWhere&& where) {
  int value = 0;
  return TryParseIntegerText(text, value) ? value : ParseIntegerText(text, where());
}

}  // namespace

std::string DescribeChild(const IXMLNode* node, std::string_view childName) {
  const std::string childPart = "<" + std::string(childName) + ">";
  if (!node) return childPart;
  const TIntfPtr<IXMLNode> child = FindChild(node, childName);
  if (!child) return node->Location() + "/" + childPart;
  return FormatXMLPlace(child->SourceName(), child->Line(), child->Column()) + ": <" + node->NodeName() + ">/" +
         childPart;
}

std::string DescribeAttribute(const IXMLNode* node, std::string_view attrName) {
  const std::string attrPart = "attribute " + std::string(attrName);
  return node ? node->Location() + " " + attrPart : attrPart;
}

std::string GetChildNodeValue(const IXMLNode* node, std::string_view name, bool, const std::string& def, bool trim) {
  return StringValue(ChildText(node, name), def, trim);
}

std::string GetChildNodeValue(const IXMLNode* node, std::string_view name, bool flag, const char* def, bool trim) {
  return GetChildNodeValue(node, name, flag, std::string(def ? def : ""), trim);
}

bool GetChildNodeValue(const IXMLNode* node, std::string_view name, bool, bool def) {
  const auto text = ValueText(ChildText(node, name));
  return text ? BooleanValue(*text, [&] { return DescribeChild(node, name); }) : def;
}

int GetChildNodeValue(const IXMLNode* node, std::string_view name, bool, int def) {
  const auto text = ValueText(ChildText(node, name));
  return text ? IntegerValue(*text, [&] { return DescribeChild(node, name); }) : def;
}

int GetChildNodeValue(const IXMLNode* node, std::string_view name, bool, std::string_view defName,
                      const TEnumTypeInfo& typeInfo, std::string_view prefix) {
  const auto text = ValueText(ChildText(node, name));
  return EnumValue(
      text, defName, typeInfo, prefix, [&] { return DescribeChild(node, name); },
      [&] { return "default of <" + std::string(name) + ">"; });
}

std::string GetNodeAttrValue(const IXMLNode* node, std::string_view name, bool, const std::string& def,
                             std::string_view) {
  return StringValue(AttrText(node, name), def, true);
}

std::string GetNodeAttrValue(const IXMLNode* node, std::string_view name, bool flag, const char* def,
                             std::string_view extra) {
  return GetNodeAttrValue(node, name, flag, std::string(def ? def : ""), extra);
}

bool GetNodeAttrValue(const IXMLNode* node, std::string_view name, bool, bool def, std::string_view) {
  const auto text = ValueText(AttrText(node, name));
  return text ? BooleanValue(*text, [&] { return DescribeAttribute(node, name); }) : def;
}

int GetNodeAttrValue(const IXMLNode* node, std::string_view name, bool, int def, std::string_view) {
  const auto text = ValueText(AttrText(node, name));
  return text ? IntegerValue(*text, [&] { return DescribeAttribute(node, name); }) : def;
}

int GetNodeAttrValue(const IXMLNode* node, std::string_view name, bool, std::string_view defName,
                     const TEnumTypeInfo& typeInfo, std::string_view prefix, std::string_view) {
  const auto text = ValueText(AttrText(node, name));
  return EnumValue(
      text, defName, typeInfo, prefix, [&] { return DescribeAttribute(node, name); },
      [&] { return "default of attribute " + std::string(name); });
}
