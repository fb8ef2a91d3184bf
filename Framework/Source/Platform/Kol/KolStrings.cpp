// String helpers shared by the readers and by their callers.
#include <algorithm>

#include "KolStrings.h"

namespace {

char LowerASCII(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return LowerASCII(x) == LowerASCII(y); });
}

int Occurs(char c, std::string_view text) { return static_cast<int>(std::count(text.begin(), text.end(), c)); }

std::string GetSubString(std::string_view text, char c, int n) {
  if (n < 1) return {};
  std::size_t start = 0;
  for (int piece = 1; piece < n; ++piece) {
    const std::size_t sep = text.find(c, start);
    if (sep == std::string_view::npos) return {};
    start = sep + 1;
  }
  return std::string(text.substr(start, text.find(c, start) - start));
}

std::string TrimText(std::string_view text) {
  const auto first = std::find_if_not(text.begin(), text.end(), IsBlank);
  const auto last = std::find_if_not(text.rbegin(), std::make_reverse_iterator(first), IsBlank).base();
  return std::string(first, last);
}
