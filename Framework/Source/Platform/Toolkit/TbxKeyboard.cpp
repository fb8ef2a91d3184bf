// Key strokes by name, and the access keys of captions.
#include "TbxKeyboard.h"

#include <array>

#include "KolStrings.h"
#include "TbxUtf8.h"

namespace {

struct TNamedKey {
  const char* Name;
  TKey Key;
};

// The first name of a key is the one KeyStrokeName gives.
constexpr std::array<TNamedKey, 15> KNamedKeys{{{"Tab", vkTab},
                                                {"Enter", vkReturn},
                                                {"Return", vkReturn},
                                                {"Alt", vkMenu},
                                                {"Escape", vkEscape},
                                                {"Esc", vkEscape},
                                                {"Space", vkSpace},
                                                {"End", vkEnd},
                                                {"Home", vkHome},
                                                {"Left", vkLeft},
                                                {"Up", vkUp},
                                                {"Right", vkRight},
                                                {"Down", vkDown},
                                                {"F10", vkF10},
                                                {"Menu", vkMenu}}};

struct TModifier {
  const char* Name;
  TShiftStateValue Value;
};
constexpr std::array<TModifier, 4> KModifiers{
    {{"Shift", ssShift}, {"Alt", ssAlt}, {"Ctrl", ssCtrl}, {"Control", ssCtrl}}};

bool ParseKey(std::string_view text, TKey& key) {
  for (const TNamedKey& named : KNamedKeys)
    if (SameText(text, named.Name)) {
      key = named.Key;
      return true;
    }
  if (text.empty()) return false;
  const TUtf8Char c = DecodeUtf8(text, 0);
  if (!c.Valid || static_cast<std::size_t>(c.Length) != text.size() || c.Code <= 0x20 || c.Code == 0x7F) return false;
  key = KeyOfChar(c.Code);
  return true;
}

bool ParseModifier(std::string_view text, TShiftState& shift) {
  for (const TModifier& modifier : KModifiers)
    if (SameText(text, modifier.Name)) {
      shift.Include(modifier.Value);
      return true;
    }
  return false;
}

}  // namespace

TKey KeyOfChar(char32_t code) {
  if (code >= 'a' && code <= 'z') return static_cast<TKey>(code - 'a' + 'A');
  return static_cast<TKey>(code);
}

// "Alt+N": modifiers, each followed by '+', then the key ("Shift++" is Shift with the plus key).
bool ParseKeyStroke(std::string_view text, TKeyStroke& stroke) {
  TKeyStroke parsed;
  for (;;) {
    const std::size_t plus = text.size() > 1 ? text.find('+') : std::string_view::npos;
    if (plus == std::string_view::npos || plus + 1 == text.size()) break;
    if (!ParseModifier(text.substr(0, plus), parsed.Shift)) return false;
    text.remove_prefix(plus + 1);
  }
  if (!ParseKey(text, parsed.Key)) return false;
  stroke = parsed;
  return true;
}

std::string KeyStrokeName(const TKeyStroke& stroke) {
  // In the usual order, each modifier by its first name.
  std::string name;
  for (const TModifier& modifier : {KModifiers[2], KModifiers[1], KModifiers[0]})
    if (stroke.Shift.Contains(modifier.Value)) name += std::string(modifier.Name) + "+";
  for (const TNamedKey& named : KNamedKeys)
    if (named.Key == stroke.Key) return name + named.Name;
  AppendUtf8(name, static_cast<char32_t>(stroke.Key));
  return name;
}

bool HasAccessKeyMarkers(std::string_view caption) { return caption.find('&') != std::string_view::npos; }

TAccessKeyText ParseAccessKey(std::string_view caption) {
  TAccessKeyText result;
  result.Text.reserve(caption.size());
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != '&') {
      result.Text += caption[i];
      continue;
    }
    if (++i == caption.size()) break;  // a lone '&' at the end marks nothing
    if (caption[i] == '&') {
      result.Text += '&';
      continue;
    }
    const TUtf8Char c = DecodeUtf8(caption, i);
    if (result.KeyOffset < 0) {
      result.KeyOffset = static_cast<int>(result.Text.size());
      result.KeyLength = c.Length;
      result.Key = KeyOfChar(c.Code);
    }
    result.Text.append(caption.substr(i, static_cast<std::size_t>(c.Length)));
    i += static_cast<std::size_t>(c.Length) - 1;
  }
  return result;
}

std::string StripAccessKeys(std::string_view caption) {
  if (!HasAccessKeyMarkers(caption)) return std::string(caption);
  return ParseAccessKey(caption).Text;
}

// The lines are the shown text wrapped, each a piece of it in order; a line cut short with an
// ellipsis is no piece of it, and the search ends there.
TAccessKeyPlace FindAccessKey(const TAccessKeyText& caption, const std::vector<std::string>& lines) {
  if (caption.KeyOffset < 0) return {};
  std::size_t from = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::size_t at = caption.Text.find(lines[i], from);
    if (at == std::string::npos) break;
    const auto key = static_cast<std::size_t>(caption.KeyOffset);
    if (key >= at && key + static_cast<std::size_t>(caption.KeyLength) <= at + lines[i].size())
      return {static_cast<int>(i), static_cast<int>(key - at), caption.KeyLength};
    from = at + lines[i].size();
  }
  return {};
}
