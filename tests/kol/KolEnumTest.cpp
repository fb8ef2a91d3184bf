#include <gtest/gtest.h>

#include "KolTestEnums.h"
#include "KolXml.h"

using namespace KolTest;

TEST(KolEnumTypeInfo, ListsIdentifiersInOrdinalOrder) {
  const TEnumTypeInfo& info = TypeInfo<TTestAlignment>();
  EXPECT_EQ(info.Name(), "TTestAlignment");
  EXPECT_EQ(info.Identifiers(), (std::vector<std::string>{"taLeftJustify", "taRightJustify", "taCenter"}));
  EXPECT_EQ(EnumIdentifier(taCenter), "taCenter");
  EXPECT_EQ(info.Identifier(3), "");
  EXPECT_EQ(info.Identifier(-1), "");

  const TEnumTypeInfo spaced("TSpaced", " a1 ,\n\ta2,a3 ");
  EXPECT_EQ(spaced.Identifiers(), (std::vector<std::string>{"a1", "a2", "a3"}));
}

TEST(KolEnumTypeInfo, SetIdentifiersFollowOrdinalOrder) {
  const TSet<TTestDockPosition> set{dpRight, dpTop};
  EXPECT_EQ(set.Identifiers(), (std::vector<std::string>{"dpTop", "dpRight"}));
  EXPECT_TRUE((set + TSet<TTestDockPosition>{dpLeft}).Contains(dpLeft));
  EXPECT_EQ(set - TSet<TTestDockPosition>{dpTop}, TSet<TTestDockPosition>{dpRight});
  EXPECT_TRUE((set * TSet<TTestDockPosition>{dpBottom}).Empty());
}

TEST(KolEnumNames, MatchWithOrWithoutPrefixIgnoringCaseAndBlanks) {
  const TEnumTypeInfo& align = TypeInfo<TTestAlignment>();
  int ordinal = -1;
  EXPECT_TRUE(TryGetEnumValue("LeftJustify", align, "ta", ordinal));
  EXPECT_EQ(ordinal, taLeftJustify);
  EXPECT_TRUE(TryGetEnumValue("  CENTER ", align, "ta", ordinal));
  EXPECT_EQ(ordinal, taCenter);
  EXPECT_TRUE(TryGetEnumValue("taRightJustify", align, "ta", ordinal));
  EXPECT_EQ(ordinal, taRightJustify);
  EXPECT_TRUE(TryGetEnumValue("UnChecked", TypeInfo<TTestCheckBoxState>(), "cb", ordinal));
  EXPECT_EQ(ordinal, cbUnchecked);

  ordinal = -1;
  for (const char* bad : {"", "   ", "Centre", "ta", "Justify", "cbChecked"})
    EXPECT_FALSE(TryGetEnumValue(bad, align, "ta", ordinal)) << bad;
  EXPECT_EQ(ordinal, -1);
}

TEST(KolEnumNames, UnknownNameRaisesWithTheAcceptedNames) {
  const TEnumTypeInfo& align = TypeInfo<TTestAlignment>();
  EXPECT_EQ(EnumNamesText(align, "ta"), "LeftJustify, RightJustify, Center");
  EXPECT_EQ(GetEnumValue("center", align, "ta"), taCenter);
  try {
    GetEnumValue("Centre", align, "ta");
    FAIL() << "GetEnumValue accepted Centre";
  } catch (const EConfigurationError& e) {
    EXPECT_EQ(e.Where(), "");
    EXPECT_EQ(e.Message(), "'Centre' is not valid; expected one of LeftJustify, RightJustify, Center");
  }
}
