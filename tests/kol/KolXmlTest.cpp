#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "KolXml.h"

namespace {

const char* const SApp =
    "<?xml version=\"1.0\"?>\n"
    "<Label Name=\"Title\" Kind=\"x\">\n"
    "  <!-- a comment -->\n"
    "  <Caption>  x </Caption>\n"
    "  text between\n"
    "  <Font><Name>Arial</Name></Font>\n"
    "  <Caption>second</Caption>\n"
    "</Label>\n";

std::vector<std::string> ChildNames(const IXMLNode& node) {
  std::vector<std::string> names;
  const auto list = node.ChildNodes();
  for (int i = 0; i < list->Count(); ++i) names.push_back(list->Get(i)->NodeName());
  return names;
}

}  // namespace

TEST(KolXml, ChildNodesListsElementsOnly) {
  const auto root = LoadXMLDocument(SApp, "app.xml");
  EXPECT_EQ(root->NodeName(), "Label");
  EXPECT_EQ(ChildNames(*root), (std::vector<std::string>{"Caption", "Font", "Caption"}));
  EXPECT_TRUE(root->HasChildNodes());
  const auto name = root->ChildNodes()->FindNode("Font")->ChildNodes()->Get(0);
  EXPECT_FALSE(name->HasChildNodes());
  EXPECT_THROW(root->ChildNodes()->Get(3), Exception);
  EXPECT_THROW(root->ChildNodes()->Get(-1), Exception);
}

TEST(KolXml, FindNodeMatchesTheExactNameAndTakesTheFirst) {
  const auto root = LoadXMLDocument(SApp, "app.xml");
  const auto list = root->ChildNodes();
  ASSERT_TRUE(list->FindNode("Caption"));
  EXPECT_EQ(list->FindNode("Caption")->Text(), "  x ");
  EXPECT_FALSE(list->FindNode("caption"));
  EXPECT_FALSE(list->FindNode("Name"));  // grandchildren are not searched
}

// The readers' shortcut must find what the child list finds, and keep the document alive.
TEST(KolXml, FindChildNodeFindsWhatTheChildListFinds) {
  TIntfPtr<IXMLNode> caption;
  {
    const auto root = LoadXMLDocument(SApp, "app.xml");
    for (const char* name : {"Caption", "Font", "caption", "Name", "Label"}) {
      const auto expected = root->ChildNodes()->FindNode(name);
      const auto found = FindChildNode(root.get(), name);
      ASSERT_EQ(static_cast<bool>(found), static_cast<bool>(expected)) << name;
      if (found) {
        EXPECT_EQ(found->Line(), expected->Line()) << name;
      }
    }
    EXPECT_FALSE(FindChildNode(nullptr, "Caption"));
    caption = FindChildNode(root.get(), "Caption");
  }
  EXPECT_EQ(caption->Text(), "  x ");
  EXPECT_EQ(caption->ParentNode()->NodeName(), "Label");
}

TEST(KolXml, TextIsTheElementsOwnTextAsWritten) {
  const auto root = LoadXMLDocument("<A>a<![CDATA[<b>]]>c<B>inner</B>d<C>   </C><D/></A>", "t.xml");
  EXPECT_EQ(root->Text(), "a<b>cd");
  EXPECT_EQ(root->ChildNodes()->FindNode("C")->Text(), "   ");
  EXPECT_EQ(root->ChildNodes()->FindNode("D")->Text(), "");
}

TEST(KolXml, AttributesAndParents) {
  const auto root = LoadXMLDocument(SApp, "app.xml");
  EXPECT_TRUE(root->HasAttribute("Name"));
  EXPECT_EQ(root->GetAttribute("Name"), "Title");
  EXPECT_FALSE(root->HasAttribute("name"));
  EXPECT_EQ(root->GetAttribute("Missing"), "");
  EXPECT_EQ(root->AttributeNames(), (std::vector<std::string>{"Name", "Kind"}));
  const auto font = root->ChildNodes()->FindNode("Font");
  EXPECT_EQ(font->ParentNode()->NodeName(), "Label");
  EXPECT_FALSE(root->ParentNode());
}

TEST(KolXml, NodesReportWhereTheyStand) {
  const auto root = LoadXMLDocument(SApp, "app.xml");
  EXPECT_EQ(root->Location(), "app.xml:2:1: <Label>");
  const auto font = root->ChildNodes()->FindNode("Font");
  EXPECT_EQ(font->SourceName(), "app.xml");
  EXPECT_EQ(font->Line(), 6);
  EXPECT_EQ(font->Column(), 3);
  EXPECT_EQ(font->ChildNodes()->Get(0)->Location(), "app.xml:6:9: <Name>");
}

TEST(KolXml, NodesKeepTheirDocumentAlive) {
  TIntfPtr<IXMLNode> name;
  {
    const auto root = LoadXMLDocument(SApp, "app.xml");
    name = root->ChildNodes()->FindNode("Font")->ChildNodes()->Get(0);
  }
  EXPECT_EQ(name->Text(), "Arial");
  EXPECT_EQ(name->ParentNode()->ParentNode()->NodeName(), "Label");
  EXPECT_TRUE(Supports<IXMLNode>(name));
  EXPECT_FALSE(Supports<IXMLNodeList>(name));
}

TEST(KolXml, ParseErrorsNameSourceLineAndColumn) {
  try {
    LoadXMLDocument("<A>\n  <B>\n  </C>\n</A>", "bad.xml");
    FAIL() << "mismatched tags were accepted";
  } catch (const EXMLParseError& e) {
    EXPECT_EQ(e.SourceName(), "bad.xml");
    EXPECT_EQ(e.Line(), 3);
    EXPECT_EQ(e.Column(), 5);
    EXPECT_EQ(e.Message(), "bad.xml:3:5: " + e.Description());
    EXPECT_FALSE(e.Description().empty());
  }
  EXPECT_THROW(LoadXMLDocument("  ", "empty.xml"), EXMLParseError);
  EXPECT_THROW(LoadXMLDocument("<A x=1/>", "attr.xml"), EXMLParseError);
}

TEST(KolXml, LoadXMLFileNamesTheFile) {
  const std::string path = testing::TempDir() + "kol_load_test.xml";
  std::ofstream(path) << "<Root>\n  <Child/>\n</Root>\n";
  const auto root = LoadXMLFile(path);
  EXPECT_EQ(root->ChildNodes()->Get(0)->Location(), path + ":2:3: <Child>");
  std::remove(path.c_str());

  try {
    LoadXMLFile(path);
    FAIL() << "a missing file was read";
  } catch (const EXMLParseError& e) {
    EXPECT_EQ(e.SourceName(), path);
    EXPECT_EQ(e.Message(), path + ": cannot read the file");
  }
}

TEST(KolXml, CreatedElementIsEmptyAndHasNoPosition) {
  const auto element = CreateXMLElement("Toolbar");
  EXPECT_EQ(element->NodeName(), "Toolbar");
  EXPECT_EQ(element->ChildNodes()->Count(), 0);
  EXPECT_EQ(element->Text(), "");
  EXPECT_FALSE(element->ParentNode());
  EXPECT_EQ(element->Line(), 0);
  EXPECT_EQ(element->Location(), "<generated>: <Toolbar>");
}
