// UTF-8 decoding at the edges of each lead byte's range: the smallest and largest valid
// sequences of every length decode, and the overlong forms and surrogates just outside do not.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

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

}  // namespace
