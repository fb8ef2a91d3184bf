// Colour names, and what the colours look like.
#include <algorithm>
#include <array>

#include "TbxGraphics.h"
#include "TbxSystemColors.h"

#include "KolStrings.h"

namespace {
struct TColorIdent {
  TColor Value;
  const char* Name;
};

constexpr std::array GColorIdents = {
    TColorIdent{clBlack, "clBlack"},
    TColorIdent{clMaroon, "clMaroon"},
    TColorIdent{clGreen, "clGreen"},
    TColorIdent{clOlive, "clOlive"},
    TColorIdent{clNavy, "clNavy"},
    TColorIdent{clPurple, "clPurple"},
    TColorIdent{clTeal, "clTeal"},
    TColorIdent{clGray, "clGray"},
    TColorIdent{clSilver, "clSilver"},
    TColorIdent{clRed, "clRed"},
    TColorIdent{clLime, "clLime"},
    TColorIdent{clYellow, "clYellow"},
    TColorIdent{clBlue, "clBlue"},
    TColorIdent{clFuchsia, "clFuchsia"},
    TColorIdent{clAqua, "clAqua"},
    TColorIdent{clWhite, "clWhite"},
    TColorIdent{clMoneyGreen, "clMoneyGreen"},
    TColorIdent{clSkyBlue, "clSkyBlue"},
    TColorIdent{clCream, "clCream"},
    TColorIdent{clMedGray, "clMedGray"},
    TColorIdent{clScrollBar, "clScrollBar"},
    TColorIdent{clBackground, "clBackground"},
    TColorIdent{clActiveCaption, "clActiveCaption"},
    TColorIdent{clInactiveCaption, "clInactiveCaption"},
    TColorIdent{clMenu, "clMenu"},
    TColorIdent{clWindow, "clWindow"},
    TColorIdent{clWindowFrame, "clWindowFrame"},
    TColorIdent{clMenuText, "clMenuText"},
    TColorIdent{clWindowText, "clWindowText"},
    TColorIdent{clCaptionText, "clCaptionText"},
    TColorIdent{clActiveBorder, "clActiveBorder"},
    TColorIdent{clInactiveBorder, "clInactiveBorder"},
    TColorIdent{clAppWorkSpace, "clAppWorkSpace"},
    TColorIdent{clHighlight, "clHighlight"},
    TColorIdent{clHighlightText, "clHighlightText"},
    TColorIdent{clBtnFace, "clBtnFace"},
    TColorIdent{clBtnShadow, "clBtnShadow"},
    TColorIdent{clGrayText, "clGrayText"},
    TColorIdent{clBtnText, "clBtnText"},
    TColorIdent{clInactiveCaptionText, "clInactiveCaptionText"},
    TColorIdent{clBtnHighlight, "clBtnHighlight"},
    TColorIdent{cl3DDkShadow, "cl3DDkShadow"},
    TColorIdent{cl3DLight, "cl3DLight"},
    TColorIdent{clInfoText, "clInfoText"},
    TColorIdent{clInfoBk, "clInfoBk"},
    TColorIdent{clHotLight, "clHotLight"},
    TColorIdent{clGradientActiveCaption, "clGradientActiveCaption"},
    TColorIdent{clGradientInactiveCaption, "clGradientInactiveCaption"},
    TColorIdent{clMenuHighlight, "clMenuHighlight"},
    TColorIdent{clMenuBar, "clMenuBar"},
    TColorIdent{clNone, "clNone"},
    TColorIdent{clDefault, "clDefault"},
};

// Old names that are read but never written.
constexpr std::array GColorAliases = {
    TColorIdent{clSilver, "clLtGray"},
    TColorIdent{clGray, "clDkGray"},
};

template <class List>
const TColorIdent* FindIdent(const List& list, std::string_view ident) {
  auto it = std::find_if(list.begin(), list.end(), [ident](const TColorIdent& c) { return SameText(c.Name, ident); });
  return it == list.end() ? nullptr : &*it;
}
}  // namespace

bool IdentToColor(std::string_view ident, TColor& color) {
  const TColorIdent* found = FindIdent(GColorIdents, ident);
  if (!found) found = FindIdent(GColorAliases, ident);
  if (found) color = found->Value;
  return found != nullptr;
}

bool ColorToIdent(TColor color, std::string& ident) {
  auto it = std::find_if(GColorIdents.begin(), GColorIdents.end(),
                         [color](const TColorIdent& c) { return c.Value == color; });
  if (it == GColorIdents.end()) return false;
  ident = it->Name;
  return true;
}

const std::vector<std::string>& ColorIdents() {
  static const std::vector<std::string> idents = [] {
    std::vector<std::string> r;
    for (const TColorIdent& c : GColorIdents) r.emplace_back(c.Name);
    return r;
  }();
  return idents;
}

namespace {
// 0xRRGGBB by system colour number: a light desktop theme. Number 25 names no system colour.
constexpr std::size_t KNoSystemColor = 25;
constexpr std::array<std::uint32_t, 31> KSystemColors = {
    0xC8C8C8, 0x000000, 0x99B4D1, 0xBFCDDB, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000, 0x000000, 0x000000, 0xB4B4B4,
    0xF4F7FC, 0xABABAB, 0x0078D7, 0xFFFFFF, 0xF0F0F0, 0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969,
    0xE3E3E3, 0x000000, 0xFFFFE1, 0x000000, 0x0066CC, 0xB9D1EA, 0xD7E4F2, 0x3399FF, 0xF0F0F0};
}  // namespace

std::optional<std::uint32_t> ColorToRgb(TColor color) {
  if ((color & clSystemColor) == clSystemColor) {
    const std::size_t index = color & 0xFF;
    if (index >= KSystemColors.size() || index == KNoSystemColor) return std::nullopt;
    return KSystemColors[index];
  }
  if (color > 0xFFFFFF) return std::nullopt;  // clDefault, clNone
  return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}
