// Fonts.
#include "TbxGraphics.h"

#include "TbxFields.h"

TFont::TFont() = default;
TFont::~TFont() = default;

void TFont::SetName(const std::string& name) {
  if (UpdateField(FName, name)) Changed();
}

void TFont::SetSize(int size) {
  if (UpdateField(FSize, size)) Changed();
}

void TFont::SetColor(TColor color) {
  if (UpdateField(FColor, color)) Changed();
}

void TFont::SetStyle(TFontStyles style) {
  if (UpdateField(FStyle, style)) Changed();
}

void TFont::Assign(const TFont& source) {
  // One change event for the whole copy, as listeners redraw once.
  bool changed = UpdateField(FName, source.FName);
  changed = UpdateField(FSize, source.FSize) || changed;
  changed = UpdateField(FColor, source.FColor) || changed;
  changed = UpdateField(FStyle, source.FStyle) || changed;
  if (changed) Changed();
}

void TFont::Changed() {
  if (OnChange) OnChange(this);
}
