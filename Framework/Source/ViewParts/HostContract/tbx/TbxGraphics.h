/// @file
/// Toolkit graphics: colours, fonts and image lists.
#pragma once
#pragma GCC visibility push(default)

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "TbxClasses.h"

/// A colour: 0x00BBGGRR for an RGB value, 0xFF0000nn for Windows system colour nn, or one of the
/// special values below.
using TColor = std::uint32_t;

constexpr TColor clDefault = 0x1FFFFFFF;
constexpr TColor clNone = 0x20000000;

constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080, clNavy = 0x800000,
                 clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080, clSilver = 0xC0C0C0, clRed = 0x0000FF,
                 clLime = 0x00FF00, clYellow = 0x00FFFF, clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00,
                 clWhite = 0xFFFFFF, clMoneyGreen = 0xC0DCC0, clSkyBlue = 0xF0CAA6, clCream = 0xF0FBFF,
                 clMedGray = 0xA4A0A0;

constexpr TColor clSystemColor = 0xFF000000;
constexpr TColor clScrollBar = clSystemColor | 0, clBackground = clSystemColor | 1, clActiveCaption = clSystemColor | 2,
                 clInactiveCaption = clSystemColor | 3, clMenu = clSystemColor | 4, clWindow = clSystemColor | 5,
                 clWindowFrame = clSystemColor | 6, clMenuText = clSystemColor | 7, clWindowText = clSystemColor | 8,
                 clCaptionText = clSystemColor | 9, clActiveBorder = clSystemColor | 10,
                 clInactiveBorder = clSystemColor | 11, clAppWorkSpace = clSystemColor | 12,
                 clHighlight = clSystemColor | 13, clHighlightText = clSystemColor | 14, clBtnFace = clSystemColor | 15,
                 clBtnShadow = clSystemColor | 16, clGrayText = clSystemColor | 17, clBtnText = clSystemColor | 18,
                 clInactiveCaptionText = clSystemColor | 19, clBtnHighlight = clSystemColor | 20,
                 cl3DDkShadow = clSystemColor | 21, cl3DLight = clSystemColor | 22, clInfoText = clSystemColor | 23,
                 clInfoBk = clSystemColor | 24, clHotLight = clSystemColor | 26,
                 clGradientActiveCaption = clSystemColor | 27, clGradientInactiveCaption = clSystemColor | 28,
                 clMenuHighlight = clSystemColor | 29, clMenuBar = clSystemColor | 30;

/// Colour names ("clRed", "clBtnShadow", "clDefault"), matched without regard to ASCII case.
bool IdentToColor(std::string_view ident, TColor& color);
bool ColorToIdent(TColor color, std::string& ident);
/// Every colour name, for messages.
const std::vector<std::string>& ColorIdents();

KOL_ENUM(TFontStyle, fsBold, fsItalic, fsUnderline, fsStrikeOut)
using TFontStyles = TSet<TFontStyle>;

class TFont : public TObject {
 public:
  TFont();
  ~TFont() override;
  const std::string& GetName() const { return FName; }
  void SetName(const std::string& name);
  int GetSize() const { return FSize; }
  void SetSize(int size);
  TColor GetColor() const { return FColor; }
  void SetColor(TColor color);
  TFontStyles GetStyle() const { return FStyle; }
  void SetStyle(TFontStyles style);
  void Assign(const TFont& source);
  std::function<void(TObject*)> OnChange;

  /// Counts the fonts made and the changes of any font (fonts are not copied): a font at the same
  /// address under the same count is the same font unchanged, so what was worked out for it (its
  /// resolved face) still holds.
  static std::uint64_t Changes();

 private:
  void Changed();
  std::string FName = "Tahoma";
  int FSize = 8;
  TColor FColor = clWindowText;
  TFontStyles FStyle;
};

/// An image list of a headless toolkit: each image is the file it was loaded from.
class TCustomImageList : public TComponent {
 public:
  explicit TCustomImageList(TComponent* owner);
  ~TCustomImageList() override;
  int Count() const { return static_cast<int>(FFiles.size()); }
  int Add(const std::string& fileName);  ///< the new image's index
  const std::string& FileName(int index) const;

 private:
  std::vector<std::string> FFiles;
};

#pragma GCC visibility pop
