// The reader refuses what a lenient parser would read differently from the author's tools, and
// keeps reading every valid form it read before.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "KolXml.h"

using ::testing::HasSubstr;

namespace {

struct TStrictCase {
  const char* Name;
  std::string Text;
  int Line, Column;
  const char* Problem;
};

void PrintTo(const TStrictCase& c, std::ostream* os) { *os << c.Name; }

class KolXmlStrict : public ::testing::TestWithParam<TStrictCase> {};

TEST_P(KolXmlStrict, RefusesWithTheLineAndColumnOfTheFault) {
  const TStrictCase& c = GetParam();
  try {
    LoadXMLDocument(c.Text, "app.xml");
    FAIL() << "accepted";
  } catch (const EXMLParseError& e) {
    EXPECT_EQ(e.Line(), c.Line) << e.Message();
    EXPECT_EQ(e.Column(), c.Column) << e.Message();
    EXPECT_THAT(e.Description(), HasSubstr(c.Problem));
    EXPECT_EQ(e.Message().rfind("app.xml:" + std::to_string(c.Line) + ":", 0), 0u) << e.Message();
  }
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Faults, KolXmlStrict,
    ::testing::Values(
        TStrictCase{"DuplicateAttribute", "<A>\n  <B x=\"1\" y=\"2\" x=\"3\"/>\n</A>", 2, 18,
                    "the attribute x is given twice in <B>"},
        TStrictCase{"SecondRoot", "<A/>\n<B/>\n", 2, 1, "a second root element <B>"},
        TStrictCase{"SecondRootAfterContent", "<A><C>t</C></A><A/>", 1, 16, "a second root element <A>"},
        TStrictCase{"UndefinedEntity", "<A>\n  x &nbsp; y</A>", 2, 5, "the entity &nbsp; is not defined"},
        TStrictCase{"UndefinedEntityInAttribute", "<A b='&copy;'/>", 1, 7, "the entity &copy; is not defined"},
        TStrictCase{"BareAmpersand", "<A>Fish & Chips</A>", 1, 9, "a bare '&'"},
        TStrictCase{"BareAmpersandAtTheEnd", "<A b='x&'/>", 1, 8, "a bare '&'"},
        TStrictCase{"NulReference", "<A>abc&#0;def</A>", 1, 7, "&#0; names a character that XML does not allow"},
        TStrictCase{"ControlReference", "<A b='&#x1B;'/>", 1, 7, "&#x1B; names a character"},
        TStrictCase{"HugeReference", "<A>&#99999999999999999999;</A>", 1, 4, "names a character"},
        TStrictCase{"MalformedReference", "<A>&#x;</A>", 1, 4, "&#x; is malformed"},
        TStrictCase{"ControlCharacter", "<A>\n a\x01 b</A>", 2, 3, "U+0001 is not allowed"},
        TStrictCase{"ControlCharacterInAComment", "<A><!-- \x1F --></A>", 1, 9, "U+001F"},
        TStrictCase{"NulByte", "<A>x"s + '\0' + "y</A>", 1, 5, "U+0000"},
        TStrictCase{"NotUtf8", "<A>caf\xE9</A>", 1, 7, "the byte 0xE9 is not UTF-8"},
        TStrictCase{"Latin1Declared", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<A>caf\xE9</A>", 1, 31,
                    "the encoding 'ISO-8859-1' is not read"},
        TStrictCase{"Utf16WithByteOrderMark", "\xFF\xFE<\0A\0/\0>\0"s, 1, 1, "UTF-16"},
        TStrictCase{"Utf16BigEndianWithoutByteOrderMark", "\0<\0A\0/\0>"s, 1, 1, "UTF-16"},
        TStrictCase{"Utf32", "\xFF\xFE\0\0<\0\0\0"s, 1, 1, "UTF-32"}));

TEST(KolXmlStrictAccepts, TheValidFormsReadBefore) {
  const auto root = LoadXMLDocument(
      "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
      "<!DOCTYPE A [ <!ELEMENT A ANY> ]>\n"
      "<!-- & < and a 'quote' in a comment -->\n"
      "<A b=\"&lt;&gt;&amp;&apos;&quot;\" c='&#65;&#x42;&#x1F600;'>\n"
      "  <![CDATA[ & &nope; ]]><?pi & ?>caf\xC3\xA9\t&#9;&#10;&#xD;\n"
      "</A>\n",
      "ok.xml");
  EXPECT_EQ(root->GetAttribute("b"), "<>&'\"");
  EXPECT_EQ(root->GetAttribute("c"), "AB\xF0\x9F\x98\x80");
  EXPECT_THAT(root->Text(), HasSubstr(" & &nope; "));
  EXPECT_THAT(root->Text(), HasSubstr("caf\xC3\xA9\t\t\n\r"));
  // Attributes of different elements, and of one element with names that only share a prefix.
  EXPECT_NO_THROW(LoadXMLDocument("<A x='1' xy='2'><B x='3'/><B x='4'/></A>", "ok.xml"));
}

TEST(KolXml, LoadXMLFileNamesADirectoryAndAFileTooLarge) {
  const std::string dir = testing::TempDir();
  try {
    LoadXMLFile(dir);
    FAIL() << "a directory was read";
  } catch (const EXMLParseError& e) {
    EXPECT_EQ(e.Message(), dir + ": cannot read the file: it is a directory");
  }
  const std::string big = testing::TempDir() + "kol_big_" + std::to_string(getpid()) + ".xml";
  std::ofstream(big) << "<A/>";
  std::filesystem::resize_file(big, KXMLMaxFileSize + 1);
  for (const std::string& file : {big, std::string("/dev/zero")}) {
    try {
      LoadXMLFile(file);
      FAIL() << file << " was read";
    } catch (const EXMLParseError& e) {
      EXPECT_EQ(e.Message(), file + ": cannot read the file: it is larger than 16777216 bytes");
    }
  }
  std::remove(big.c_str());
}

}  // namespace
