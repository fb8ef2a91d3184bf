/// @file
/// KOL30 string helpers. Text is UTF-8; comparisons that ignore case ignore it for ASCII letters.
#pragma once
#pragma GCC visibility push(default)

#include <string>
#include <string_view>

bool SameText(std::string_view a, std::string_view b);  // ignores the case of ASCII letters
int Occurs(char c, std::string_view text);
/// The n-th piece (from 1) of text between separators c; "" when there is no such piece.
std::string GetSubString(std::string_view text, char c, int n);
/// Text without leading and trailing blanks and control characters.
std::string TrimText(std::string_view text);

#pragma GCC visibility pop
