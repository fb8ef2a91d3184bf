// The Boolean and integer text forms of configuration values.
#include <cstdint>

#include "KolValueText.h"

#include "KolStrings.h"

namespace {

constexpr const char* SBooleanExpected = "True or False (or 1 or 0)";
constexpr const char* SIntegerExpected = "a decimal integer";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Accumulates digits and stops as soon as the magnitude leaves the 32-bit range, so that long
// digit runs cannot overflow.
bool ParseDecimal(std::string_view text, std::int64_t& value) {
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) text.remove_prefix(1);
  if (text.empty()) return false;
  const std::int64_t limit = negative ? -static_cast<std::int64_t>(INT32_MIN) : INT32_MAX;
  std::int64_t magnitude = 0;
  for (char c : text) {
    if (!IsDigit(c)) return false;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > limit) return false;
  }
  value = negative ? -magnitude : magnitude;
  return true;
}

}  // namespace

bool TryParseBooleanText(std::string_view text, bool& value) {
  const std::string trimmed = TrimText(text);
  const bool isTrue = SameText(trimmed, "True") || trimmed == "1";
  if (!isTrue && !SameText(trimmed, "False") && trimmed != "0") return false;
  value = isTrue;
  return true;
}

bool TryParseIntegerText(std::string_view text, int& value) {
  std::int64_t result = 0;
  if (!ParseDecimal(TrimText(text), result)) return false;
  value = static_cast<int>(result);
  return true;
}

bool ParseBooleanText(std::string_view text, std::string_view where) {
  bool value = false;
  if (!TryParseBooleanText(text, value))
    throw EConfigurationError(std::string(where), TrimText(text), SBooleanExpected);
  return value;
}

int ParseIntegerText(std::string_view text, std::string_view where) {
  int value = 0;
  if (!TryParseIntegerText(text, value))
    throw EConfigurationError(std::string(where), TrimText(text), SIntegerExpected);
  return value;
}
