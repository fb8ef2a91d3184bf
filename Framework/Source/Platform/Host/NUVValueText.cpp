#include <charconv>

#include "NUVHostObjects.h"

std::string ValueToText(const TNUVValue& value) {
  if (const auto* s = std::get_if<std::string>(&value)) return *s;
  if (const auto* i = std::get_if<int>(&value)) return std::to_string(*i);
  return std::get<bool>(value) ? "True" : "False";
}

TNUVValue TextToValue(const std::string& text, TNUVDataType type) {
  try {
    switch (type) {
      case dtString:
        return text;
      case dtInteger:
        return ParseIntegerText(text, "value");
      case dtBoolean:
        return ParseBooleanText(text, "value");
    }
  } catch (const EConfigurationError& e) {
    throw EConvertError("'" + text + "' is not " + e.Expected());
  }
  return text;
}
