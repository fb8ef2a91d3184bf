/// @file
/// Keys as the toolkit takes them from a backend or a script, and access keys: the letter that an
/// `&` marks in a caption.
#pragma once
#pragma GCC visibility push(default)

#include <string>
#include <string_view>
#include <vector>

#include "KolEnums.h"

/// A key: one of the named keys below, or a character, its code point (ASCII letters upper case).
using TKey = int;

constexpr TKey vkNone = 0;
constexpr TKey vkTab = 9;
constexpr TKey vkReturn = 13;
constexpr TKey vkMenu = 18;  ///< Alt pressed and released alone
constexpr TKey vkEscape = 27;
constexpr TKey vkSpace = 32;
constexpr TKey vkEnd = 35;
constexpr TKey vkHome = 36;
constexpr TKey vkLeft = 37;
constexpr TKey vkUp = 38;
constexpr TKey vkRight = 39;
constexpr TKey vkDown = 40;
constexpr TKey vkF10 = 121;

KOL_ENUM(TShiftStateValue, ssShift, ssAlt, ssCtrl)
using TShiftState = TSet<TShiftStateValue>;

/// A key with the modifiers held down with it.
struct TKeyStroke {
  TKey Key = vkNone;
  TShiftState Shift;
  friend constexpr bool operator==(const TKeyStroke&, const TKeyStroke&) = default;
};

/// A key stroke from its name: "Tab", "Shift+Tab", "Alt", "Alt+N", "F10", "Enter", "Space",
/// "Escape", "Left", "Right", "Up", "Down", "Home", "End", or one character ("N", "5"); names and
/// modifiers in any letter case. False when the text names no key.
bool ParseKeyStroke(std::string_view text, TKeyStroke& stroke);
/// The name ParseKeyStroke reads: "Shift+Tab", "Alt+N".
std::string KeyStrokeName(const TKeyStroke& stroke);
/// The key that typing the character gives: ASCII letters in upper case, others as they are.
TKey KeyOfChar(char32_t code);

/// A caption as shown, with the access key it marks: every single `&` is dropped, `&&` shows one
/// `&`, and the character after the first single `&` is the access key, drawn underlined.
struct TAccessKeyText {
  std::string Text;    ///< the caption as shown
  int KeyOffset = -1;  ///< where the underlined character starts in Text (bytes); -1: none
  int KeyLength = 0;   ///< its length in bytes
  TKey Key = vkNone;   ///< the key that reaches it (KeyOfChar of the character)
};
TAccessKeyText ParseAccessKey(std::string_view caption);
/// Where the underlined character of a caption stands in the lines it is drawn as (its text wrapped
/// or cut short): the line, and the bytes in it. Line -1 when no line shows it.
struct TAccessKeyPlace {
  int Line = -1;
  int Offset = 0;
  int Length = 0;
};
TAccessKeyPlace FindAccessKey(const TAccessKeyText& caption, const std::vector<std::string>& lines);
/// The caption as shown (ParseAccessKey's Text), without copying when it holds no `&`.
std::string StripAccessKeys(std::string_view caption);
bool HasAccessKeyMarkers(std::string_view caption);

#pragma GCC visibility pop
