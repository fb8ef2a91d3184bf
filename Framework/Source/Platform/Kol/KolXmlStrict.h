// What XML 1.0 forbids and pugixml lets through, found in the source text; private to the library.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

struct TXMLFault {
  std::size_t Offset;  // into the text
  std::string Description;
};

// Before parsing: the text must be UTF-8. A UTF-16 or UTF-32 text, and a declaration of another
// encoding, are faults (pugixml would misread the first and ignore the second).
std::optional<TXMLFault> FindEncodingFault(std::string_view text);

// Before parsing (pugixml stops at a zero byte): bytes that are not UTF-8, and characters XML
// forbids (control characters, U+FFFE, U+FFFF), anywhere in the text.
std::optional<TXMLFault> FindCharacterFault(std::string_view text);

// After a parse that succeeded: references to anything but the five predefined entities and
// allowed characters, an attribute given twice in one tag, and a second root element.
std::optional<TXMLFault> FindMarkupFault(std::string_view text);
