#include <gtest/gtest.h>

#include "KolTestEnums.h"
#include "KolXml.h"

using namespace KolTest;

namespace {

TIntfPtr<IXMLNode> Load(const std::string& text) { return LoadXMLDocument(text, "app.xml"); }

const TEnumTypeInfo& Align() { return TypeInfo<TTestAlignment>(); }

// The message of the configuration error that read raises, or "" when it raises none.
template <class Read>
std::string ErrorOf(Read read) {
  try {
    read();
  } catch (const EConfigurationError& e) {
    return e.Message();
  }
  return "";
}

}  // namespace

TEST(KolReaders, NilNodeAndMissingElementGiveTheDefault) {
  const auto root = Load("<Label><Other>1</Other></Label>");
  for (const IXMLNode* node : std::initializer_list<const IXMLNode*>{nullptr, root.get()}) {
    EXPECT_EQ(GetChildNodeValue(node, "Caption", false, "def"), "def");
    EXPECT_TRUE(GetChildNodeValue(node, "AutoSize", false, true));
    EXPECT_EQ(GetChildNodeValue(node, "Width", false, 17), 17);
    EXPECT_EQ(GetChildNodeValue(node, "Alignment", false, "Center", Align(), "ta"), taCenter);
    EXPECT_EQ(GetNodeAttrValue(node, "Caption", false, "def"), "def");
    EXPECT_FALSE(GetNodeAttrValue(node, "Visible", false, false));
    EXPECT_EQ(GetNodeAttrValue(node, "Size", false, -3), -3);
    EXPECT_EQ(GetNodeAttrEnum<TTestAlignment>(node, "Align", "RightJustify", "ta"), taRightJustify);
  }
}

TEST(KolReaders, BlankTextCountsAsMissingExceptForStrings) {
  const auto root = Load(
      "<Label S=' ' N=''><Caption>  </Caption><AutoSize/><Width> </Width>"
      "<Alignment>\n</Alignment></Label>");
  EXPECT_EQ(GetChildNodeValue(root.get(), "Caption", false, "def"), "");
  EXPECT_EQ(GetChildNodeValue(root.get(), "Caption", false, "def", false), "  ");
  EXPECT_TRUE(GetChildNodeValue(root.get(), "AutoSize", false, true));
  EXPECT_EQ(GetChildNodeValue(root.get(), "Width", false, 5), 5);
  EXPECT_EQ(GetChildNodeEnum<TTestAlignment>(root.get(), "Alignment", "Center", "ta"), taCenter);
  EXPECT_EQ(GetNodeAttrValue(root.get(), "S", false, 9), 9);
  EXPECT_TRUE(GetNodeAttrValue(root.get(), "N", false, true));
}

TEST(KolReaders, ValuesIgnoreLetterCaseAndSurroundingBlanks) {
  const auto root = Load(
      "<Label><A>TRUE</A><B> false </B><C>1</C><D>0</D><E> -12 </E><F>+7</F><G>2147483647</G>"
      "<H>-2147483648</H><I>center</I><J>taRIGHTJustify</J><K> UnChecked </K><L>  Hello  </L></Label>");
  const IXMLNode* n = root.get();
  EXPECT_TRUE(GetChildNodeValue(n, "A", false, false));
  EXPECT_FALSE(GetChildNodeValue(n, "B", false, true));
  EXPECT_TRUE(GetChildNodeValue(n, "C", false, false));
  EXPECT_FALSE(GetChildNodeValue(n, "D", false, true));
  EXPECT_EQ(GetChildNodeValue(n, "E", false, 0), -12);
  EXPECT_EQ(GetChildNodeValue(n, "F", false, 0), 7);
  EXPECT_EQ(GetChildNodeValue(n, "G", false, 0), 2147483647);
  EXPECT_EQ(GetChildNodeValue(n, "H", false, 0), -2147483647 - 1);
  EXPECT_EQ(GetChildNodeValue(n, "I", false, "LeftJustify", Align(), "ta"), taCenter);
  EXPECT_EQ(GetChildNodeValue(n, "J", false, "LeftJustify", Align(), "ta"), taRightJustify);
  EXPECT_EQ(GetChildNodeEnum<TTestCheckBoxState>(n, "K", "Checked", "cb"), cbUnchecked);
  EXPECT_EQ(GetChildNodeValue(n, "L", false, ""), "Hello");
  EXPECT_EQ(GetChildNodeValue(n, "L", false, "", false), "  Hello  ");
}

TEST(KolReaders, BadElementValuesNameElementTextAndAcceptedForms) {
  const auto root = Load(
      "<Label>\n  <AutoSize>maybe</AutoSize>\n    <Width>12px</Width>\n"
      "<Alignment> Centre </Alignment></Label>");
  const IXMLNode* n = root.get();
  EXPECT_EQ(ErrorOf([&] { GetChildNodeValue(n, "AutoSize", false, false); }),
            "app.xml:2:3: <Label>/<AutoSize>: 'maybe' is not valid; expected True or False (or 1 or 0)");
  EXPECT_EQ(ErrorOf([&] { GetChildNodeValue(n, "Width", false, 0); }),
            "app.xml:3:5: <Label>/<Width>: '12px' is not valid; expected a decimal integer");
  EXPECT_EQ(ErrorOf([&] { GetChildNodeValue(n, "Alignment", false, "Center", Align(), "ta"); }),
            "app.xml:4:1: <Label>/<Alignment>: 'Centre' is not valid; "
            "expected one of LeftJustify, RightJustify, Center");
}

TEST(KolReaders, IntegersOutsideThirtyTwoBitsOrMalformedAreErrors) {
  for (const char* bad : {"2147483648", "-2147483649", "99999999999999999999", "1 2", "+-1", "-", "0x10", "1.5"}) {
    const auto root = Load(std::string("<P><Size>") + bad + "</Size></P>");
    EXPECT_THROW(GetChildNodeValue(root.get(), "Size", false, 0), EConfigurationError) << bad;
  }
}

TEST(KolReaders, AttributeFormsAndTheirErrors) {
  const auto root = Load(
      "<Panel Size=\"120\" Visible=\"False\" Align=\"right justify\" Caption=\" Hi \"\n"
      "  Width=\"12px\" Flag=\"yes\" Pos=\"Middle\"/>");
  const IXMLNode* n = root.get();
  EXPECT_EQ(GetNodeAttrValue(n, "Size", false, 0), 120);
  EXPECT_FALSE(GetNodeAttrValue(n, "Visible", false, true));
  EXPECT_EQ(GetNodeAttrValue(n, "Caption", false, ""), "Hi");
  EXPECT_EQ(ErrorOf([&] { GetNodeAttrValue(n, "Align", false, "Center", Align(), "ta"); }),
            "app.xml:1:1: <Panel> attribute Align: 'right justify' is not valid; "
            "expected one of LeftJustify, RightJustify, Center");
  EXPECT_EQ(ErrorOf([&] { GetNodeAttrValue(n, "Width", false, 0); }),
            "app.xml:1:1: <Panel> attribute Width: '12px' is not valid; expected a decimal integer");
  EXPECT_EQ(ErrorOf([&] { GetNodeAttrValue(n, "Flag", false, false); }),
            "app.xml:1:1: <Panel> attribute Flag: 'yes' is not valid; expected True or False (or 1 or 0)");
  EXPECT_NE(ErrorOf([&] { GetNodeAttrEnum<TTestAlignment>(n, "Pos", "Center", "ta"); }), "");
}

TEST(KolReaders, UnknownDefaultNameIsReported) {
  try {
    GetChildNodeValue(nullptr, "Alignment", false, "Middle", Align(), "ta");
    FAIL() << "an unknown default was accepted";
  } catch (const EConfigurationError& e) {
    EXPECT_EQ(e.Where(), "default of <Alignment>");
    EXPECT_EQ(e.Found(), "Middle");
  }
}

TEST(KolReaders, DescriptionsNameTheBestKnownPlace) {
  const auto root = Load("<Label>\n <Alignment/>\n</Label>");
  EXPECT_EQ(DescribeChild(root.get(), "Alignment"), "app.xml:2:2: <Label>/<Alignment>");
  EXPECT_EQ(DescribeChild(root.get(), "Missing"), "app.xml:1:1: <Label>/<Missing>");
  EXPECT_EQ(DescribeChild(nullptr, "Alignment"), "<Alignment>");
  EXPECT_EQ(DescribeAttribute(root.get(), "Size"), "app.xml:1:1: <Label> attribute Size");
  EXPECT_EQ(DescribeAttribute(nullptr, "Size"), "attribute Size");
}
