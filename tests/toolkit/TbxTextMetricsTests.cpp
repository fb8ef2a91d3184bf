#include <gtest/gtest.h>

#include <new>

#include "TbxTextTestFonts.h"

// ---------------------------------------------------------------------------------------------
// Resolution

TEST(TextMetricsResolve, TahomaFallsBackToDejaVuSansAtElevenPixels) {
  TTextMetrics metrics;
  const TTestFont tahoma("Tahoma", 8);
  SKIP_UNLESS_RESOLVED_TO(metrics, tahoma, KDejaVuSans);
  const TResolvedFont& font = metrics.Resolve(tahoma);
  EXPECT_EQ(font.Family, "DejaVu Sans");
  EXPECT_EQ(font.FaceIndex, 0);
  EXPECT_EQ(font.PixelSize, 11);  // 8 pt at 96 dpi is 10.67 pixels
  EXPECT_EQ(font.Ascent, 11);     // 1901 / 2048 em, rounded up
  EXPECT_EQ(font.Descent, 3);     // 483 / 2048 em, rounded up
  EXPECT_EQ(font.LineHeight, 14);
  EXPECT_EQ(font.UnderlineThickness, 1);
  EXPECT_EQ(font.UnderlinePosition, 0);
  EXPECT_EQ(font.StrikeOutThickness, 1);
  EXPECT_EQ(font.StrikeOutPosition, 3);
  EXPECT_FALSE(font.SyntheticBold || font.SyntheticItalic || font.BuiltIn);
}

TEST(TextMetricsResolve, BoldAndItalicFindTheFamilysOwnFaces) {
  TTextMetrics metrics;
  SKIP_UNLESS_RESOLVED_TO(metrics, TTestFont("Tahoma", 8), KDejaVuSans);
  const TResolvedFont& bold = metrics.Resolve(TTestFont("Tahoma", 8, {fsBold}));
  EXPECT_EQ(bold.FileName, "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf");
  EXPECT_FALSE(bold.SyntheticBold);
  const TResolvedFont& italic = metrics.Resolve(TTestFont("Tahoma", 8, {fsItalic, fsUnderline, fsStrikeOut}));
  EXPECT_EQ(italic.FileName, "/usr/share/fonts/truetype/dejavu/DejaVuSans-Oblique.ttf");
  EXPECT_FALSE(italic.SyntheticItalic);
}

TEST(TextMetricsResolve, EveryFontHasConsistentMetrics) {
  TTextMetrics metrics;
  const TTestFont fonts[] = {
      {"Tahoma", 8}, {"Courier New", 12, {fsBold}}, {"", 10}, {"No Such Family \xFF", 30, {fsItalic}}, {"Tahoma", 1}};
  for (const TFont& font : fonts) {
    SCOPED_TRACE(font.GetName());
    const TResolvedFont& resolved = metrics.Resolve(font);
    EXPECT_EQ(resolved.BuiltIn, resolved.FileName.empty());
    EXPECT_FALSE(resolved.Family.empty());
    EXPECT_GT(resolved.Ascent, 0);
    EXPECT_GE(resolved.LineHeight, resolved.Ascent + resolved.Descent);
    EXPECT_GE(resolved.UnderlineThickness, 1);
    EXPECT_GE(resolved.StrikeOutThickness, 1);
    EXPECT_GE(resolved.UnderlinePosition, 0);
    EXPECT_LE(resolved.UnderlinePosition, std::max(0, resolved.Descent - resolved.UnderlineThickness));
    EXPECT_GE(resolved.StrikeOutPosition, resolved.StrikeOutThickness);
    EXPECT_LE(resolved.StrikeOutPosition, std::max(1, resolved.Ascent));
  }
}

TEST(TextMetricsResolve, SizesAreClampedToOneToAThousandPoints) {
  TTextMetrics metrics;
  EXPECT_EQ(metrics.Resolve(TTestFont("Tahoma", 0)).PixelSize, 1);
  EXPECT_EQ(metrics.Resolve(TTestFont("Tahoma", -12)).PixelSize, 1);
  EXPECT_EQ(metrics.Resolve(TTestFont("Tahoma", 1000)).PixelSize, 1333);
  EXPECT_EQ(metrics.Resolve(TTestFont("Tahoma", 1 << 30)).PixelSize, 1333);
  EXPECT_EQ(metrics.Resolve(TTestFont("Tahoma", 12)).PixelSize, 16);
  EXPECT_EQ(metrics.Resolve(TTestFont("Tahoma", 9)).PixelSize, 12);
}

TEST(TextMetricsResolve, AFaceWithoutBoldOrItalicIsEmboldenedOrSlanted) {
  TTextMetrics metrics;
  const TTestFont regular("Droid Sans Fallback", 10);
  const TResolvedFont& resolved = metrics.Resolve(TTestFont("Droid Sans Fallback", 10, {fsBold}));
  if (resolved.Family != "Droid Sans Fallback" || metrics.Resolve(regular).FileName != resolved.FileName)
    GTEST_SKIP() << "needs Droid Sans Fallback (fonts-droid-fallback), a family without a bold face";
  EXPECT_TRUE(resolved.SyntheticBold);
  EXPECT_FALSE(resolved.SyntheticItalic);
  EXPECT_GT(metrics.TextWidth(TTestFont("Droid Sans Fallback", 10, {fsBold}), "Hello world"),
            metrics.TextWidth(regular, "Hello world"));
  // A slant changes no advance.
  const TTestFont italic("Droid Sans Fallback", 10, {fsItalic});
  EXPECT_EQ(metrics.Resolve(italic).FileName, resolved.FileName);
  EXPECT_TRUE(metrics.Resolve(italic).SyntheticItalic);
  EXPECT_FALSE(metrics.Resolve(italic).SyntheticBold);
  EXPECT_EQ(metrics.TextWidth(italic, "Hello world"), metrics.TextWidth(regular, "Hello world"));
}

// ---------------------------------------------------------------------------------------------
// Widths

TEST(TextMetricsWidth, PinnedWidthsOfDejaVuSans) {
  TTextMetrics metrics;
  const TTestFont tahoma("Tahoma", 8);
  SKIP_UNLESS_RESOLVED_TO(metrics, tahoma, KDejaVuSans);
  // H 1542, e 1260, l 569, o 1253 units of 2048 at 11 pixels: 27.9, rounded up once.
  EXPECT_EQ(metrics.TextWidth(tahoma, "Hello"), 28);
  EXPECT_EQ(metrics.TextWidth(tahoma, "l"), 4);            // 3.06
  EXPECT_EQ(metrics.TextWidth(tahoma, "llllllllll"), 31);  // 30.6: not ten times the rounded 4
  EXPECT_EQ(metrics.TextSize(TTestFont("Tahoma", 12), "Hello"), (TTextSize{41, 19}));
}

TEST(TextMetricsWidth, RelationsThatHoldForAnyFont) {
  TTextMetrics metrics;
  const TTestFont font("Tahoma", 8);
  EXPECT_LT(metrics.TextWidth(font, "iii"), metrics.TextWidth(font, "WWW"));
  EXPECT_LE(metrics.TextWidth(font, "Open"), metrics.TextWidth(font, "Open file"));
  EXPECT_LT(metrics.TextWidth(font, "Open"), metrics.TextWidth(TTestFont("Tahoma", 16), "Open"));
  for (const char* text : {"Open", "Save as...", "Ready", "WWWW", "\u4F60\u597D"})
    EXPECT_GE(metrics.TextWidth(TTestFont("Tahoma", 8, {fsBold}), text), metrics.TextWidth(font, text)) << text;
}

TEST(TextMetricsWidth, EmptyTextIsNoWidthAndOneLineHigh) {
  TTextMetrics metrics;
  const TTestFont font("Tahoma", 8);
  EXPECT_EQ(metrics.TextSize(font, ""), (TTextSize{0, metrics.Resolve(font).LineHeight}));
  EXPECT_GT(metrics.Resolve(font).LineHeight, 0);
}

TEST(TextMetricsWidth, InvalidUtf8MeasuresAsReplacementCharacters) {
  TTextMetrics metrics;
  const TTestFont font("Tahoma", 8);
  // Octal escapes, which end after three digits, so that the "b" is not taken as a hex digit.
  const int replaced = metrics.TextWidth(font, "a\uFFFDb");
  EXPECT_EQ(metrics.TextWidth(font, "a\377b"), replaced);
  EXPECT_EQ(metrics.TextWidth(font, "a\344\275b"), replaced);  // a truncated three-byte sequence
  const int threeReplaced = metrics.TextWidth(font, "a\uFFFD\uFFFD\uFFFDb");
  EXPECT_EQ(metrics.TextWidth(font, "a\355\240\200b"), threeReplaced);    // a surrogate
  EXPECT_EQ(metrics.TextWidth(font, "a\300\257\uFFFDb"), threeReplaced);  // an overlong slash
  EXPECT_GT(metrics.TextWidth(font, "\xF4"), 0);                          // cut off at the end of the text
}

TEST(TextMetricsWidth, ControlCharactersMeasureAsSpaces) {
  TTextMetrics metrics;
  const TTestFont font("Tahoma", 8);
  const int spaced = metrics.TextWidth(font, "a b c d");
  EXPECT_EQ(metrics.TextWidth(font, "a\tb\nc\rd"), spaced);
  EXPECT_EQ(metrics.TextWidth(font, std::string("a\0b c d", 7)), spaced);
}

TEST(TextMetricsWidth, AHugeCaptionIsMeasuredInPiecesAndClamped) {
  TTextMetrics metrics;
  std::string caption;
  for (int i = 0; caption.size() < 2'000'000; ++i) caption += "word" + std::to_string(i % 97) + ' ';
  const int width = metrics.TextWidth(TTestFont("Tahoma", 8), caption);
  // Shaped piece by piece, summed exactly, clamped only where the sum passes the limit.
  EXPECT_GT(width, 1'000'000);
  EXPECT_LT(width, KMaxTextExtent);
  EXPECT_EQ(metrics.TextWidth(TTestFont("Tahoma", 1000), caption), KMaxTextExtent);
}

// A long text is shaped in pieces; a piece ends after a space where it can, so that no kerning
// pair inside a word is cut apart: the text measures as its two pieces do.
TEST(TextMetricsWidth, ALongTextIsCutAfterASpaceKeepingTheKerningOfItsWords) {
  TTextMetrics metrics;
  const TTestFont font("Tahoma", 72);
  const std::string first = std::string(3500, 'x') + ' ';
  std::string second;
  for (int i = 0; i < 300; ++i) second += "AV";
  ASSERT_LT(metrics.TextWidth(font, "AV"), metrics.TextWidth(font, "A") + metrics.TextWidth(font, "V") - 2)
      << "the font kerns A and V";
  const int whole = metrics.TextWidth(font, first + second);
  const int parts = metrics.TextWidth(font, first) + metrics.TextWidth(font, second);
  EXPECT_LE(whole, parts);
  EXPECT_GE(whole, parts - 2);  // each part rounded up once
}

// Every width is clamped to the largest extent, so at that width every text fits whole.
TEST(TextMetricsWidth, AtTheLargestExtentEveryTextFitsWhole) {
  TTextMetrics metrics;
  const TTestFont font("Tahoma", 1000);
  std::string caption;
  while (caption.size() < 40'000) caption += "word ";
  ASSERT_EQ(metrics.TextWidth(font, caption), KMaxTextExtent);
  EXPECT_EQ(metrics.EndEllipsis(font, caption, KMaxTextExtent), caption);
}

// Two fonts of one size and style but other families are measured each as itself.
TEST(TextMetricsWidth, FontsOfOtherFamiliesAreMeasuredEachAsItself) {
  const TTestFont sans("Tahoma", 8), mono("Courier New", 8);
  if (TTextMetrics().Resolve(sans).FileName == TTextMetrics().Resolve(mono).FileName)
    GTEST_SKIP() << "both families resolve to one font here";
  TTextMetrics metrics;
  const int sansWidth = metrics.TextWidth(sans, "iiii");
  EXPECT_EQ(metrics.TextWidth(mono, "iiii"), TTextMetrics().TextWidth(mono, "iiii"));
  EXPECT_NE(metrics.TextWidth(mono, "iiii"), sansWidth);
}

TEST(TextMetricsWidth, TwoEnginesGiveTheSameFigures) {
  TTextMetrics first, second({.CacheBytes = 0});
  for (const char* text : {"Hello", "fi ffl AV To", "\u0627\u0644\u0639\u0631\u0628\u064A\u0629", "e\u0301t\u00E9"})
    EXPECT_EQ(first.TextWidth(TTestFont("Tahoma", 9), text), second.TextWidth(TTestFont("Tahoma", 9), text)) << text;
}

TEST(TextMetricsWidth, OneFaceAtAlternatingSizesMeasuresAsAtEachSizeAlone) {
  // The face is shared by its sizes and switched between them: no advance of one size may stay.
  TTextMetrics shared({.CacheBytes = 0});
  const int sizes[] = {8, 24, 8, 13, 24};
  std::vector<int> widths;
  for (int size : sizes) widths.push_back(shared.TextWidth(TTestFont("Tahoma", size), "Hello, world"));
  for (std::size_t i = 0; i < std::size(sizes); ++i) {
    TTextMetrics alone;
    EXPECT_EQ(widths[i], alone.TextWidth(TTestFont("Tahoma", sizes[i]), "Hello, world")) << sizes[i];
  }
  EXPECT_LT(widths[0], widths[1]);
}

TEST(TextMetricsWidth, AFontIsMeasuredAsItIsNowAfterAChangeOrWhenAnotherTakesItsPlace) {
  // The metrics remember the font objects asked for last: a change, or a new font at the same
  // address, must not find what was remembered.
  TTextMetrics metrics;
  const int small = TTextMetrics().TextWidth(TTestFont("Tahoma", 8), "Hello");
  const int large = TTextMetrics().TextWidth(TTestFont("Tahoma", 24), "Hello");
  const int bold = TTextMetrics().TextWidth(TTestFont("Tahoma", 24, {fsBold}), "Hello");
  ASSERT_LT(small, large);
  ASSERT_NE(large, bold);
  alignas(TFont) unsigned char place[sizeof(TFont)];
  auto* font = new (place) TFont;
  EXPECT_EQ(metrics.TextWidth(*font, "Hello"), small);
  font->SetSize(24);
  EXPECT_EQ(metrics.TextWidth(*font, "Hello"), large);
  font->SetStyle({fsBold});
  EXPECT_EQ(metrics.TextWidth(*font, "Hello"), bold);
  font->~TFont();
  font = new (place) TFont;  // Tahoma 8 again, where the bold one was
  EXPECT_EQ(metrics.TextWidth(*font, "Hello"), small);
  font->~TFont();
}
