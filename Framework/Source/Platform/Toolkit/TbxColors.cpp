// Colour names.
#include <algorithm>
#include <array>

#include "TbxGraphics.h"

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
