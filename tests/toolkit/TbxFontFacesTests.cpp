// A face's strike-out line: from its OS/2 table when the table gives one, else near half its
// x-height, for faces without the table or with an empty entry.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "TbxFontFaces.h"
#include "TbxTextTestFonts.h"

namespace {

constexpr int KPixels = 100;  // large enough that the underline is several pixels thick

constexpr std::size_t KStrikeoutSize = 26, KStrikeoutPosition = 28;  // in the OS/2 table

// A copy of DejaVu Sans changed by patch, opened at KPixels.
class TPatchedFace {
 public:
  explicit TPatchedFace(const std::function<void(std::string&)>& patch) {
    std::string data = ReadFontFile(KDejaVuSans);
    patch(data);
    std::ofstream(FPath, std::ios::binary) << data;
    FShaper = FFaces.Open(FPath, 0, KPixels, false, Font);
  }
  ~TPatchedFace() { std::filesystem::remove(FPath); }
  TPatchedFace(const TPatchedFace&) = delete;
  TPatchedFace& operator=(const TPatchedFace&) = delete;
  bool Opened() const { return FShaper != nullptr; }
  TResolvedFont Font;

 private:
  std::string FPath =
      (std::filesystem::temp_directory_path() / ("nuv-face-" + std::to_string(getpid()) + ".ttf")).string();
  TFontFaces FFaces;
  std::unique_ptr<TTextShaper> FShaper;
};

void ExpectTheStrikeOutNearHalfTheXHeight(const TResolvedFont& font) {
  EXPECT_EQ(font.StrikeOutThickness, font.UnderlineThickness);
  EXPECT_EQ(font.StrikeOutPosition, font.Ascent * 3 / 10 + font.StrikeOutThickness);
}

class TFontFacesStrikeOut : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(KDejaVuSans) || Os2Entry(ReadFontFile(KDejaVuSans)) == 0)
      GTEST_SKIP() << KDejaVuSans << " with an OS/2 table is not installed";
  }
};

TEST_F(TFontFacesStrikeOut, TheOs2TableGivesTheLineWhenItHasOne) {
  const std::string data = ReadFontFile(KDejaVuSans);
  const std::size_t os2 = Os2Table(data);
  const TPatchedFace face([](std::string&) {});
  ASSERT_TRUE(face.Opened());
  const auto pixels = [](int units) { return (units * KPixels * 2 + 2048) / (2 * 2048); };  // 2048 units per em
  EXPECT_EQ(face.Font.StrikeOutThickness, std::max(1, pixels(ReadInt16(data, os2 + KStrikeoutSize))));
  EXPECT_EQ(face.Font.StrikeOutPosition, pixels(ReadInt16(data, os2 + KStrikeoutPosition)));
  EXPECT_NE(face.Font.StrikeOutThickness, face.Font.UnderlineThickness);
}

TEST_F(TFontFacesStrikeOut, AFaceWithAnEmptyEntryOrNoTableStrikesOutNearHalfItsXHeight) {
  const TPatchedFace empty([](std::string& data) { WriteInt16(data, Os2Table(data) + KStrikeoutSize, 0); });
  ASSERT_TRUE(empty.Opened());
  ExpectTheStrikeOutNearHalfTheXHeight(empty.Font);
  const TPatchedFace none([](std::string& data) { data[Os2Entry(data)] = 'X'; });  // the table is not found
  ASSERT_TRUE(none.Opened());
  ExpectTheStrikeOutNearHalfTheXHeight(none.Font);
}

// A file that is no font opens nothing, also when asked again; a face names its family unless the
// match already did.
TEST_F(TFontFacesStrikeOut, AFileThatIsNoFontOpensNothingAndAFaceNamesItsFamilyOnlyWhenNoneIsGiven) {
  TFontFaces faces;
  TResolvedFont font;
  EXPECT_EQ(faces.Open("/nonexistent/face.ttf", 0, 12, false, font), nullptr);
  EXPECT_EQ(faces.Open("/nonexistent/face.ttf", 0, 12, false, font), nullptr);
  EXPECT_EQ(font.FileName, "");
  ASSERT_NE(faces.Open(KDejaVuSans, 0, 12, false, font), nullptr);
  EXPECT_EQ(font.Family, "DejaVu Sans");
  TResolvedFont matched;
  matched.Family = "Tahoma";
  ASSERT_NE(faces.Open(KDejaVuSans, 0, 12, false, matched), nullptr);
  EXPECT_EQ(matched.Family, "Tahoma");
}

}  // namespace
