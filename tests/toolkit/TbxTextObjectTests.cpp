#include <gtest/gtest.h>

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
