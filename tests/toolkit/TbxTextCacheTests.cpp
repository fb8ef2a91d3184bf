#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "TbxTextCache.h"
#include "TbxTextTestFonts.h"

namespace {
const char* const KTexts[] = {"Open",
                              "Save as...",
                              "The quick brown fox jumps over the lazy dog",
                              "/usr/share/nuv/examples/showcase.xml",
                              "\u4F60\u597D, \u4E16\u754C",
                              "a\377b",
                              ""};

// Every operation on every text at a few widths, as one string to compare.
std::string Everything(TTextMetrics& metrics, const TFont& font) {
  std::string all;
  for (const char* text : KTexts) {
    all += std::to_string(metrics.TextWidth(font, text)) + '|';
    for (int width : {0, 30, 120}) {
      for (const std::string& line : metrics.WrapText(font, text, width)) all += line + '/';
      all += metrics.EndEllipsis(font, text, width) + '|' + metrics.PathEllipsis(font, text, width) + '|';
    }
  }
  return all;
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// Cache

TEST(TextMetricsCache, CachedResultsAreThoseMeasuredWithoutTheCache) {
  TTextMetrics cached, uncached({.CacheBytes = 0});
  const TTestFont regular("Tahoma", 8), boldItalic("Tahoma", 11, {fsBold, fsItalic});
  for (const TFont* font : {&regular, &boldItalic}) {
    const std::string first = Everything(cached, *font);
    EXPECT_EQ(first, Everything(uncached, *font));
    EXPECT_EQ(first, Everything(cached, *font));  // now from the cache
  }
  EXPECT_GT(cached.CachedEntries(), 0u);
  EXPECT_EQ(uncached.CachedEntries(), 0u);
}

TEST(TextMetricsCache, RepeatedMeasurementsHitTheCacheAndNewOnesAddToIt) {
  TTextMetrics metrics;
  const TTestFont font("Tahoma", 8);
  metrics.TextWidth(font, "Open");
  metrics.WrapText(font, "Open", 10);
  EXPECT_EQ(metrics.CachedEntries(), 2u);
  metrics.TextWidth(font, "Open");
  metrics.WrapText(font, "Open", 10);
  EXPECT_EQ(metrics.CachedEntries(), 2u);
  metrics.WrapText(font, "Open", 11);                                // another width, another entry
  metrics.TextWidth(TTestFont("Tahoma", 8, {fsUnderline}), "Open");  // underline changes no shape: same entry
  EXPECT_EQ(metrics.CachedEntries(), 3u);
  metrics.TextWidth(TTestFont("Tahoma", 9), "Open");
  EXPECT_EQ(metrics.CachedEntries(), 4u);
}

TEST(TextMetricsCache, TheCacheKeepsToItsBoundsDroppingTheLeastRecentlyUsed) {
  TTextMetrics metrics({.CacheBytes = 1 << 20, .CacheEntries = 3});
  const TTestFont font("Tahoma", 8);
  for (const char* text : {"one", "two", "three"}) metrics.TextWidth(font, text);
  metrics.TextWidth(font, "one");  // "two" is now the oldest
  metrics.TextWidth(font, "four");
  EXPECT_EQ(metrics.CachedEntries(), 3u);
  metrics.TextWidth(font, "one");
  metrics.TextWidth(font, "three");
  EXPECT_EQ(metrics.CachedEntries(), 3u);  // both still there
  metrics.TextWidth(font, "two");          // measured again, evicting "four"
  EXPECT_EQ(metrics.CachedEntries(), 3u);

  TTextMetrics small({.CacheBytes = 4096});
  small.TextWidth(font, std::string(2000, 'x'));  // more than a quarter of the cache: not kept
  EXPECT_EQ(small.CachedEntries(), 0u);
  for (int i = 0; i < 100; ++i) small.TextWidth(font, std::string(500, 'a' + i % 26) + std::to_string(i));
  EXPECT_LE(small.CachedBytes(), 4096u);
  EXPECT_GT(small.CachedEntries(), 0u);
}

TEST(TextMetricsCache, AHugeCaptionIsCachedWithinTheDefaultBound) {
  TTextMetrics metrics;
  const std::string caption(2'000'000, 'x');
  const int width = metrics.TextWidth(TTestFont("Tahoma", 8), caption);
  EXPECT_EQ(metrics.CachedEntries(), 1u);
  EXPECT_LE(metrics.CachedBytes(), TTextMetricsOptions().CacheBytes / 4);
  EXPECT_EQ(metrics.TextWidth(TTestFont("Tahoma", 8), caption), width);
}

// An entry of a quarter of the cache is kept, a larger one not; the oldest goes first once the
// cache holds its most entries, and is not found any more.
TEST(TTextCache, KeepsUpToAQuarterAndItsMostEntriesForgettingTheOldest) {
  const auto key = [](std::string_view text) { return TTextKey{1, TTextOperation::Width, 0, text}; };
  const std::size_t entry = 160 + 4;  // what an entry costs besides its text, and a text of four bytes
  TTextCache quarter(4 * entry, 8);
  quarter.Add(key("abcd"), 10);
  EXPECT_EQ(quarter.Entries(), 1u);
  TTextCache small(4 * entry - 1, 8);
  small.Add(key("abcd"), 10);
  EXPECT_EQ(small.Entries(), 0u);
  for (const char* text : {"bcde", "cdef", "defg"}) quarter.Add(key(text), 10);
  EXPECT_EQ(quarter.Entries(), 4u) << "filled to exactly its budget, it keeps them all";

  TTextCache two(1 << 20, 2);
  two.Add(key("one"), 1);
  two.Add(key("two"), 2);
  two.Add(key("six"), 6);
  EXPECT_EQ(two.Entries(), 2u);
  EXPECT_EQ(two.Find(key("one")), nullptr);
  ASSERT_NE(two.Find(key("two")), nullptr);
  EXPECT_EQ(std::get<int>(*two.Find(key("six"))), 6);
}

// ---------------------------------------------------------------------------------------------
// Built-in metrics

TEST(TextMetricsBuiltIn, WithoutFontsEveryCharacterIsNineSixteenthsOfAnEm) {
  TTextMetrics metrics({.BuiltInOnly = true});
  EXPECT_TRUE(metrics.UsesBuiltInMetrics());
  const TTestFont font("Tahoma", 8);
  const TResolvedFont& resolved = metrics.Resolve(font);
  EXPECT_TRUE(resolved.BuiltIn);
  EXPECT_EQ(resolved.FileName, "");
  EXPECT_EQ(resolved.PixelSize, 11);
  EXPECT_EQ(resolved.Ascent + resolved.Descent, resolved.LineHeight);
  EXPECT_EQ(metrics.TextWidth(font, "abc"), 19);              // 3 x 6.19, rounded up once
  EXPECT_EQ(metrics.TextWidth(font, "\u00E9t\u00E9"), 19);    // characters, not bytes
  EXPECT_EQ(metrics.TextWidth(font, "e\u0301te\u0301"), 19);  // a mark goes with its letter
  // The combining diacritical marks are U+0300 to U+036F; their neighbours are characters.
  EXPECT_EQ(metrics.TextWidth(font, "a\u0300b\u036F"), 13);
  EXPECT_EQ(metrics.TextWidth(font, "a\u02FFb\u0370"), 25);
  EXPECT_EQ(metrics.Ellipsis(font), "...");
  EXPECT_EQ(metrics.EndEllipsis(font, "abcdefgh", 40), "abc...");  // 6 x 6.19 = 37.1
  EXPECT_EQ(metrics.WrapText(font, "ab cd ef", 40), (std::vector<std::string>{"ab cd", "ef"}));
}

// At 16 pixels every built-in character is 9 pixels wide exactly: a start that ends exactly at
// the width left for it still fits.
TEST(TextMetricsBuiltIn, AStartThatEndsExactlyAtTheWidthFits) {
  TTextMetrics metrics({.BuiltInOnly = true});
  const TTestFont font("Tahoma", 12);
  ASSERT_EQ(metrics.TextWidth(font, "abc"), 27);
  EXPECT_EQ(metrics.EndEllipsis(font, "abcdefgh", 54), "abc...");
  EXPECT_EQ(metrics.EndEllipsis(font, "abcdefgh", 53), "ab...");
  EXPECT_EQ(metrics.EndEllipsis(font, "abcdefgh", 27), "...") << "a text that reaches the width and goes on";
  // Wrapping: a word that ends exactly at the width stays on its line, a word too long for any
  // line breaks where a piece ends exactly there, and a line of spaces is one empty line.
  EXPECT_EQ(metrics.WrapText(font, "abc def", 27), (std::vector<std::string>{"abc", "def"}));
  EXPECT_EQ(metrics.WrapText(font, "ab cd", 45), (std::vector<std::string>{"ab cd"}));
  EXPECT_EQ(metrics.WrapText(font, "abcdefgh", 27), (std::vector<std::string>{"abc", "def", "gh"}));
  EXPECT_EQ(metrics.WrapText(font, "   ", 50), (std::vector<std::string>{""}));
}

TEST(TextMetricsBuiltIn, SwitchingToBuiltInMetricsAndBackDropsWhatWasMeasured) {
  TTextMetrics metrics;
  const TTestFont font("Tahoma", 8);
  const std::string fontFile = metrics.Resolve(font).FileName;
  const int width = metrics.TextWidth(font, "Hello world");
  metrics.SetBuiltInOnly(true);
  EXPECT_EQ(metrics.CachedEntries(), 0u);
  EXPECT_TRUE(metrics.UsesBuiltInMetrics());
  EXPECT_TRUE(metrics.Resolve(font).BuiltIn);
  EXPECT_EQ(metrics.TextWidth(font, "Hello world"), 69);  // 11 x 6.19
  metrics.SetBuiltInOnly(false);
  EXPECT_EQ(metrics.Resolve(font).FileName, fontFile);
  EXPECT_EQ(metrics.TextWidth(font, "Hello world"), width);
}

TEST(TextMetricsBuiltIn, AMachineWithoutFontsFallsBackToBuiltInMetrics) {
  // A fontconfig configuration that names no font directory: what a machine without fonts has.
  const auto file = std::filesystem::temp_directory_path() / ("nuv-no-fonts-" + std::to_string(getpid()) + ".conf");
  std::ofstream(file) << "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n";
  const char* previous = getenv("FONTCONFIG_FILE");
  const std::string saved = previous ? previous : "";
  setenv("FONTCONFIG_FILE", file.c_str(), 1);
  TTextMetrics metrics;
  const bool builtIn = metrics.UsesBuiltInMetrics();
  previous ? setenv("FONTCONFIG_FILE", saved.c_str(), 1) : unsetenv("FONTCONFIG_FILE");
  std::filesystem::remove(file);
  EXPECT_TRUE(builtIn);
  EXPECT_TRUE(metrics.Resolve(TTestFont("Tahoma", 8)).BuiltIn);
  EXPECT_EQ(metrics.TextWidth(TTestFont("Tahoma", 8), "abc"), 19);
}

TEST(TextMetricsBuiltIn, TheToolkitsEngineIsOneAndFindsFontsHere) {
  EXPECT_EQ(&TextMetrics(), &TextMetrics());
  if (TextMetrics().UsesBuiltInMetrics()) GTEST_SKIP() << "fontconfig finds no font on this machine";
  EXPECT_FALSE(TextMetrics().Resolve(TTestFont("Tahoma", 8)).FileName.empty());
}
