// Line widths, wrapping and ellipses over a shaper. Texts here are clean (CleanLine) except
// where said.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "TbxTextShaper.h"

// The advance of a line in 1/64 pixel; shaping stops once it passes KMaxTextExtent.
std::int64_t LineAdvance(TTextShaper& shaper, std::string_view text);
// Whole pixels: rounded up, so that the drawn line never passes its box, and clamped to
// 0..KMaxTextExtent.
int WholePixels(std::int64_t advance);

// Takes any text: paragraphs split at line breaks, each cleaned and wrapped.
std::vector<std::string> WrapLines(TTextShaper& shaper, std::string_view text, int maxWidth);
std::string EndEllipsisOf(TTextShaper& shaper, std::string_view text, int maxWidth, std::string_view ellipsis);
std::string PathEllipsisOf(TTextShaper& shaper, std::string_view text, int maxWidth, std::string_view ellipsis);
