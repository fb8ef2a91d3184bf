#include "NUVConfig.h"

#include <fmt/format.h>

#include <charconv>

TIntfPtr<IXMLNode> GetChildNode(const IXMLNode* node, std::string_view name, bool mustExist) {
  TIntfPtr<IXMLNode> child = FindChildNode(node, name);
  if (!child && mustExist) child = CreateXMLElement(name);
  return child;
}

namespace {

std::string ColorExpectation() {
  return "a colour name (" + fmt::format("{}", fmt::join(ColorIdents(), ", ")) +
         "), #RRGGBB, $ and a hexadecimal TColor, or a decimal TColor";
}

bool ParseUnsigned(std::string_view digits, int base, TColor& color) {
  if (digits.empty()) return false;
  std::uint64_t value = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  if (ec != std::errc() || end != digits.data() + digits.size() || value > 0xFFFFFFFFu) return false;
  color = static_cast<TColor>(value);
  return true;
}

bool ParseColorText(std::string_view text, TColor& color) {
  if (IdentToColor(text, color)) return true;
  if (text.front() == '#') {
    TColor rgb = 0;
    if (text.size() != 7 || !ParseUnsigned(text.substr(1), 16, rgb)) return false;
    color = ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);  // to 0x00BBGGRR
    return true;
  }
  if (text.front() == '$') return ParseUnsigned(text.substr(1), 16, color);
  return ParseUnsigned(text, 10, color);
}

}  // namespace

TColor GetNodeColor(const IXMLNode* node, TColor def) {
  if (!node) return def;
  std::string text = TrimText(node->Text());
  if (text.empty()) return def;
  TColor color = def;
  if (!ParseColorText(text, color)) throw EConfigurationError(node->Location(), text, ColorExpectation());
  return color;
}

// The text is quoted as written: "+5" is not "5".
int GetChildNodeInteger(const IXMLNode* node, std::string_view name, int def, const TNUVIntegerRange& range) {
  const int value = GetChildNodeValue(node, name, false, def);
  if (value < range.Min || value > range.Max)
    throw EConfigurationError(DescribeChild(node, name), GetChildNodeValue(node, name, false, ""), range.Expected);
  return value;
}

int GetNodeAttrInteger(const IXMLNode* node, std::string_view name, int def, const TNUVIntegerRange& range) {
  const int value = GetNodeAttrValue(node, name, false, def);
  if (value < range.Min || value > range.Max)
    throw EConfigurationError(DescribeAttribute(node, name), GetNodeAttrValue(node, name, false, ""), range.Expected);
  return value;
}

namespace {
TFontStyles ParseFontStyles(const IXMLNode* styleNode) {
  TFontStyles styles;
  std::string text = styleNode->Text();
  if (TrimText(text).empty()) return styles;
  for (int i = 1; i <= Occurs(',', text) + 1; ++i) {
    std::string name = TrimText(GetSubString(text, ',', i));
    int ordinal = 0;
    if (!TryGetEnumValue(name, TypeInfo<TFontStyle>(), "fs", ordinal))
      throw EConfigurationError(styleNode->Location(), name,
                                "a comma-separated list of " + EnumNamesText(TypeInfo<TFontStyle>(), "fs"));
    styles.Include(static_cast<TFontStyle>(ordinal));
  }
  return styles;
}
}  // namespace

void GetNodeFont(const IXMLNode* node, TFont& font) {
  if (!node) return;
  auto children = node->ChildNodes();
  if (children->FindNode("Name")) font.SetName(GetChildNodeValue(node, "Name", false, font.GetName()));
  font.SetSize(GetChildNodeInteger(node, "Size", font.GetSize(), {1, 1000, "a font size from 1 to 1000"}));
  if (auto color = children->FindNode("Color")) font.SetColor(GetNodeColor(color.get(), font.GetColor()));
  if (auto style = children->FindNode("Style")) font.SetStyle(ParseFontStyles(style.get()));
}

TTBDockPositions GetDockableTo(std::string_view text, TTBDockPositions current) {
  std::string trimmed = TrimText(text);
  if (trimmed.empty()) return current;
  if (SameText(trimmed, "All")) return {dpTop, dpBottom, dpLeft, dpRight};
  TTBDockPositions result;
  for (int i = 1; i <= Occurs(',', trimmed) + 1; ++i) {
    std::string name = TrimText(GetSubString(trimmed, ',', i));
    int ordinal = 0;
    if (!TryGetEnumValue(name, TypeInfo<TTBDockPosition>(), "dp", ordinal))
      throw EConfigurationError("DockableTo", name,
                                "All or a comma-separated list of " + EnumNamesText(TypeInfo<TTBDockPosition>(), "dp"));
    result.Include(static_cast<TTBDockPosition>(ordinal));
  }
  return result;
}

void CheckNodeName(const IXMLNode* node, std::string_view name) {
  if (!node) throw EConfigurationError("", "", fmt::format("an element <{}>", name));
  if (node->NodeName() != name)
    throw EConfigurationError(node->Location(), node->NodeName(), fmt::format("an element <{}>", name));
}

namespace {
// The named value of the nearest work item, from workItem up, that has it.
bool FindNamedValue(const INUVWorkItem* workItem, const std::string& name, std::string& value) {
  TIntfPtr<INUVWorkItem> next;
  for (const INUVWorkItem* item = workItem; item; item = next.get()) {
    auto values = item->GetNamedValues();
    if (values && values->HasValue(name)) {
      value = values->GetStrValue(name);
      return true;
    }
    next = item->GetParentWorkItem();
  }
  return false;
}
}  // namespace

// One pass: the next "}" and the next "${" are looked for again only when the scan has passed
// them, so a long text of unclosed or nested references takes linear time. A reference runs
// from "${" to the next "}" and holds no other "${": in "${a${b}" only "${b}" is one.
std::string TNUVDataUtils::ParseConfig(const INUVWorkItem* workItem, const std::string& text) {
  std::string result;
  result.reserve(text.size());
  size_t close = 0, nextOpen = 0;
  for (size_t i = 0; i < text.size();) {
    if (text[i] == '$' && i + 1 < text.size() && text[i + 1] == '$') {
      result += '$';
      i += 2;
      continue;
    }
    if (text[i] == '$' && i + 1 < text.size() && text[i + 1] == '{') {
      if (close != std::string::npos && close < i + 2) close = text.find('}', i + 2);
      if (nextOpen != std::string::npos && nextOpen < i + 2) nextOpen = text.find("${", i + 2);
      std::string value;
      if (close != std::string::npos && close < nextOpen &&
          FindNamedValue(workItem, text.substr(i + 2, close - i - 2), value)) {
        result += value;
        i = close + 1;
        continue;
      }
    }
    result += text[i++];
  }
  return result;
}

void TNUVWorkItemUtils::SetViewPartFocused(INUVViewPart* viewPart, bool focused) {
  NUV_ASSERT(viewPart != nullptr);
  viewPart->SetIsFocused(focused);
}

namespace {
TIntfPtr<IInterface> FindService(const INUVWorkItem* workItem, const std::string& id) {
  if (!workItem) return nullptr;
  auto services = workItem->GetServiceCenter();
  return services ? services->FindService(id) : nullptr;
}
}  // namespace

TIntfPtr<INUVImageService> FindImageService(const INUVWorkItem* workItem, const std::string& id) {
  return Supports<INUVImageService>(FindService(workItem, id));
}

TIntfPtr<INUVActionService> GetActionService(const INUVWorkItem* workItem, const std::string& id) {
  return Supports<INUVActionService>(FindService(workItem, id));
}
