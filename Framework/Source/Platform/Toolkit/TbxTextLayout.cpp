#include "TbxTextLayout.h"

#include <algorithm>

#include "TbxGeometry.h"

namespace TbxText {

namespace {
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (true) {
    const size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return lines;
}

size_t CharCount(std::string_view text) {
  return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}
}  // namespace

int LineHeight(const TFont& font) { return ClampPixels(2LL * font.GetSize() + 3); }

int LineWidth(const TFont& font, std::string_view line) {
  return ClampPixels(6LL * static_cast<long long>(CharCount(line)) * font.GetSize() / 8);
}

std::vector<std::string> Lines(const TFont& font, std::string_view text, TTextWrapping wrapping, int maxWidth) {
  std::vector<std::string> lines;
  for (std::string_view line : SplitLines(text)) {
    if (wrapping != twWrap || LineWidth(font, line) <= maxWidth) {
      lines.emplace_back(line);
      continue;
    }
    std::string current;
    size_t pos = 0;
    while (pos < line.size()) {
      size_t end = line.find(' ', pos);
      if (end == std::string_view::npos) end = line.size();
      std::string_view word = line.substr(pos, end - pos);
      std::string candidate = current.empty() ? std::string(word) : current + " " + std::string(word);
      if (!current.empty() && LineWidth(font, candidate) > maxWidth) {
        lines.push_back(current);
        current = std::string(word);
      } else {
        current = candidate;
      }
      pos = end + 1;
    }
    lines.push_back(current);
  }
  return lines;
}

int BlockWidth(const TFont& font, const std::vector<std::string>& lines) {
  int width = 0;
  for (const auto& line : lines) width = std::max(width, LineWidth(font, line));
  return width;
}

}  // namespace TbxText
