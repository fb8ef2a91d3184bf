// The reader refuses what a lenient parser would read differently from the author's tools, and
// keeps reading every valid form it read before.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

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
        // The scanner keeps the next '&' it found: faults after valid references, in text and in
        // attributes, and after an '&' skipped inside a comment, are still found.
        TStrictCase{"EntityAfterValidOnes", "<A a='&amp;'>&lt;<B c='&#65;&gt;&bad;'/></A>", 1, 33,
                    "the entity &bad; is not defined"},
        TStrictCase{"BareAmpersandAfterAComment", "<A><!-- & --><B/>&amp;<C d='1 & 2'/></A>", 1, 31, "a bare '&'"},
        TStrictCase{"ControlCharacter", "<A>\n a\x01 b</A>", 2, 3, "U+0001 is not allowed"},
        TStrictCase{"ControlCharacterInAComment", "<A><!-- \x1F --></A>", 1, 9, "U+001F"},
        TStrictCase{"NulByte", "<A>x"s + '\0' + "y</A>", 1, 5, "U+0000"},
        TStrictCase{"NotUtf8", "<A>caf\xE9</A>", 1, 7, "the byte 0xE9 is not UTF-8"},
        TStrictCase{"EncodedSurrogate", "<A>\xED\xA0\xBD\xED\xB8\x80</A>", 1, 4,
                    "the bytes 0xED 0xA0 0xBD encode the surrogate U+D83D, which UTF-8 does not allow"},
        TStrictCase{"TruncatedSurrogate", "<A>\xED\xA0</A>", 1, 4, "the byte 0xED is not UTF-8"},
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

// A tag with many attributes: the first name given again is the one named, before and after
// the number at which the reader stops comparing names one by one, and a long tag of distinct
// names is read.
TEST(KolXmlStrictAccepts, ManyAttributesAreCheckedForRepeatsWhateverTheirNumber) {
  const auto tag = [](int count, std::vector<int> repeated) {
    std::string text = "<A";
    for (int i = 0; i < count; ++i) text += " a" + std::to_string(i) + "='v'";
    std::size_t first = std::string::npos;
    for (int i : repeated) {
      if (first == std::string::npos) first = text.size() + 1;
      text += " a" + std::to_string(i) + "='w'";
    }
    return std::pair{text + "/>", first};
  };
  for (int count : {5, 31, 32, 33, 100, 5000}) {
    EXPECT_NO_THROW(LoadXMLDocument(tag(count, {}).first, "ok.xml")) << count;
    for (const std::vector<int>& repeated : {std::vector{count - 1, 0}, std::vector{0, count - 1}}) {
      const auto [text, at] = tag(count, repeated);
      try {
        LoadXMLDocument(text, "app.xml");
        FAIL() << count << " attributes and a repeat were accepted";
      } catch (const EXMLParseError& e) {
        EXPECT_EQ(e.Column(), static_cast<int>(at) + 1) << count;
        EXPECT_THAT(e.Description(), HasSubstr("the attribute a" + std::to_string(repeated[0]) + " is given twice"));
      }
    }
  }
}

// Long runs of plain text are checked several bytes at a time: a fault is found at every offset
// within such a run, and valid UTF-8, DEL, tabs and line ends anywhere in it are accepted (the
// control characters next to those in value are not).
TEST(KolXmlStrictAccepts, AFaultInALongRunOfTextIsFoundWhereverItStands) {
  for (std::size_t at = 0; at < 24; ++at) {
    const auto text = [&](std::string_view inserted) {
      std::string body(32, 'x');
      return "<A>" + body.insert(at, inserted) + "</A>";
    };
    EXPECT_NO_THROW(LoadXMLDocument(text("caf\xC3\xA9\x7F ~"), "ok.xml")) << at;
    EXPECT_NO_THROW(LoadXMLDocument(text("\t\n\r"), "ok.xml")) << at;
    for (const auto& [inserted, problem] :
         {std::pair{"\x01", "U+0001"}, std::pair{"\x1F", "U+001F"}, std::pair{"\x08", "U+0008"},
          std::pair{"\x0B", "U+000B"}, std::pair{"\x0C", "U+000C"}, std::pair{"\x0E", "U+000E"},
          std::pair{"\x80", "the byte 0x80 is not UTF-8"}, std::pair{"\xFF", "the byte 0xFF is not UTF-8"}}) {
      try {
        LoadXMLDocument(text(inserted), "app.xml");
        FAIL() << problem << " at " << at << " was accepted";
      } catch (const EXMLParseError& e) {
        EXPECT_EQ(e.Column(), static_cast<int>(at) + 4) << problem;
        EXPECT_THAT(e.Description(), HasSubstr(problem));
      }
    }
  }
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
  try {
    LoadXMLFile(big);
    FAIL() << big << " was read";
  } catch (const EXMLParseError& e) {
    EXPECT_EQ(e.Message(), big + ": cannot read the file: it is larger than 16777216 bytes");
  }
  // An endless device is no regular file: refused before a byte is read.
  try {
    LoadXMLFile("/dev/zero");
    FAIL() << "/dev/zero was read";
  } catch (const EXMLParseError& e) {
    EXPECT_EQ(e.Message(), "/dev/zero: cannot read the file: it is not a regular file");
  }
  std::remove(big.c_str());
}

}  // namespace
