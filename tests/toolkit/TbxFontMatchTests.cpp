// Fonts found through fontconfig: the best match first, then the next ones, each face once and no
// more than asked for; a face's own weight and slant; a machine with or without fonts.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "TbxFontMatch.h"
#include "TbxTextTestFonts.h"

namespace {

// A fontconfig configuration that knows the fonts of one directory only, for the matchers made
// while it lives.
class TFontDirectory {
 public:
  TFontDirectory() {
    std::filesystem::create_directories(FDir);
    std::ofstream(FConfig) << "<?xml version=\"1.0\"?>\n<fontconfig><dir>" << FDir.string() << "</dir><cachedir>"
                           << (FDir / "cache").string() << "</cachedir></fontconfig>\n";
    const char* previous = getenv("FONTCONFIG_FILE");
    FPrevious = previous ? std::optional<std::string>(previous) : std::nullopt;
    setenv("FONTCONFIG_FILE", FConfig.c_str(), 1);
  }
  ~TFontDirectory() {
    FPrevious ? setenv("FONTCONFIG_FILE", FPrevious->c_str(), 1) : unsetenv("FONTCONFIG_FILE");
    std::filesystem::remove_all(FDir);
    std::filesystem::remove(FConfig);
  }
  TFontDirectory(const TFontDirectory&) = delete;
  TFontDirectory& operator=(const TFontDirectory&) = delete;

  void Remove(const std::string& name) { std::filesystem::remove(FDir / name); }

  // DejaVu Sans with its OS/2 weight class set to weightClass, as name in the directory.
  void AddDejaVuSansWeighing(int weightClass, const std::string& name) {
    std::string data = ReadFontFile(KDejaVuSans);
    if (Os2Entry(data) != 0) WriteInt16(data, Os2Table(data) + 4, weightClass);
    std::ofstream(FDir / name, std::ios::binary) << data;
  }

 private:
  std::filesystem::path FDir = std::filesystem::temp_directory_path() / ("nuv-fonts-" + std::to_string(getpid()));
  std::filesystem::path FConfig = FDir.string() + ".conf";
  std::optional<std::string> FPrevious;
};

TEST(TFontMatcher, TheBestMatchComesFirstThenTheNextOnesEachFaceOnceUpToTheCountAskedFor) {
  TFontMatcher matcher;
  if (!matcher.HasFonts()) GTEST_SKIP() << "no fonts on this machine";
  const TFontRequest request{"DejaVu Sans Mono", 12, false, false};
  EXPECT_TRUE(matcher.Candidates(request, 0).empty());
  const auto best = matcher.Candidates(request, 1);
  ASSERT_EQ(best.size(), 1u);
  const std::size_t available = matcher.Candidates(request, 1000).size();
  const auto some = matcher.Candidates(request, 8);
  EXPECT_EQ(some.size(), std::min<std::size_t>(8, available));
  EXPECT_EQ(some.front().FileName, best.front().FileName);
  std::set<std::pair<std::string, int>> faces;
  for (const TFontCandidate& candidate : some) {
    EXPECT_FALSE(candidate.FileName.empty());
    EXPECT_TRUE(faces.insert({candidate.FileName, candidate.FaceIndex}).second) << candidate.FileName << " twice";
  }
  if (std::filesystem::exists("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf")) {
    EXPECT_EQ(best.front().Family, "DejaVu Sans Mono");
    EXPECT_FALSE(best.front().Bold || best.front().Italic);
  }
}

// A face that weighs DemiBold is bold of its own: a request for bold takes it without emboldening.
TEST(TFontMatcher, AFaceOfDemiBoldWeightIsBoldOfItsOwn) {
  if (!std::filesystem::exists(KDejaVuSans)) GTEST_SKIP() << KDejaVuSans << " is not installed";
  TFontDirectory directory;
  directory.AddDejaVuSansWeighing(600, "DejaVuSansDemiBold.ttf");
  TFontMatcher matcher;
  ASSERT_TRUE(matcher.HasFonts());
  const auto found = matcher.Candidates({"DejaVu Sans", 12, true, false}, 1);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_TRUE(found.front().Bold);
  EXPECT_FALSE(found.front().Italic);
}

// Two faces in the directory: the best match first, then the other, each once, and never more
// than asked for.
TEST(TFontMatcher, TheCandidatesAreTheFacesThereEachOnceUpToTheCount) {
  if (!std::filesystem::exists(KDejaVuSans)) GTEST_SKIP() << KDejaVuSans << " is not installed";
  TFontDirectory directory;
  directory.AddDejaVuSansWeighing(400, "Regular.ttf");
  directory.AddDejaVuSansWeighing(700, "Bold.ttf");
  TFontMatcher matcher;
  const TFontRequest bold{"DejaVu Sans", 12, true, false};
  const auto one = matcher.Candidates(bold, 1), both = matcher.Candidates(bold, 8);
  ASSERT_EQ(one.size(), 1u);
  ASSERT_EQ(both.size(), 2u);
  EXPECT_EQ(both[0].FileName, one[0].FileName);
  EXPECT_TRUE(both[0].FileName.ends_with("Bold.ttf"));
  EXPECT_TRUE(both[1].FileName.ends_with("Regular.ttf"));
  EXPECT_FALSE(both[1].Bold);
}

// A face that fontconfig lists but that no longer loads (its file went after the fonts were
// listed) is passed over: with no other, the metrics fall back to their own.
TEST(TFontMatcher, AListedFaceThatNoLongerLoadsIsPassedOver) {
  if (!std::filesystem::exists(KDejaVuSans)) GTEST_SKIP() << KDejaVuSans << " is not installed";
  TFontDirectory directory;
  directory.AddDejaVuSansWeighing(400, "Gone.ttf");
  TTextMetrics metrics;
  ASSERT_FALSE(metrics.UsesBuiltInMetrics());  // the fonts are listed now
  directory.Remove("Gone.ttf");
  const TTestFont font("DejaVu Sans", 12);
  EXPECT_TRUE(metrics.Resolve(font).BuiltIn);
  EXPECT_GT(metrics.TextWidth(font, "Hello"), 0);
}

TEST(TFontMatcher, ADirectoryWithoutFontsIsAMachineWithoutFonts) {
  TFontDirectory directory;
  TFontMatcher matcher;
  EXPECT_FALSE(matcher.HasFonts());
}

}  // namespace
