// The checks that make the XML reader strict: pugixml keeps the first of two equal attributes,
// reads past a second root element, leaves unknown entities as text, cuts text at &#0; and takes
// any bytes as UTF-8. A configuration with any of these is refused instead of read differently
// from what its author's tools show.
#include "KolXmlStrict.h"

#include <fmt/printf.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <unordered_set>
#include <vector>
#include <utility>

namespace {

constexpr std::string_view KUtf8Bom = "\xEF\xBB\xBF";

bool IsXmlChar(std::uint32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
         (c >= 0x10000 && c <= 0x10FFFF);
}

// One flag per byte, looked up instead of compared: the scanner tests every byte of every tag.
using TByteSet = std::array<bool, 256>;

constexpr TByteSet ByteSet(std::string_view members) {
  TByteSet set{};
  for (char c : members) set[static_cast<unsigned char>(c)] = true;
  return set;
}

constexpr TByteSet KBlanks = ByteSet(" \t\r\n");
constexpr TByteSet KNameEnds = ByteSet(" \t\r\n=/>");  // a blank, or what follows a name in a tag

bool In(const TByteSet& set, char c) { return set[static_cast<unsigned char>(c)]; }

bool IsBlank(char c) { return In(KBlanks, c); }

// The code point at text[i] and its length in bytes; length 0 for bytes that are no UTF-8
// (overlong forms and surrogates included).
std::pair<std::uint32_t, std::size_t> DecodeUtf8(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  if (lead < 0x80) return {lead, 1};
  std::size_t length = 0;
  std::uint32_t c = 0, least = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, c = lead & 0x1Fu, least = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, c = lead & 0x0Fu, least = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, c = lead & 0x07u, least = 0x10000;
  } else {
    return {0, 0};
  }
  if (i + length > text.size()) return {0, 0};
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return {0, 0};
    c = (c << 6) | (byte(i + k) & 0x3Fu);
  }
  if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return {0, 0};
  return {c, length};
}

// Why the bytes at i are not UTF-8. A surrogate encoded on its own (CESU-8, or UTF-16 converted
// half by half) is named as such: the byte alone would not tell the writer what went wrong.
std::string NotUtf8(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned>(static_cast<unsigned char>(text[k])); };
  if (byte(i) == 0xED && i + 2 < text.size() && byte(i + 1) >= 0xA0 && byte(i + 1) <= 0xBF &&
      (byte(i + 2) & 0xC0) == 0x80) {
    const unsigned surrogate = 0xD000 | ((byte(i + 1) & 0x3F) << 6) | (byte(i + 2) & 0x3F);
    return fmt::sprintf(
        "the bytes 0x%02X 0x%02X 0x%02X encode the surrogate U+%04X, which UTF-8 does not allow; a character "
        "outside the Basic Multilingual Plane is written as its own four bytes",
        byte(i), byte(i + 1), byte(i + 2), surrogate);
  }
  return fmt::sprintf("the byte 0x%02X is not UTF-8; the text must be UTF-8", byte(i));
}

// Printable ASCII, the bulk of any configuration, needs no decoding.
bool IsPlainAscii(char c) { return static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x80; }

// Whether the sixteen bytes from i on are all printable ASCII, tabs and line ends: tested together
// (GCC's vector extension; SSE2 on x86-64), so the long runs of plain text go by quickly.
constexpr std::size_t KPlainBlock = 16;

bool PlainTextBlock(std::string_view text, std::size_t i) {
  using TBytes = unsigned char __attribute__((vector_size(KPlainBlock)));
  if (text.size() - i < KPlainBlock) return false;
  TBytes bytes;
  std::memcpy(&bytes, text.data() + i, sizeof bytes);
  const auto odd = ((bytes < 0x20) & (bytes != '\t') & (bytes != '\n') & (bytes != '\r')) | (bytes >= 0x80);
  std::uint64_t halves[2];
  std::memcpy(halves, &odd, sizeof halves);
  return (halves[0] | halves[1]) == 0;
}

bool IsNameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == ':' || c == '-' || c == '.' ||
         static_cast<unsigned char>(c) >= 0x80;
}

// The value of a character reference's digits ("#65", "#x41"); nullopt when malformed. Values
// past U+10FFFF stop growing, so no digit string overflows.
std::optional<std::uint32_t> CharacterReferenceValue(std::string_view body) {
  const bool hex = body.size() > 1 && body[1] == 'x';
  const std::string_view digits = body.substr(hex ? 2 : 1);
  if (digits.empty()) return std::nullopt;
  std::uint32_t value = 0;
  for (char c : digits) {
    const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                      : hex && c >= 'a' && c <= 'f'               ? c - 'a' + 10
                      : hex && c >= 'A' && c <= 'F'               ? c - 'A' + 10
                                                                  : -1;
    if (digit < 0) return std::nullopt;
    value = std::min<std::uint32_t>(value * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit), 0x110000);
  }
  return value;
}

// Walks the markup: tags with their attributes, references in text and attribute values; skips
// comments, CDATA sections, processing instructions and the document type declaration.
class TMarkupScanner {
 public:
  explicit TMarkupScanner(std::string_view text) : FText(text), FAmpersand(text.find('&')) {}

  std::optional<TXMLFault> Scan() {
    // Text between the markup is only looked at for the next '<' or '&'.
    while ((FPos = std::min(FText.find('<', FPos), NextAmpersand(FPos))) != std::string_view::npos) {
      std::optional<TXMLFault> fault;
      if (FText[FPos] == '&')
        fault = Reference();
      else if (At("<!--"))
        SkipPast(4, "-->");
      else if (At("<![CDATA["))
        SkipPast(9, "]]>");
      else if (At("<?"))
        SkipPast(2, "?>");
      else if (At("<!"))
        SkipDoctype();
      else if (At("</"))
        EndTag();
      else
        fault = StartTag();
      if (fault) return fault;
    }
    return std::nullopt;
  }

 private:
  bool At(std::string_view s) const { return FText.substr(FPos, s.size()) == s; }

  // The first '&' from position on (positions only grow). It is kept between calls: a text with
  // few would otherwise be searched to its end at every '<' and every attribute value.
  std::size_t NextAmpersand(std::size_t position) {
    if (FAmpersand != std::string_view::npos && FAmpersand < position) FAmpersand = FText.find('&', position);
    return FAmpersand;
  }

  void SkipPast(std::size_t opening, std::string_view closing) {
    const std::size_t end = FText.find(closing, FPos + opening);
    FPos = end == std::string_view::npos ? FText.size() : end + closing.size();
  }

  void SkipDoctype() {
    char quote = 0;
    int brackets = 0;
    for (FPos += 2; FPos < FText.size(); ++FPos) {
      const char c = FText[FPos];
      if (quote) {
        if (c == quote) quote = 0;
      } else if (c == '"' || c == '\'') {
        quote = c;
      } else if (c == '[') {
        ++brackets;
      } else if (c == ']') {
        --brackets;
      } else if (c == '>' && brackets <= 0) {
        ++FPos;
        return;
      }
    }
  }

  void EndTag() {
    SkipPast(2, ">");
    if (FDepth > 0) --FDepth;
  }

  std::string_view Name() {
    const std::size_t start = FPos;
    while (FPos < FText.size() && !In(KNameEnds, FText[FPos])) ++FPos;
    return FText.substr(start, FPos - start);
  }

  void SkipBlanks() {
    while (FPos < FText.size() && IsBlank(FText[FPos])) ++FPos;
  }

  std::optional<TXMLFault> StartTag() {
    const std::size_t start = FPos++;
    const std::string_view element = Name();
    if (FDepth == 0 && FRootSeen)
      return TXMLFault{start, fmt::sprintf("a second root element <%s>; a document has one", std::string(element))};
    FRootSeen = true;
    FAttributes.clear();
    if (!FManyAttributes.empty()) FManyAttributes.clear();  // clear() writes every bucket
    while (FPos < FText.size()) {
      SkipBlanks();
      if (At("/>")) {
        FPos += 2;
        return std::nullopt;
      }
      if (At(">")) {
        ++FPos;
        ++FDepth;
        return std::nullopt;
      }
      const std::size_t nameAt = FPos;
      const std::string_view attribute = Name();
      if (attribute.empty()) {
        ++FPos;  // what pugixml accepted and is no name ('/' not before '>')
        continue;
      }
      if (SeenBefore(attribute))
        return TXMLFault{nameAt, fmt::sprintf("the attribute %s is given twice in <%s>", std::string(attribute),
                                              std::string(element))};
      SkipBlanks();
      if (At("=")) ++FPos;
      SkipBlanks();
      if (auto fault = AttributeValue()) return fault;
    }
    return std::nullopt;
  }

  // Whether the start tag being read named this attribute already. A tag has a few: they are
  // compared one by one, and only a tag with very many is hashed, so none costs quadratic time.
  bool SeenBefore(std::string_view attribute) {
    constexpr std::size_t KComparedOneByOne = 32;
    if (FManyAttributes.empty() && FAttributes.size() < KComparedOneByOne) {
      if (std::find(FAttributes.begin(), FAttributes.end(), attribute) != FAttributes.end()) return true;
      FAttributes.push_back(attribute);
      return false;
    }
    if (FManyAttributes.empty()) FManyAttributes.insert(FAttributes.begin(), FAttributes.end());
    return !FManyAttributes.insert(attribute).second;
  }

  std::optional<TXMLFault> AttributeValue() {
    if (FPos >= FText.size() || (FText[FPos] != '"' && FText[FPos] != '\'')) return std::nullopt;
    const char quote = FText[FPos++];
    for (;;) {
      const std::size_t end = FText.find(quote, FPos);
      const std::size_t ampersand = NextAmpersand(FPos);
      if (ampersand >= end) {
        FPos = end == std::string_view::npos ? FText.size() : end + 1;
        return std::nullopt;
      }
      FPos = ampersand;
      if (auto fault = Reference()) return fault;
    }
  }

  std::optional<TXMLFault> Reference() {
    const std::size_t start = FPos;
    // Entity names and character numbers are short: a ';' further on ends something else.
    constexpr std::size_t KLongestReference = 40;
    const std::size_t semicolon = FText.find(';', start);
    const std::string_view body = semicolon == std::string_view::npos || semicolon - start > KLongestReference
                                      ? std::string_view()
                                      : FText.substr(start + 1, semicolon - start - 1);
    const auto bare = [&] { return TXMLFault{start, "a bare '&' (write &amp; for the character itself)"}; };
    if (body.empty()) return bare();
    const std::string written = "&" + std::string(body) + ";";
    if (body[0] == '#') {
      const std::optional<std::uint32_t> value = CharacterReferenceValue(body);
      if (!value) return TXMLFault{start, "the character reference " + written + " is malformed"};
      if (!IsXmlChar(*value))
        return TXMLFault{start,
                         fmt::sprintf("the character reference %s names a character that XML does not allow", written)};
    } else if (body != "lt" && body != "gt" && body != "amp" && body != "apos" && body != "quot") {
      for (char c : body)
        if (!IsNameChar(c)) return bare();
      return TXMLFault{start, "the entity " + written +
                                  " is not defined (only &lt; &gt; &amp; &apos; &quot; and character references are)"};
    }
    FPos = semicolon + 1;
    return std::nullopt;
  }

  std::string_view FText;
  std::size_t FPos = 0;
  std::size_t FAmpersand;  // the first '&' at or after some position not past FPos; npos for none
  int FDepth = 0;
  bool FRootSeen = false;
  std::vector<std::string_view> FAttributes;             // of the start tag being read
  std::unordered_set<std::string_view> FManyAttributes;  // the same, once there are many
};

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

bool SameAsciiText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

// The encoding that the XML declaration names, with its offset; nullopt without one.
std::optional<std::pair<std::string_view, std::size_t>> DeclaredEncoding(std::string_view text, std::size_t at) {
  const std::string_view body = text.substr(at);
  if (!StartsWith(body, "<?xml") || body.size() < 6 || !IsBlank(body[5])) return std::nullopt;
  const std::string_view declaration = body.substr(0, body.find("?>"));
  std::size_t p = declaration.find("encoding");
  if (p == std::string_view::npos) return std::nullopt;
  for (p += 8; p < declaration.size() && IsBlank(declaration[p]);) ++p;
  if (p >= declaration.size() || declaration[p] != '=') return std::nullopt;
  for (++p; p < declaration.size() && IsBlank(declaration[p]);) ++p;
  if (p >= declaration.size() || (declaration[p] != '"' && declaration[p] != '\'')) return std::nullopt;
  const std::size_t end = declaration.find(declaration[p], p + 1);
  if (end == std::string_view::npos) return std::nullopt;
  return std::pair{declaration.substr(p + 1, end - p - 1), at + p + 1};
}

}  // namespace

std::optional<TXMLFault> FindEncodingFault(std::string_view text) {
  if (StartsWith(text, std::string_view("\0\0\xFE\xFF", 4)) || StartsWith(text, std::string_view("\xFF\xFE\0\0", 4)))
    return TXMLFault{0, "the text is UTF-32; only UTF-8 is read"};
  if (StartsWith(text, "\xFE\xFF") || StartsWith(text, "\xFF\xFE"))
    return TXMLFault{0, "the text is UTF-16; only UTF-8 is read"};
  // Without a byte order mark, '<' or '<?' in UTF-16 or UTF-32 has zero bytes among the first four.
  if (text.substr(0, 4).find('\0') != std::string_view::npos)
    return TXMLFault{0, "the text is UTF-16 or UTF-32 (it begins with zero bytes); only UTF-8 is read"};
  const std::size_t start = StartsWith(text, KUtf8Bom) ? KUtf8Bom.size() : 0;
  const auto encoding = DeclaredEncoding(text, start);
  if (encoding && !SameAsciiText(encoding->first, "UTF-8"))
    return TXMLFault{encoding->second, "the encoding '" + std::string(encoding->first) +
                                           "' is not read; the text must be UTF-8 (declare UTF-8 or none)"};
  return std::nullopt;
}

std::optional<TXMLFault> FindCharacterFault(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    if (PlainTextBlock(text, i)) {
      i += KPlainBlock;
      continue;
    }
    if (IsPlainAscii(text[i])) {
      ++i;
      continue;
    }
    const auto [c, length] = DecodeUtf8(text, i);
    if (length == 0) return TXMLFault{i, NotUtf8(text, i)};
    if (!IsXmlChar(c)) return TXMLFault{i, fmt::sprintf("the character U+%04X is not allowed in XML", c)};
    i += length;
  }
  return std::nullopt;
}

std::optional<TXMLFault> FindMarkupFault(std::string_view text) { return TMarkupScanner(text).Scan(); }
