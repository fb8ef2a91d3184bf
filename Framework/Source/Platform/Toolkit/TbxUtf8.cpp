// UTF-8 decoding and clean lines.
#include "TbxUtf8.h"

namespace {
bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The range of the second byte after a lead byte, which rules out overlong forms, surrogates and
// code points above U+10FFFF; the other continuation bytes take 80..BF.
struct TLead {
  int Length;
  unsigned char SecondMin, SecondMax;
};

TLead LeadOf(unsigned char byte) {
  if (byte >= 0xC2 && byte <= 0xDF) return {2, 0x80, 0xBF};
  if (byte == 0xE0) return {3, 0xA0, 0xBF};
  if (byte == 0xED) return {3, 0x80, 0x9F};
  if (byte >= 0xE1 && byte <= 0xEF) return {3, 0x80, 0xBF};
  if (byte == 0xF0) return {4, 0x90, 0xBF};
  if (byte >= 0xF1 && byte <= 0xF3) return {4, 0x80, 0xBF};
  if (byte == 0xF4) return {4, 0x80, 0x8F};
  return {0, 0, 0};
}

bool IsControl(char32_t code) { return code < 0x20 || (code >= 0x7F && code <= 0x9F); }
}  // namespace

TUtf8Char DecodeUtf8(std::string_view text, std::size_t at) {
  const auto first = static_cast<unsigned char>(text[at]);
  if (first < 0x80) return {first, 1, true};
  const TLead lead = LeadOf(first);
  if (lead.Length == 0) return {KReplacementChar, 1, false};
  char32_t code = first & (0x7F >> lead.Length);
  for (int i = 1; i < lead.Length; ++i) {
    if (at + i >= text.size()) return {KReplacementChar, i, false};
    const auto byte = static_cast<unsigned char>(text[at + i]);
    const bool fits = i == 1 ? byte >= lead.SecondMin && byte <= lead.SecondMax : IsContinuation(byte);
    if (!fits) return {KReplacementChar, i, false};
    code = (code << 6) | (byte & 0x3F);
  }
  return {code, lead.Length, true};
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

std::string_view CleanLine(std::string_view text, std::string& storage) {
  std::size_t at = 0;
  // Most captions are fit already: they are measured in place. Printable ASCII needs no decoding.
  while (at < text.size() && static_cast<unsigned char>(text[at]) >= 0x20 &&
         static_cast<unsigned char>(text[at]) < 0x7F)
    ++at;
  while (at < text.size()) {
    const TUtf8Char c = DecodeUtf8(text, at);
    if (!c.Valid || IsControl(c.Code)) break;
    at += c.Length;
  }
  if (at == text.size()) return text;
  storage.assign(text.substr(0, at));
  while (at < text.size()) {
    const TUtf8Char c = DecodeUtf8(text, at);
    if (!c.Valid)
      AppendUtf8(storage, KReplacementChar);
    else if (IsControl(c.Code))
      storage += ' ';
    else
      storage.append(text.substr(at, c.Length));
    at += c.Length;
  }
  return storage;
}

std::vector<std::string_view> SplitParagraphs(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] != '\n' && text[at] != '\r') continue;
    lines.push_back(text.substr(start, at - start));
    if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') ++at;
    start = at + 1;
  }
  lines.push_back(text.substr(start));
  return lines;
}
