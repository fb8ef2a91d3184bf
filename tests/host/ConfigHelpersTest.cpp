#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "NUVConfig.h"
#include "TestHost.h"

using ::testing::HasSubstr;

namespace {

TIntfPtr<IXMLNode> Xml(const std::string& text) { return LoadXMLDocument(text, "test.xml"); }

TEST(GetChildNode, FindsOrCreatesOnRequest) {
  auto root = Xml("<ExtData><Label/></ExtData>");
  EXPECT_EQ(GetChildNode(root.get(), "Label", false)->NodeName(), "Label");
  EXPECT_EQ(GetChildNode(root.get(), "Toolbar", false), nullptr);
  EXPECT_EQ(GetChildNode(nullptr, "Toolbar", false), nullptr);
  auto made = GetChildNode(nullptr, "Toolbar", true);
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->NodeName(), "Toolbar");
  EXPECT_EQ(made->ChildNodes()->Count(), 0);
}

TEST(GetNodeColor, AcceptsNamesHexAndDecimalAndDefaultsWhenAbsent) {
  auto color = [](const std::string& text) { return GetNodeColor(Xml("<C>" + text + "</C>").get(), clBlack); };
  EXPECT_EQ(GetNodeColor(nullptr, clDefault), clDefault);
  EXPECT_EQ(color(""), clBlack);
  EXPECT_EQ(color("clRed"), clRed);
  EXPECT_EQ(color(" CLBTNSHADOW "), 0xFF000010u);
  EXPECT_EQ(color("clDefault"), 0x1FFFFFFFu);
  EXPECT_EQ(color("#FF8000"), 0x0080FFu);  // web RGB becomes 0x00BBGGRR
  EXPECT_EQ(color("$00FF0000"), clBlue);
  EXPECT_EQ(color("255"), clRed);
  EXPECT_EQ(color("4294967295"), 0xFFFFFFFFu);  // the largest TColor, either way written
  EXPECT_EQ(color("$FFFFFFFF"), 0xFFFFFFFFu);
  for (const char* bad : {"clPink", "#12345", "$XYZ", "-1", "4294967296", "12px"}) {
    try {
      color(bad);
      ADD_FAILURE() << bad << " was accepted";
    } catch (const EConfigurationError& e) {
      EXPECT_EQ(e.Found(), bad);
      EXPECT_THAT(e.Message(), HasSubstr("test.xml:1:1"));
    }
  }
}

TEST(GetNodeFont, AppliesOnlyWhatTheElementGives) {
  TFont font;
  GetNodeFont(nullptr, font);
  EXPECT_EQ(font.GetName(), "Tahoma");
  GetNodeFont(Xml("<Font><Size>14</Size><Style>underline,StrikeOut</Style></Font>").get(), font);
  EXPECT_EQ(font.GetName(), "Tahoma");
  EXPECT_EQ(font.GetSize(), 14);
  EXPECT_EQ(font.GetStyle(), (TFontStyles{fsUnderline, fsStrikeOut}));
  GetNodeFont(Xml("<Font><Style/></Font>").get(), font);
  EXPECT_TRUE(font.GetStyle().Empty());
  EXPECT_THROW(GetNodeFont(Xml("<Font><Style>Bold,Heavy</Style></Font>").get(), font), EConfigurationError);
  EXPECT_THROW(GetNodeFont(Xml("<Font><Size>0</Size></Font>").get(), font), EConfigurationError);
  EXPECT_THROW(GetNodeFont(Xml("<Font><Size>12pt</Size></Font>").get(), font), EConfigurationError);
  EXPECT_EQ(font.GetSize(), 14);
}

TEST(GetDockableTo, ParsesListsAndKeepsTheCurrentSetForEmptyText) {
  TTBDockPositions current{dpTop};
  EXPECT_EQ(GetDockableTo("", current), current);
  EXPECT_EQ(GetDockableTo("  ", current), current);
  EXPECT_EQ(GetDockableTo("left, Right", current), (TTBDockPositions{dpLeft, dpRight}));
  EXPECT_EQ(GetDockableTo("All", current), (TTBDockPositions{dpTop, dpBottom, dpLeft, dpRight}));
  EXPECT_THROW(GetDockableTo("Top,,Left", current), EConfigurationError);
  EXPECT_THROW(GetDockableTo("Middle", current), EConfigurationError);
}

TEST(CheckNodeName, ReportsAnElementOfAnotherName) {
  auto panels = Xml("<Panels><Panel/><Pane/></Panels>")->ChildNodes();
  EXPECT_NO_THROW(CheckNodeName(panels->Get(0).get(), "Panel"));
  try {
    CheckNodeName(panels->Get(1).get(), "Panel");
    FAIL();
  } catch (const EConfigurationError& e) {
    EXPECT_EQ(e.Found(), "Pane");
    EXPECT_THAT(e.Message(), HasSubstr("<Panel>"));
  }
  // No element at all is reported as such, not read.
  EXPECT_THROW(CheckNodeName(nullptr, "Panel"), EConfigurationError);
}

TEST(ParseConfig, ExpandsNamedValuesOfTheWorkItemAndItsParents) {
  TTestHost host;
  host.WorkItem().GetNamedValues()->SetStrValue("AppTitle", "Demo");
  TIntfPtr<INUVWorkItem> child = MakeCounted<TNUVWorkItem>("Child", nullptr, TIntfPtr<INUVWorkItem>(&host.WorkItem()));
  child->GetNamedValues()->SetStrValue("Doc", "a.txt");
  EXPECT_EQ(TNUVDataUtils::ParseConfig(child.get(), "${AppTitle} - ${Doc}"), "Demo - a.txt");
  EXPECT_EQ(TNUVDataUtils::ParseConfig(child.get(), "${Unknown} costs $$5 ${"), "${Unknown} costs $5 ${");
  EXPECT_EQ(TNUVDataUtils::ParseConfig(nullptr, "plain ${AppTitle}"), "plain ${AppTitle}");
}

// A reference holds no other "${"; a long text of unclosed or nested references comes back as
// it was (in one pass: the old scan looked for a "}" from every "${").
TEST(ParseConfig, TheInnermostReferenceIsExpandedAndUnclosedOnesStayAsTheyAre) {
  TTestHost host;
  host.WorkItem().GetNamedValues()->SetStrValue("b", "B");
  host.WorkItem().GetNamedValues()->SetStrValue("a${b", "never");
  EXPECT_EQ(TNUVDataUtils::ParseConfig(host.WorkItemIntf(), "${a${b}"), "${aB");
  EXPECT_EQ(TNUVDataUtils::ParseConfig(host.WorkItemIntf(), "${b}}${b"), "B}${b");
  EXPECT_EQ(TNUVDataUtils::ParseConfig(host.WorkItemIntf(), "x{b} {b} $"), "x{b} {b} $");  // only "${" opens one
  std::string unclosed;
  for (int i = 0; i < 20000; ++i) unclosed += "${";
  EXPECT_EQ(TNUVDataUtils::ParseConfig(host.WorkItemIntf(), unclosed), unclosed);
  EXPECT_EQ(TNUVDataUtils::ParseConfig(host.WorkItemIntf(), unclosed + "b}"), unclosed.substr(2) + "B");
}

TEST(Services, LookupsGiveTheRegisteredServicesOrNil) {
  TTestHost host;
  EXPECT_NE(FindImageService(host.WorkItemIntf(), SImageServiceID), nullptr);
  EXPECT_NE(GetActionService(host.WorkItemIntf(), SActionServiceID), nullptr);
  EXPECT_EQ(FindImageService(host.WorkItemIntf(), SActionServiceID), nullptr);  // wrong interface
  host.RemoveImageService();
  EXPECT_EQ(FindImageService(host.WorkItemIntf(), SImageServiceID), nullptr);
  EXPECT_EQ(FindImageService(nullptr, SImageServiceID), nullptr);
}

TEST(HostHelpers, NilArgumentsFailAnAssertionOfTheHelpersUnit) {
  try {
    BuildToolbar(nullptr, nullptr, nullptr, nullptr, nullptr);
    ADD_FAILURE() << "a toolbar was built on nothing";
  } catch (const EAssertionFailed& e) {
    EXPECT_EQ(e.SourcePath(), "Framework\\Source\\Platform\\Host\\NUVToolbarBuilder");
  }
  try {
    TNUVWorkItemUtils::SetViewPartFocused(nullptr, true);
    ADD_FAILURE() << "nothing was focused";
  } catch (const EAssertionFailed& e) {
    EXPECT_EQ(e.SourcePath(), "Framework\\Source\\Platform\\Host\\NUVConfig");
  }
}

// Only Item and Separator elements become items, at any level; other elements among them are left
// alone, and no element at all builds nothing.
TEST(BuildToolbar, OnlyItemAndSeparatorElementsBecomeItems) {
  TTBXToolbar toolbar(nullptr);
  BuildToolbar(&toolbar, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(toolbar.Items()->Count(), 0);
  auto element =
      Xml("<Toolbar><Note/><Item Caption=\"File\"><Note/><Item Caption=\"Open\"/><!-- more soon --><Separator/>"
          "</Item></Toolbar>");
  BuildToolbar(&toolbar, nullptr, element.get(), nullptr, nullptr);
  ASSERT_EQ(toolbar.Items()->Count(), 1);
  EXPECT_EQ(toolbar.Items()->GetItem(0)->Count(), 2);
}

}  // namespace
