// UTF-8 decoding at the edges of each lead byte's range: the smallest and largest valid
// sequences of every length decode, and the overlong forms and surrogates just outside do not.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "TbxUtf8.h"

namespace {

struct TDecoded {
  char32_t Code;
  int Length;
  bool Valid;
  friend bool operator==(const TDecoded&, const TDecoded&) = default;
};

TDecoded Decode(const std::string& bytes) {
  const TUtf8Char c = DecodeUtf8(bytes, 0);
  return {c.Code, c.Length, c.Valid};
}

void PrintTo(const TDecoded& d, std::ostream* os) {
  *os << "U+" << std::hex << static_cast<unsigned>(d.Code) << std::dec << " in " << d.Length
      << (d.Valid ? "" : " (invalid)");
}

TEST(TbxUtf8, TheEdgesOfEveryLeadBytesRangeDecode) {
  EXPECT_EQ(Decode("\xC2\x80"), (TDecoded{0x80, 2, true}));
  EXPECT_EQ(Decode("\xDF\xBF"), (TDecoded{0x7FF, 2, true}));
  EXPECT_EQ(Decode("\xE0\xA0\x80"), (TDecoded{0x800, 3, true}));
  EXPECT_EQ(Decode("\xE1\x80\x80"), (TDecoded{0x1000, 3, true}));
  EXPECT_EQ(Decode("\xEF\xBF\xBF"), (TDecoded{0xFFFF, 3, true}));
  EXPECT_EQ(Decode("\xF0\x90\x80\x80"), (TDecoded{0x10000, 4, true}));
  EXPECT_EQ(Decode("\xF1\x80\x80\x80"), (TDecoded{0x40000, 4, true}));
  EXPECT_EQ(Decode("\xF3\xBF\xBF\xBF"), (TDecoded{0xFFFFF, 4, true}));
  EXPECT_EQ(Decode("\xF4\x8F\xBF\xBF"), (TDecoded{0x10FFFF, 4, true}));
}

TEST(TbxUtf8, OverlongFormsSurrogatesAndWhatLiesBeyondAreReplaced) {
  for (const char* bad :
       {"\xC1\xBF", "\xE0\x9F\xBF", "\xED\xA0\x80", "\xF0\x8F\xBF\xBF", "\xF4\x90\x80\x80", "\xF5\x80"}) {
    const TDecoded d = Decode(bad);
    EXPECT_FALSE(d.Valid) << testing::PrintToString(std::string(bad));
    EXPECT_EQ(d.Code, KReplacementChar);
  }
}

// A sequence cut short by the end of the text is replaced, also when more bytes follow the text
// in the string it lies in.
TEST(TbxUtf8, ASequenceCutShortByTheEndOfTheTextIsReplaced) {
  const std::string whole = "\xE1\x80\x80";
  const TUtf8Char cut = DecodeUtf8(std::string_view(whole).substr(0, 2), 0);
  EXPECT_FALSE(cut.Valid);
  EXPECT_EQ(cut.Length, 2);
  EXPECT_EQ(Decode("\xC2"), (TDecoded{KReplacementChar, 1, false}));
}

// Encoding picks the shortest form at each boundary, and decoding gives the code back.
TEST(TbxUtf8, EveryCodeIsWrittenInItsShortestFormAndReadBack) {
  const std::pair<char32_t, std::string> codes[] = {
      {0x7F, "\x7F"},          {0x80, "\xC2\x80"},       {0x7FF, "\xDF\xBF"},
      {0x800, "\xE0\xA0\x80"}, {0xFFFF, "\xEF\xBF\xBF"}, {0x10000, "\xF0\x90\x80\x80"},
  };
  for (const auto& [code, bytes] : codes) {
    std::string written;
    AppendUtf8(written, code);
    EXPECT_EQ(written, bytes) << static_cast<unsigned>(code);
    EXPECT_EQ(DecodeUtf8(written, 0).Code, code);
  }
}

// Control characters, C0 and C1 and DEL, become spaces in a line to measure; their neighbours stay.
TEST(TbxUtf8, ControlCharactersAreSpacesInALineToMeasure) {
  std::string storage;
  EXPECT_EQ(CleanLine("a\x1F b~", storage), "a  b~");
  EXPECT_EQ(CleanLine("a\x7F\xC2\x80\xC2\x9F\xC2\xA0", storage), "a   \xC2\xA0");
  EXPECT_EQ(CleanLine("\xC2\xA0~", storage), "\xC2\xA0~");
}

// Paragraphs end at LF, CR LF and CR alike; empty ones stay, and a text that ends with a line end
// has an empty last one.
TEST(TbxUtf8, ParagraphsEndAtEveryKindOfLineEnd) {
  EXPECT_EQ(SplitParagraphs("a\n\nb\r\n\r\nc\r"), (std::vector<std::string_view>{"a", "", "b", "", "c", ""}));
  EXPECT_EQ(SplitParagraphs(""), (std::vector<std::string_view>{""}));
}

}  // namespace
