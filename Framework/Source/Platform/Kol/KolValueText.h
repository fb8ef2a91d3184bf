// Text readers private to the library, beside the public ParseBooleanText and ParseIntegerText.
#pragma once

#include <string_view>

#include "KolXml.h"

// One enumeration name; raises EConfigurationError naming where when it is not a value of the type.
int ParseEnumText(std::string_view text, const TEnumTypeInfo& typeInfo, std::string_view prefix,
                  std::string_view where);
