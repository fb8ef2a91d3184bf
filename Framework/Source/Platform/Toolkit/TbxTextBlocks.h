// Text as the controls lay it out: line heights, widths, and the lines a control shows for its
// wrapping, in whole pixels for one font, all from the toolkit's text metrics, so that every
// control agrees with what is drawn.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "TbxGraphics.h"
#include "TbxTextObjects.h"

namespace TbxText {

int LineHeight(const TFont& font);
int LineWidth(const TFont& font, std::string_view line);
/// The lines of text as a control with wrapping shows them within maxWidth: twWrap breaks at
/// spaces (a word wider than maxWidth between characters), the ellipses shorten a line that does
/// not fit, twNone leaves it as it is. Line breaks in the text always start a new line; without a
/// limit (KNoWidthLimit) nothing is wrapped or shortened.
std::vector<std::string> Lines(const TFont& font, std::string_view text, TTextWrapping wrapping, int maxWidth);
/// The widest of the lines.
int BlockWidth(const TFont& font, const std::vector<std::string>& lines);

/// The width of a text laid out as Lines lays it out, its number of lines and the height of one.
struct TBlockExtent {
  int Width = 0;
  std::size_t LineCount = 0;
  int LineHeight = 0;
};
TBlockExtent BlockExtent(const TFont& font, std::string_view text, TTextWrapping wrapping, int maxWidth);

}  // namespace TbxText
