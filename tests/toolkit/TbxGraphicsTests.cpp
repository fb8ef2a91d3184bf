#include <gtest/gtest.h>

#include <algorithm>

#include "KolExceptions.h"
#include "TbxGraphics.h"
#include "TbxSystemColors.h"

TEST(TFont, DefaultsAndChangeEvents) {
  TFont font;
  EXPECT_EQ(font.GetName(), "Tahoma");
  EXPECT_EQ(font.GetSize(), 8);
  EXPECT_EQ(font.GetColor(), clWindowText);
  EXPECT_TRUE(font.GetStyle().Empty());
  int changes = 0;
  font.OnChange = [&](TObject* sender) { changes += sender == &font; };
  font.SetSize(8);
  font.SetName("Tahoma");
  EXPECT_EQ(changes, 0);
  font.SetSize(10);
  font.SetColor(clRed);
  font.SetStyle({fsBold});
  font.SetName("Arial");
  EXPECT_EQ(changes, 4);
}

TEST(TFont, AssignCopiesEverythingAndSignalsOnce) {
  TFont source;
  source.SetName("Courier New");
  source.SetSize(12);
  source.SetColor(clNavy);
  source.SetStyle({fsItalic, fsUnderline});
  TFont target;
  int changes = 0;
  target.OnChange = [&](TObject*) { ++changes; };
  target.Assign(source);
  EXPECT_EQ(target.GetName(), "Courier New");
  EXPECT_EQ(target.GetSize(), 12);
  EXPECT_EQ(target.GetColor(), clNavy);
  EXPECT_EQ(target.GetStyle(), (TFontStyles{fsItalic, fsUnderline}));
  EXPECT_EQ(changes, 1);
  target.Assign(source);
  EXPECT_EQ(changes, 1);
}

TEST(TColorIdents, EveryNameReadsBackToItself) {
  const auto& idents = ColorIdents();
  EXPECT_EQ(idents.size(), 52u);
  for (const std::string& name : idents) {
    TColor color = 0;
    std::string back;
    ASSERT_TRUE(IdentToColor(name, color)) << name;
    ASSERT_TRUE(ColorToIdent(color, back)) << name;
    EXPECT_EQ(back, name);
  }
}

TEST(TColorIdents, NamesIgnoreCaseAndAliasesAreReadOnly) {
  TColor color = 0;
  EXPECT_TRUE(IdentToColor("CLBTNSHADOW", color));
  EXPECT_EQ(color, 0xFF000010u);
  EXPECT_TRUE(IdentToColor("cldefault", color));
  EXPECT_EQ(color, 0x1FFFFFFFu);
  EXPECT_TRUE(IdentToColor("clLtGray", color));
  EXPECT_EQ(color, clSilver);
  EXPECT_TRUE(IdentToColor("clDkGray", color));
  EXPECT_EQ(color, clGray);
  EXPECT_TRUE(IdentToColor("clMenuBar", color));
  EXPECT_EQ(color, 0xFF00001Eu);

  std::string ident;
  EXPECT_TRUE(ColorToIdent(clSilver, ident));
  EXPECT_EQ(ident, "clSilver");
  EXPECT_EQ(std::count(ColorIdents().begin(), ColorIdents().end(), "clLtGray"), 0);

  color = 42;
  EXPECT_FALSE(IdentToColor("clRedd", color));
  EXPECT_FALSE(IdentToColor("", color));
  EXPECT_EQ(color, 42u);
  ident = "unchanged";
  EXPECT_FALSE(ColorToIdent(0x123456, ident));
  EXPECT_EQ(ident, "unchanged");
}

TEST(TCustomImageList, AddIndexesAndRejectsBadIndex) {
  TCustomImageList images(nullptr);
  EXPECT_EQ(images.Add("open.png"), 0);
  EXPECT_EQ(images.Add("save.png"), 1);
  EXPECT_EQ(images.Count(), 2);
  EXPECT_EQ(images.FileName(1), "save.png");
  try {
    images.FileName(2);
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_NE(e.Message().find('2'), std::string::npos) << e.Message();
  }
  EXPECT_THROW(images.FileName(-1), Exception);
}

// Both backends draw with this one table, so the HTML picture and the native window agree.
TEST(TbxSystemColors, PlainColoursTurnAroundSystemColoursComeFromTheLookAndTheRestIsNone) {
  EXPECT_EQ(ColorToRgb(0x00336699), 0x996633u);  // 0x00BBGGRR
  EXPECT_EQ(ColorToRgb(clWhite), 0xFFFFFFu);     // the largest plain colour
  EXPECT_EQ(ColorToRgb(0x01000000), std::nullopt);
  EXPECT_EQ(ColorToRgb(clBtnFace), 0xF0F0F0u);
  EXPECT_EQ(ColorToRgb(clActiveCaption), 0x99B4D1u);
  EXPECT_EQ(ColorToRgb(clMenuBar), 0xF0F0F0u);
  for (TColor none : {clDefault, clNone, clSystemColor | 25, clSystemColor | 31})
    EXPECT_EQ(ColorToRgb(none), std::nullopt) << none;
}
