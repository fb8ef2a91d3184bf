#include <gtest/gtest.h>

#include <random>

#include "TbxTextBlocks.h"
#include "TbxTextTestFonts.h"

namespace {
std::string Joined(const std::vector<std::string>& lines, const std::string& separator) {
  std::string text;
  for (const std::string& line : lines) text += (text.empty() ? "" : separator) + line;
  return text;
}

const std::string KSentence = "The quick brown fox jumps over the lazy dog and keeps running far away";
}  // namespace

// ---------------------------------------------------------------------------------------------
// Wrapping

TEST(TextMetricsWrap, NarrowerWidthsGiveMoreLinesThatEachFit) {
  TTextMetrics metrics;
  const TTestFont font("Tahoma", 8);
  const int full = metrics.TextWidth(font, KSentence);
  std::size_t previous = 0;
  for (int width : {full, full / 2, full / 4, full / 8}) {
    SCOPED_TRACE(width);
    const auto lines = metrics.WrapText(font, KSentence, width);
    EXPECT_GE(lines.size(), previous);
    previous = lines.size();
    for (const std::string& line : lines) EXPECT_TRUE(FitsIn(metrics, font, line, width)) << line;
    // Broken at spaces only: the words come back in order, the break spaces on neither line.
    EXPECT_EQ(Joined(lines, " "), KSentence);
  }
  EXPECT_EQ(metrics.WrapText(font, KSentence, full).size(), 1u);
  EXPECT_GT(previous, 2u);
}

TEST(TextMetricsWrap, AWordWiderThanTheLineIsBrokenBetweenCharacters) {
  TTextMetrics metrics;
  const TTestFont font("Tahoma", 8);
  const std::string word = "Supercalifragilisticexpialidocious";
  const int width = metrics.TextWidth(font, word) / 3;
  const auto lines = metrics.WrapText(font, "go " + word + " now", width);
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines.front(), "go");
  // The word's pieces in order, the last one followed by what fits after it.
  EXPECT_EQ(Joined(lines, ""), "go" + word + " now");
  EXPECT_TRUE(word.starts_with(lines[1]));
  for (const std::string& line : lines) EXPECT_TRUE(FitsIn(metrics, font, line, width)) << line;
}

TEST(TextMetricsWrap, EveryLineHoldsACharacterEvenWhenNoneFits) {
  TTextMetrics metrics;
  const auto lines = metrics.WrapText(TTestFont("Tahoma", 8), "ab\u00E9\u4F60", 0);
  EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "\u00E9", "\u4F60"}));
  // A letter with a combining accent is one character: it is never split.
  EXPECT_EQ(metrics.WrapText(TTestFont("Tahoma", 8), "e\u0301e", 1), (std::vector<std::string>{"e\u0301", "e"}));
}

TEST(TextMetricsWrap, LineBreaksStartNewLinesAndEmptyTextIsOneEmptyLine) {
  TTextMetrics metrics;
  const TTestFont font("Tahoma", 8);
  EXPECT_EQ(metrics.WrapText(font, "one\ntwo\r\nthree\rfour\n", 1000),
            (std::vector<std::string>{"one", "two", "three", "four", ""}));
  EXPECT_EQ(metrics.WrapText(font, "", 100), (std::vector<std::string>{""}));
  EXPECT_EQ(metrics.WrapText(font, "   ", 100), (std::vector<std::string>{""}));
  EXPECT_EQ(metrics.WrapText(font, "  indented", 1000), (std::vector<std::string>{"  indented"}));
  EXPECT_EQ(metrics.WrapText(font, "tab\there", 1000), (std::vector<std::string>{"tab here"}));
}

TEST(TextMetricsWrap, InvalidBytesComeBackAsReplacementCharacters) {
  TTextMetrics metrics;
  EXPECT_EQ(metrics.WrapText(TTestFont("Tahoma", 8), "a\xFF b\xC3", 1000),
            (std::vector<std::string>{"a\uFFFD b\uFFFD"}));
}

TEST(TextMetricsWrap, ALongTextWrapsIntoManyFittingLines) {
  TTextMetrics metrics;
  const TTestFont font("Tahoma", 8);
  std::string text;
  for (int i = 0; i < 20'000; ++i) text += "caption" + std::to_string(i) + (i % 50 == 49 ? "\n" : " ");
  const auto lines = metrics.WrapText(font, text, 200);
  EXPECT_GT(lines.size(), 2000u);
  for (std::size_t i = 0; i < lines.size(); i += 97) EXPECT_TRUE(FitsIn(metrics, font, lines[i], 200)) << lines[i];
}

TEST(TextMetricsWrap, AWordOfHundredsOfThousandsOfCharactersIsReadALineAtATime) {
  TTextMetrics metrics;
  const TTestFont font("Tahoma", 8);
  const std::string word(300'000, 'x');
  const auto lines = metrics.WrapText(font, word, 100);
  ASSERT_GT(lines.size(), 10'000u);
  EXPECT_EQ(Joined(lines, ""), word);
  EXPECT_TRUE(FitsIn(metrics, font, lines.front(), 100));
  EXPECT_FALSE(FitsIn(metrics, font, lines.front() + "x", 100));
  EXPECT_EQ(lines[lines.size() / 2], lines.front());
}

// ---------------------------------------------------------------------------------------------
// Ellipses

TEST(TextMetricsEllipsis, EndEllipsisKeepsTheLongestStartThatFits) {
  TTextMetrics metrics;
  const TTestFont font("Tahoma", 8);
  const std::string ellipsis = metrics.Ellipsis(font);
  for (int width : {150, 80, 40, 20}) {
    SCOPED_TRACE(width);
    const std::string shown = metrics.EndEllipsis(font, KSentence, width);
    ASSERT_TRUE(shown.ends_with(ellipsis));
    const std::string start = shown.substr(0, shown.size() - ellipsis.size());
    EXPECT_TRUE(KSentence.starts_with(start));
    EXPECT_FALSE(start.ends_with(' '));
    EXPECT_TRUE(FitsIn(metrics, font, shown, width));
    // One more character would not have fitted.
    const std::string longer = KSentence.substr(0, KSentence.find_first_not_of(' ', start.size()) + 1) + ellipsis;
    EXPECT_FALSE(FitsIn(metrics, font, longer, width)) << longer;
  }
}

TEST(TextMetricsEllipsis, TextThatFitsIsUnchangedAndNoRoomGivesNothing) {
  TTextMetrics metrics;
  const TTestFont font("Tahoma", 8);
  EXPECT_EQ(metrics.EndEllipsis(font, "Ready", 1000), "Ready");
  EXPECT_EQ(metrics.PathEllipsis(font, "/usr/bin/ls", 1000), "/usr/bin/ls");
  EXPECT_EQ(metrics.EndEllipsis(font, "", 0), "");
  EXPECT_EQ(metrics.EndEllipsis(font, "Ready", 1), "");
  const int ellipsisWidth = metrics.TextWidth(font, metrics.Ellipsis(font));
  EXPECT_EQ(metrics.EndEllipsis(font, "WWWWWW", ellipsisWidth), metrics.Ellipsis(font));
}

TEST(TextMetricsEllipsis, PathEllipsisKeepsTheFileName) {
  TTextMetrics metrics;
  const TTestFont font("Tahoma", 8);
  const std::string ellipsis = metrics.Ellipsis(font);
  const std::string path = "/home/user/projects/workbench/examples/showcase.xml";
  const int width = metrics.TextWidth(font, path) * 2 / 3;
  const std::string shown = metrics.PathEllipsis(font, path, width);
  EXPECT_TRUE(shown.ends_with(ellipsis + "/showcase.xml")) << shown;
  EXPECT_TRUE(path.starts_with(shown.substr(0, shown.find(ellipsis)))) << shown;
  EXPECT_TRUE(FitsIn(metrics, font, shown, width));
  const std::string windows = metrics.PathEllipsis(font, "C:\\Program Files\\NUV\\Workbench.exe", 100);
  EXPECT_TRUE(windows.ends_with(ellipsis + "\\Workbench.exe")) << windows;
}

TEST(TextMetricsEllipsis, PathEllipsisOfAFileNameTooLongEndsInAnEllipsisToo) {
  TTextMetrics metrics;
  const TTestFont font("Tahoma", 8);
  const std::string ellipsis = metrics.Ellipsis(font);
  const std::string shown = metrics.PathEllipsis(font, "/tmp/a-very-long-file-name-indeed.txt", 60);
  EXPECT_TRUE(shown.starts_with(ellipsis + "/a-")) << shown;
  EXPECT_TRUE(shown.ends_with(ellipsis)) << shown;
  EXPECT_TRUE(FitsIn(metrics, font, shown, 60));
  // Without a separator it is the end ellipsis.
  EXPECT_EQ(metrics.PathEllipsis(font, KSentence, 80), metrics.EndEllipsis(font, KSentence, 80));
}

TEST(TextMetricsEllipsis, AKernedPairCutApartStillFitsAtEveryWidth) {
  // In "AV" the A is drawn narrower than alone; cut after it, it takes its full width again, so
  // the estimate from the whole text's advances must be measured again before it is taken.
  TTextMetrics metrics;
  const TTestFont font("Tahoma", 8);
  const std::string text = "AVAVAVAVAV To/AVAVAV/Ty.AV";
  const int full = metrics.TextWidth(font, text);
  for (int width = 1; width < full; ++width) {
    SCOPED_TRACE(width);
    EXPECT_TRUE(FitsIn(metrics, font, metrics.EndEllipsis(font, text, width), width));
    EXPECT_TRUE(FitsIn(metrics, font, metrics.PathEllipsis(font, text, width), width));
  }
}

TEST(TextMetricsEllipsis, TheEllipsisIsOneCharacterWhenTheFontHasIt) {
  TTextMetrics metrics;
  const TTestFont tahoma("Tahoma", 8);
  SKIP_UNLESS_RESOLVED_TO(metrics, tahoma, KDejaVuSans);
  EXPECT_EQ(metrics.Ellipsis(tahoma), "\u2026");
  EXPECT_EQ(metrics.EndEllipsis(tahoma, "Hello world", 40), "Hello\u2026");  // 28 + 9 pixels
}

// ---------------------------------------------------------------------------------------------
// Any bytes

TEST(TextMetricsAnyBytes, RandomTextsKeepEveryRuleAndComeBackClean) {
  TTextMetrics metrics;
  const TTestFont font("Tahoma", 8);
  // Words, spaces, separators, line breaks, a combining accent, CJK and bytes that are no UTF-8.
  const std::string pieces[] = {"a",
                                "W",
                                "ij",
                                " ",
                                "  ",
                                "/",
                                "\\",
                                "\n",
                                "\r",
                                "\t",
                                "e\u0301",
                                "\u4F60",
                                "\xFF",
                                "\xC3",
                                "\xE4\xBD",
                                "\xED\xA0\x80",
                                "\xF0\x9F\x98\x80",
                                "\u2026"};
  std::mt19937 random(20260101);
  for (int round = 0; round < 300; ++round) {
    std::string text;
    for (int i = static_cast<int>(random() % 30); i > 0; --i) text += pieces[random() % std::size(pieces)];
    const int width = 30 + static_cast<int>(random() % 100);  // wider than any one character
    SCOPED_TRACE(testing::PrintToString(text) + " in " + std::to_string(width));
    EXPECT_GE(metrics.TextWidth(font, text), 0);
    for (const std::string& line : metrics.WrapText(font, text, width)) {
      EXPECT_TRUE(FitsIn(metrics, font, line, width)) << line;
      // Clean: a line wraps to itself and nothing in it is replaced again.
      EXPECT_EQ(metrics.WrapText(font, line, KMaxTextExtent), std::vector<std::string>{line});
    }
    for (const std::string& shown : {metrics.EndEllipsis(font, text, width), metrics.PathEllipsis(font, text, width)})
      EXPECT_TRUE(FitsIn(metrics, font, shown, width)) << shown;
  }
}

// ---------------------------------------------------------------------------------------------
// Blocks

// A single line is measured without making the list of lines; the extent must not tell the two
// ways apart, whatever the text's line breaks, the wrapping and the width.
TEST(TextBlocks, TheExtentOfATextIsThatOfItsLinesWhateverTheWrappingAndWidth) {
  const TTestFont font("Tahoma", 8);
  for (const std::string& text :
       std::vector<std::string>{"", "Caption", "Two\nlines", "CR\rand CR LF\r\nend", "trailing\n", KSentence})
    for (TTextWrapping wrapping : {twNone, twEndEllipsis, twPathEllipsis, twWrap})
      for (int width : {KNoWidthLimit, 40, 0}) {
        SCOPED_TRACE(text + " / " + std::to_string(wrapping) + " / " + std::to_string(width));
        const auto lines = TbxText::Lines(font, text, wrapping, width);
        const auto extent = TbxText::BlockExtent(font, text, wrapping, width);
        EXPECT_EQ(extent.LineCount, lines.size());
        EXPECT_EQ(extent.Width, TbxText::BlockWidth(font, lines));
        EXPECT_EQ(extent.LineHeight, TbxText::LineHeight(font));
      }
}
