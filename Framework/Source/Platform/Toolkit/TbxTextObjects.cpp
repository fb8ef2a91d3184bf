// Text objects and labels.
#include "TbxTextObjects.h"

#include <algorithm>

namespace {
struct TTextExtent {
  int Width, Height;
};

// Without a screen a text is measured as a row of average glyphs of the font's size.
TTextExtent MeasureText(const std::string& text, int fontSize) {
  // UTF-8 continuation bytes (10xxxxxx) do not start a character.
  auto chars = std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; });
  return {6 * static_cast<int>(chars) * fontSize / 8 + 4, 2 * fontSize + 3};
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// TTBXTextObject

TTBXTextObject::TTBXTextObject(TComponent* owner) : TWinControl(owner) {}
TTBXTextObject::~TTBXTextObject() = default;

void TTBXTextObject::SetAutoSize(bool autoSize) {
  FAutoSize = autoSize;
  if (FAutoSize) AdjustSize();
}

void TTBXTextObject::TextChanged() {
  if (FAutoSize) AdjustSize();
}

void TTBXTextObject::AdjustSize() {
  TTextExtent extent = MeasureText(GetText(), Font().GetSize());
  SetBounds(GetLeft(), GetTop(), extent.Width, extent.Height);
}

// ---------------------------------------------------------------------------------------------
// Labels

TTBXCustomLabel::TTBXCustomLabel(TComponent* owner) : TTBXTextObject(owner) {}
TTBXCustomLabel::~TTBXCustomLabel() = default;

TTBXLabel::TTBXLabel(TComponent* owner) : TTBXCustomLabel(owner) {}
TTBXLabel::~TTBXLabel() = default;
