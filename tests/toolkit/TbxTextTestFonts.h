// Fonts for the text metrics tests. Pixel figures hold for one font file only: the tests that
// assert them skip on a machine where the font resolves to another file.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
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

// A font file's bytes, to copy with a table changed.
inline std::string ReadFontFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Big-endian 16-bit fields, as font tables hold them.
inline int ReadInt16(const std::string& data, std::size_t at) {
  return static_cast<std::int16_t>((static_cast<unsigned char>(data[at]) << 8) |
                                   static_cast<unsigned char>(data[at + 1]));
}

inline void WriteInt16(std::string& data, std::size_t at, int value) {
  data[at] = static_cast<char>((value >> 8) & 0xFF);
  data[at + 1] = static_cast<char>(value & 0xFF);
}

// Where the OS/2 table's entry stands in the table directory; 0 when the file has none.
inline std::size_t Os2Entry(const std::string& data) {
  const int tables = ReadInt16(data, 4);
  for (int i = 0; i < tables; ++i)
    if (data.compare(12 + 16 * static_cast<std::size_t>(i), 4, "OS/2") == 0)
      return 12 + 16 * static_cast<std::size_t>(i);
  return 0;
}

// Where the OS/2 table itself starts (the file must have one).
inline std::size_t Os2Table(const std::string& data) {
  const std::size_t entry = Os2Entry(data);
  return (static_cast<std::size_t>(static_cast<unsigned char>(data[entry + 8])) << 24) |
         (static_cast<std::size_t>(static_cast<unsigned char>(data[entry + 9])) << 16) |
         (static_cast<std::size_t>(static_cast<unsigned char>(data[entry + 10])) << 8) |
         static_cast<unsigned char>(data[entry + 11]);
}
