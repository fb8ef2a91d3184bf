// Fonts for the text metrics tests. Pixel figures hold for one font file only: the tests that
// assert them skip on a machine where the font resolves to another file.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "TbxTextMetrics.h"

inline const std::string KDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// A font made in one expression (fonts cannot be copied).
class TTestFont : public TFont {
 public:
  TTestFont(const std::string& name, int size, TFontStyles style = {}) {
    SetName(name);
    SetSize(size);
    SetStyle(style);
  }
};

// Skips the test unless font resolves to file.
#define SKIP_UNLESS_RESOLVED_TO(metrics, font, file)                                                        \
  do {                                                                                                      \
    const std::string resolvedFile = (metrics).Resolve(font).FileName;                                      \
    if (resolvedFile != (file))                                                                             \
      GTEST_SKIP() << "pixel figures are for " << (file) << "; \"" << (font).GetName() << "\" resolves to " \
                   << (resolvedFile.empty() ? std::string("built-in metrics") : resolvedFile);              \
  } while (false)

// The same text measured through the engine: what any font must satisfy.
inline bool FitsIn(TTextMetrics& metrics, const TFont& font, const std::string& text, int maxWidth) {
  return metrics.TextWidth(font, text) <= maxWidth;
}
