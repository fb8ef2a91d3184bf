// Enumeration type information and the matching of configured names against it.
#include "KolEnums.h"

#include "KolExceptions.h"
#include "KolStrings.h"
#include "KolValueText.h"

namespace {

// The identifier as configuration writes it: without its prefix.
std::string_view WithoutPrefix(std::string_view identifier, std::string_view prefix) {
  return identifier.starts_with(prefix) ? identifier.substr(prefix.size()) : identifier;
}

std::string EnumExpectedText(const TEnumTypeInfo& typeInfo, std::string_view prefix) {
  return "one of " + EnumNamesText(typeInfo, prefix);
}

}  // namespace

TEnumTypeInfo::TEnumTypeInfo(std::string_view typeName, std::string_view identifierList) : FName(typeName) {
  for (int n = 1; n <= Occurs(',', identifierList) + 1; ++n) {
    std::string identifier = TrimText(GetSubString(identifierList, ',', n));
    if (!identifier.empty()) FIdentifiers.push_back(std::move(identifier));
  }
}

const std::string& TEnumTypeInfo::Identifier(int ordinal) const {
  static const std::string none;
  return ordinal >= 0 && ordinal < Count() ? FIdentifiers[static_cast<std::size_t>(ordinal)] : none;
}

bool TryGetEnumValue(std::string_view name, const TEnumTypeInfo& typeInfo, std::string_view prefix, int& ordinal) {
  const std::string wanted = TrimText(name);
  if (wanted.empty()) return false;
  // The form without prefix is what configuration writes, so it wins over a full identifier.
  for (bool withPrefix : {false, true}) {
    for (int i = 0; i < typeInfo.Count(); ++i) {
      const std::string& id = typeInfo.Identifier(i);
      if (!withPrefix && !id.starts_with(prefix)) continue;
      if (SameText(withPrefix ? std::string_view(id) : WithoutPrefix(id, prefix), wanted)) {
        ordinal = i;
        return true;
      }
    }
  }
  return false;
}

int ParseEnumText(std::string_view text, const TEnumTypeInfo& typeInfo, std::string_view prefix,
                  std::string_view where) {
  int ordinal = 0;
  if (!TryGetEnumValue(text, typeInfo, prefix, ordinal))
    throw EConfigurationError(std::string(where), TrimText(text), EnumExpectedText(typeInfo, prefix));
  return ordinal;
}

int GetEnumValue(std::string_view name, const TEnumTypeInfo& typeInfo, std::string_view prefix) {
  return ParseEnumText(name, typeInfo, prefix, "");
}

std::string EnumNamesText(const TEnumTypeInfo& typeInfo, std::string_view prefix) {
  std::string text;
  for (const std::string& id : typeInfo.Identifiers()) {
    if (!text.empty()) text += ", ";
    text += WithoutPrefix(id, prefix);
  }
  return text;
}
