// Text objects and labels.
#include "TbxTextObjects.h"

#include <algorithm>
#include <cstdint>

namespace {
struct TTextExtent {
  int Width, Height;
};

int HeldToExtent(std::int64_t length) {
  return static_cast<int>(std::clamp<std::int64_t>(length, 0, MaxControlExtent));
}

// Without a screen a text is measured as a row of average glyphs of the font's size, reckoned in
// 64 bits and held to the largest extent of a control. A font of no size (or less) has glyphs of
// no width. A text of more characters than twice the largest extent reaches it in any font whose
// glyphs have a width, so longer texts are counted no further and the product stays in 64 bits.
TTextExtent MeasureText(const std::string& text, int fontSize) {
  // UTF-8 continuation bytes (10xxxxxx) do not start a character.
  const std::int64_t chars =
      std::min<std::int64_t>(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }),
                             2 * std::int64_t{MaxControlExtent});
  const std::int64_t size = std::max(fontSize, 0);
  return {HeldToExtent(6 * chars * size / 8 + 4), HeldToExtent(2 * size + 3)};
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
