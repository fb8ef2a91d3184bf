#include "TbxTextBlocks.h"

#include <algorithm>

#include "TbxGeometry.h"
#include "TbxTextMetrics.h"

namespace TbxText {

namespace {
// Paragraphs at LF, CR LF and CR, as the wrapping of the metrics breaks them.
std::vector<std::string_view> Paragraphs(std::string_view text) {
  std::vector<std::string_view> paragraphs;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n' && text[i] != '\r') continue;
    paragraphs.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  paragraphs.push_back(text.substr(start));
  return paragraphs;
}
}  // namespace

int LineHeight(const TFont& font) { return TextMetrics().Resolve(font).LineHeight; }

int LineWidth(const TFont& font, std::string_view line) { return ClampPixels(TextMetrics().TextWidth(font, line)); }

std::vector<std::string> Lines(const TFont& font, std::string_view text, TTextWrapping wrapping, int maxWidth) {
  TTextMetrics& metrics = TextMetrics();
  const bool limited = maxWidth != KNoWidthLimit;
  if (wrapping == twWrap && limited) return metrics.WrapText(font, text, std::max(0, maxWidth));
  std::vector<std::string> lines;
  for (std::string_view paragraph : Paragraphs(text)) {
    if (!limited || wrapping == twNone || wrapping == twWrap)
      lines.emplace_back(paragraph);
    else if (wrapping == twPathEllipsis)
      lines.push_back(metrics.PathEllipsis(font, paragraph, maxWidth));
    else
      lines.push_back(metrics.EndEllipsis(font, paragraph, maxWidth));
  }
  return lines;
}

int BlockWidth(const TFont& font, const std::vector<std::string>& lines) {
  int width = 0;
  for (const auto& line : lines) width = std::max(width, LineWidth(font, line));
  return width;
}

// A single line that nothing wraps or cuts is measured as it stands, without a list of lines: a
// caption that a data key changes is measured again at every write.
TBlockExtent BlockExtent(const TFont& font, std::string_view text, TTextWrapping wrapping, int maxWidth) {
  const bool asItStands = maxWidth == KNoWidthLimit || wrapping == twNone;
  const bool oneLine = std::none_of(text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; });
  if (asItStands && oneLine) {
    const TTextSize size = TextMetrics().TextSize(font, text);
    return {ClampPixels(size.Width), 1, size.Height};
  }
  const auto lines = Lines(font, text, wrapping, maxWidth);
  return {BlockWidth(font, lines), lines.size(), LineHeight(font)};
}

}  // namespace TbxText
