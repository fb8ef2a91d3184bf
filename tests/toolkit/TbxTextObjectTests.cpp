#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>

#include "TbxTextBlocks.h"
#include "TbxTextMetrics.h"
#include "TbxTextObjects.h"

TEST(TTBXLabel, Defaults) {
  TTBXLabel label(nullptr);
  EXPECT_TRUE(label.GetAutoSize());
  EXPECT_FALSE(label.GetUnderline());
  EXPECT_EQ(label.GetUnderlineColor(), clBtnShadow);
  EXPECT_EQ(label.GetAlignment(), taLeftJustify);
  EXPECT_EQ(label.GetWrapping(), twNone);
  EXPECT_EQ(label.GetText(), "");
  EXPECT_NE(label.GetHandle(), 0);
}

TEST(TTBXLabel, AutoSizeFitsTheTextAndKeepsThePosition) {
  TTBXLabel label(nullptr);
  label.SetBounds(5, 7, 1, 1);
  label.SetText("Hello");
  const TSize hello = label.GetPreferredSize();
  EXPECT_GT(hello.Width, 0);
  EXPECT_GT(hello.Height, 0);
  EXPECT_EQ(label.GetBoundsRect(), TRect({5, 7, hello.Width, hello.Height}));
  label.SetText("Hello, world");
  EXPECT_GT(label.GetWidth(), hello.Width);
  EXPECT_EQ(label.GetHeight(), hello.Height);
  label.Font().SetSize(16);  // a larger font makes a larger label at once
  EXPECT_GT(label.GetHeight(), hello.Height);
  EXPECT_EQ(label.GetBoundsRect().Size(), label.GetPreferredSize());
}

TEST(TTBXLabel, AnEmptyLabelIsOneLineHighAndNoWidth) {
  TTBXLabel label(nullptr);
  label.SetText("x");
  const int lineHeight = label.GetHeight();
  label.SetText("");
  EXPECT_EQ(label.GetWidth(), 0);
  EXPECT_EQ(label.GetHeight(), lineHeight);
}

TEST(TTBXLabel, AVeryLongCaptionIsMeasuredUpToTheLargestExtentOfAControl) {
  TTBXLabel label(nullptr);
  label.Font().SetSize(1000);
  label.SetText(std::string(3'000'000, 'x'));  // far past the range of int in pixels
  EXPECT_EQ(label.GetWidth(), MaxControlExtent);
  EXPECT_GT(label.GetHeight(), 0);
  label.Font().SetSize(INT_MAX);  // a font no configuration gives: it measures as the largest font
  label.SetText("x");
  const TSize huge = label.GetBoundsRect().Size();
  label.Font().SetSize(KMaxFontSize);
  EXPECT_EQ(label.GetBoundsRect().Size(), huge);
  EXPECT_GT(huge.Height, 1000);
  label.Font().SetSize(-8);  // a size below nothing measures as nothing, never as negative
  label.SetText("xyz");
  EXPECT_GE(label.GetWidth(), 0);
  EXPECT_GE(label.GetHeight(), 0);
  EXPECT_LE(label.GetWidth(), MaxControlExtent);
}

TEST(TTBXLabel, WithoutAutoSizeTheSizeStaysUntilSwitchedOn) {
  TTBXLabel label(nullptr);
  label.SetAutoSize(false);
  label.SetBounds(0, 0, 100, 50);
  label.SetText("Hello");
  EXPECT_EQ(label.GetWidth(), 100);
  EXPECT_EQ(label.GetHeight(), 50);
  label.SetAutoSize(true);
  EXPECT_EQ(label.GetBoundsRect().Size(), label.GetPreferredSize());
}

TEST(TTBXLabel, ActionCaptionResizesTheLabel) {
  TTBXLabel label(nullptr);
  TCustomAction action(nullptr);
  action.SetCaption("Run");
  label.SetAction(&action);
  EXPECT_EQ(label.GetText(), "Run");
  EXPECT_GT(label.GetWidth(), 0);
  EXPECT_EQ(label.GetBoundsRect().Size(), label.GetPreferredSize());
}

// Without a text a check box or radio button is as wide as its glyph, with no gap after it, and as
// tall as a line; with one the text follows the gap.
TEST(TTBXCheckBox, WithoutATextItIsAsWideAsItsGlyph) {
  TTBXCheckBox box(nullptr);
  TTBXRadioButton radio(nullptr);
  const int line = TbxText::LineHeight(box.Font());
  EXPECT_EQ(box.GetPreferredSize(), (TSize{13, std::max(13, line)}));
  EXPECT_EQ(radio.GetPreferredSize(), (TSize{13, std::max(13, line)}));
  box.SetText("On");
  EXPECT_GT(box.GetPreferredSize().Width, 13 + 4);
  EXPECT_EQ(box.GetTextRect().Left, 13 + 4);
}

// A label that does not size itself keeps the height it was given at the top of its parent.
TEST(TTBXLabel, WithoutAutoSizeAnEdgeAlignedLabelKeepsItsThickness) {
  TWinControl parent(nullptr);
  parent.SetBounds(0, 0, 200, 100);
  TTBXLabel label(nullptr);
  label.SetText("Status");
  label.SetAutoSize(false);
  label.SetBounds(0, 0, 10, 40);
  label.SetParent(&parent);
  label.SetAlign(alTop);
  EXPECT_EQ(label.GetBoundsRect(), (TRect{0, 0, 200, 40}));
  label.SetAutoSize(true);
  parent.SetBounds(0, 0, 210, 100);
  EXPECT_EQ(label.GetHeight(), label.GetPreferredSize(210).Height);
}

// Unwrapped text breaks into lines at LF, CR LF and CR alike; an empty line stays a line.
TEST(TbxTextBlocks, TextBreaksAtEveryKindOfLineEndAndKeepsEmptyLines) {
  const TFont font;
  EXPECT_EQ(TbxText::Lines(font, "one\ntwo\r\nthree\rfour", twNone, KNoWidthLimit),
            (std::vector<std::string>{"one", "two", "three", "four"}));
  EXPECT_EQ(TbxText::Lines(font, "a\n\nb\r\rc", twNone, KNoWidthLimit),
            (std::vector<std::string>{"a", "", "b", "", "c"}));
}

// A text that is only a line end is two empty lines, whichever line end it is; a cut line is cut
// as its mode says.
TEST(TbxTextBlocks, ALineEndAloneIsTwoLinesAndEachCutModeCutsItsWay) {
  const TFont font;
  for (const char* text : {"\n", "\r"})
    EXPECT_EQ(TbxText::BlockExtent(font, text, twNone, KNoWidthLimit).LineCount, 2u) << (text[0] == '\n' ? "LF" : "CR");
  const std::string path = "/usr/share/nuv/examples/showcase.xml";
  const int width = TbxText::LineWidth(font, path) / 2;
  const auto end = TbxText::Lines(font, path, twEndEllipsis, width);
  const auto middle = TbxText::Lines(font, path, twPathEllipsis, width);
  ASSERT_EQ(end.size(), 1u);
  ASSERT_EQ(middle.size(), 1u);
  EXPECT_TRUE(end[0].starts_with("/usr/share"));
  EXPECT_FALSE(end[0].ends_with("showcase.xml"));
  EXPECT_TRUE(middle[0].ends_with("showcase.xml"));
  EXPECT_FALSE(middle[0].starts_with("/usr/share/nuv"));
  EXPECT_LE(TbxText::LineWidth(font, end[0]), width);
  EXPECT_LE(TbxText::LineWidth(font, middle[0]), width);
}
