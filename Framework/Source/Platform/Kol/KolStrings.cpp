// String helpers shared by the readers and by their callers.
#include <algorithm>
#include <numeric>

#include "KolStrings.h"

namespace {

char LowerASCII(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

// Edits (insert, delete, substitute; ASCII case folded) that turn a into b, two rows of the table.
std::size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> previous(b.size() + 1), current(b.size() + 1);
  std::iota(previous.begin(), previous.end(), std::size_t{0});
  for (std::size_t i = 1; i <= a.size(); ++i) {
    current[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t substitute = previous[j - 1] + (LowerASCII(a[i - 1]) == LowerASCII(b[j - 1]) ? 0 : 1);
      current[j] = std::min({previous[j] + 1, current[j - 1] + 1, substitute});
    }
    std::swap(previous, current);
  }
  return previous[b.size()];
}

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

std::string ClosestName(std::string_view name, const std::vector<std::string>& known) {
  for (const std::string& candidate : known)
    if (SameText(candidate, name)) return candidate;
  // Names are short; a name far longer than any known one is not worth the table.
  if (name.empty() || name.size() > 256) return {};
  const std::size_t allowed = std::max<std::size_t>(1, name.size() / 3);
  std::string best;
  std::size_t bestDistance = allowed + 1;
  for (const std::string& candidate : known) {
    const std::size_t distance = EditDistance(name, candidate);
    if (distance < bestDistance) {
      best = candidate;
      bestDistance = distance;
    }
  }
  return best;
}
