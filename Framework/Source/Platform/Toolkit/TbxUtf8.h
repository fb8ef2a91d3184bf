// UTF-8 for the text metrics: decoding that never fails, and the clean text that is measured.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

constexpr char32_t KReplacementChar = 0xFFFD;

struct TUtf8Char {
  char32_t Code;  // U+FFFD for an invalid sequence
  int Length;     // bytes taken, at least 1
  bool Valid;
};

// The character at text[at] (at < text.size()). An invalid sequence is its longest start that
// could begin a valid one, so that decoding goes on at the next byte that may start a character.
TUtf8Char DecodeUtf8(std::string_view text, std::size_t at);
void AppendUtf8(std::string& out, char32_t code);

// Text fit to measure as one line: each invalid sequence becomes U+FFFD and each control
// character a space. Returns text itself when it is fit already, else storage filled.
std::string_view CleanLine(std::string_view text, std::string& storage);

// The lines of text as separated by LF, CR LF or CR; an empty text is one empty line.
std::vector<std::string_view> SplitParagraphs(std::string_view text);
