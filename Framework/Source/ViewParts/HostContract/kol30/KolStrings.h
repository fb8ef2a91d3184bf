/// @file
/// KOL30 string helpers. Text is UTF-8; comparisons that ignore case ignore it for ASCII letters.
#pragma once
#pragma GCC visibility push(default)

#include <string>
#include <string_view>
#include <vector>

bool SameText(std::string_view a, std::string_view b);  // ignores the case of ASCII letters
int Occurs(char c, std::string_view text);
/// The n-th piece (from 1) of text between separators c; "" when there is no such piece.
std::string GetSubString(std::string_view text, char c, int n);
/// Text without leading and trailing blanks and control characters.
std::string TrimText(std::string_view text);
/// The known name closest to a name that was not found, for "did you mean ...?" messages: one
/// that differs only in the case of ASCII letters first, else the one with the fewest edits
/// (insertions, deletions, substitutions, case folded) if that is at most a third of the name's
/// length (at least one); "" when none is that close. Ties go to the earlier known name.
std::string ClosestName(std::string_view name, const std::vector<std::string>& known);

#pragma GCC visibility pop
