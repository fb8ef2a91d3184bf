// Pixel figures of laid-out windows hold for the font they were measured with: DejaVu Sans, what
// fontconfig gives for the toolkit's default font on a bare Debian. Tests that assert them skip
// elsewhere.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "TbxGraphics.h"
#include "TbxTextMetrics.h"

inline const std::string KPinnedFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// Skips the test unless the toolkit's default font resolves to the pinned file.
#define SKIP_UNLESS_DEFAULT_FONT_IS_PINNED()                                                           \
  do {                                                                                                 \
    const TFont defaultFont;                                                                           \
    const std::string resolvedFile = TextMetrics().Resolve(defaultFont).FileName;                      \
    if (resolvedFile != KPinnedFontFile)                                                               \
      GTEST_SKIP() << "pixel figures are for " << KPinnedFontFile << "; the default font resolves to " \
                   << (resolvedFile.empty() ? std::string("built-in metrics") : resolvedFile);         \
  } while (false)
