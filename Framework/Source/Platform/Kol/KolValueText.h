// Text readers private to the library, beside the public ParseBooleanText and ParseIntegerText.
#pragma once

#include <string_view>

#include "KolXml.h"

// The Boolean and integer forms without raising: false when the text is not one.
bool TryParseBooleanText(std::string_view text, bool& value);
bool TryParseIntegerText(std::string_view text, int& value);

// One enumeration name; raises EConfigurationError naming where when it is not a value of the type.
int ParseEnumText(std::string_view text, const TEnumTypeInfo& typeInfo, std::string_view prefix,
                  std::string_view where);
