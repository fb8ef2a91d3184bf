#include <gtest/gtest.h>

#include "KolSystem.h"

TEST(KolStrings, OccursCountsTheCharacter) {
  EXPECT_EQ(Occurs(',', "a,b,,c"), 3);
  EXPECT_EQ(Occurs(',', ""), 0);
  EXPECT_EQ(Occurs('|', "a,b"), 0);
}

TEST(KolStrings, GetSubStringNumbersPiecesFromOne) {
  EXPECT_EQ(GetSubString("a,,b", ',', 1), "a");
  EXPECT_EQ(GetSubString("a,,b", ',', 2), "");
  EXPECT_EQ(GetSubString("a,,b", ',', 3), "b");
  EXPECT_EQ(GetSubString("a,,b", ',', 4), "");
  EXPECT_EQ(GetSubString("a,,b", ',', 0), "");
  EXPECT_EQ(GetSubString("whole", ',', 1), "whole");
  EXPECT_EQ(GetSubString("x,", ',', 2), "");
}

TEST(KolStrings, TrimTextAndSameText) {
  EXPECT_EQ(TrimText("\t a b \r\n"), "a b");
  EXPECT_EQ(TrimText(" \x01 "), "");
  EXPECT_EQ(TrimText(" caf\xC3\xA9 "), "caf\xC3\xA9");  // UTF-8 bytes are not blanks
  EXPECT_TRUE(SameText("LeftJustify", "LEFTjustify"));
  EXPECT_FALSE(SameText("Left", "Lefts"));
  EXPECT_FALSE(SameText("\xC3\x89", "\xC3\xA9"));  // only ASCII letters fold
}

TEST(KolStrings, ClosestNamePrefersACaseOnlyDifferenceThenTheFewestEdits) {
  const std::vector<std::string> known{"Underline", "UnderlineColor", "Caption", "DblClickUnDock"};
  EXPECT_EQ(ClosestName("Undrline", known), "Underline");
  EXPECT_EQ(ClosestName("underline", known), "Underline");
  EXPECT_EQ(ClosestName("DblClickUndock", known), "DblClickUnDock");
  EXPECT_EQ(ClosestName("Captoin", known), "Caption");  // a swap is two edits, within a third of 7
  EXPECT_EQ(ClosestName("Width", known), "");           // nothing near
  EXPECT_EQ(ClosestName("", known), "");
  EXPECT_EQ(ClosestName("Cap", {}), "");
  EXPECT_EQ(ClosestName(std::string(1000, 'x'), known), "");
}
