#include <gtest/gtest.h>

#include "KolSystem.h"

TEST(KolAssertion, ReportsTheUnitPathRelativeToTheProject) {
  const int line = __LINE__ + 2;
  try {
    NUV_ASSERT(line < 0);
    FAIL() << "NUV_ASSERT did not raise";
  } catch (const EAssertionFailed& e) {
    EXPECT_EQ(e.SourcePath(), "tests\\kol\\KolExceptionsTest");
    EXPECT_EQ(e.Line(), line);
    EXPECT_EQ(e.Message(), "Assertion failure (tests\\kol\\KolExceptionsTest, line " + std::to_string(line) + ")");
  }
  EXPECT_NO_THROW(NUV_ASSERT(line > 0));
}

TEST(KolAssertion, ConvertsSeparatorsAndDropsOnlyTheFileExtension) {
  auto sourcePathOf = [](const char* file) {
    try {
      AssertionFailed(file, 7);
    } catch (const EAssertionFailed& e) {
      return e.SourcePath();
    }
    return std::string("not raised");
  };
  EXPECT_EQ(sourcePathOf("Framework/Source/ViewParts/NUV.ViewParts.TBX/NUVToolbarDockViewPart.cpp"),
            "Framework\\Source\\ViewParts\\NUV.ViewParts.TBX\\NUVToolbarDockViewPart");
  EXPECT_EQ(sourcePathOf("/home/build/src.d/Unit.cpp"), "\\home\\build\\src.d\\Unit");
  EXPECT_EQ(sourcePathOf("dir.v/Makefile"), "dir.v\\Makefile");
  EXPECT_EQ(sourcePathOf("Unit.h"), "Unit");
  EXPECT_EQ(sourcePathOf("../../tests/kol/Unit.cpp"), "tests\\kol\\Unit");  // relative to a build directory
  EXPECT_EQ(sourcePathOf("./Unit.cpp"), "Unit");
}

TEST(KolConfigurationError, MessageNamesPlaceFoundTextAndExpectation) {
  const EConfigurationError placed("app.xml:3:5: <Label>/<Alignment>", "Centre", "one of Left, Center");
  EXPECT_STREQ(placed.what(), "app.xml:3:5: <Label>/<Alignment>: 'Centre' is not valid; expected one of Left, Center");
  EXPECT_EQ(placed.Found(), "Centre");
  EXPECT_EQ(placed.Expected(), "one of Left, Center");
  EXPECT_EQ(placed.ClassName(), "EConfigurationError");

  const EConfigurationError unplaced("", "x", "a decimal integer");
  EXPECT_EQ(unplaced.Message(), "'x' is not valid; expected a decimal integer");
  EXPECT_EQ(unplaced.Where(), "");
}
