#include <gtest/gtest.h>

#include <climits>
#include <string>

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

TEST(TTBXLabel, AutoSizeFitsTheTextInCharacters) {
  TTBXLabel label(nullptr);
  label.SetBounds(5, 7, 1, 1);
  label.SetText("Hello");
  EXPECT_EQ(label.GetWidth(), 34);  // 6 * 5 * 8 / 8 + 4
  EXPECT_EQ(label.GetHeight(), 19);
  EXPECT_EQ(label.GetLeft(), 5);
  EXPECT_EQ(label.GetTop(), 7);
  label.SetText("Gr\u00FC\u00DFe");  // five characters in seven bytes
  EXPECT_EQ(label.GetWidth(), 34);
  label.Font().SetSize(16);
  label.SetText("ab");
  EXPECT_EQ(label.GetWidth(), 28);
  EXPECT_EQ(label.GetHeight(), 35);
}

TEST(TTBXLabel, AVeryLongCaptionIsMeasuredUpToTheLargestExtentOfAControl) {
  TTBXLabel label(nullptr);
  label.Font().SetSize(1000);
  label.SetText(std::string(3'000'000, 'x'));  // 6 * 3e6 * 1000 / 8: far past the range of int
  EXPECT_EQ(label.GetWidth(), MaxControlExtent);
  EXPECT_EQ(label.GetHeight(), 2003);
  label.Font().SetSize(INT_MAX);  // a font no configuration gives; the toolkit takes it all the same
  label.SetText("x");
  EXPECT_EQ(label.GetWidth(), MaxControlExtent);
  EXPECT_EQ(label.GetHeight(), MaxControlExtent);
  label.Font().SetSize(-8);  // glyphs of no width
  label.SetText("xyz");
  EXPECT_EQ(label.GetWidth(), 4);
  EXPECT_EQ(label.GetHeight(), 3);
}

TEST(TTBXLabel, WithoutAutoSizeTheSizeStaysUntilSwitchedOn) {
  TTBXLabel label(nullptr);
  label.SetAutoSize(false);
  label.SetBounds(0, 0, 100, 50);
  label.SetText("Hello");
  EXPECT_EQ(label.GetWidth(), 100);
  EXPECT_EQ(label.GetHeight(), 50);
  label.SetAutoSize(true);
  EXPECT_EQ(label.GetWidth(), 34);
  EXPECT_EQ(label.GetHeight(), 19);
}

TEST(TTBXLabel, ActionCaptionResizesTheLabel) {
  TTBXLabel label(nullptr);
  TCustomAction action(nullptr);
  action.SetCaption("Run");
  label.SetAction(&action);
  EXPECT_EQ(label.GetText(), "Run");
  EXPECT_EQ(label.GetWidth(), 22);
}
