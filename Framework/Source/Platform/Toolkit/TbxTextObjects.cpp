// Text objects and labels: the text block after an optional glyph or image.
#include "TbxTextObjects.h"

#include <algorithm>
#include <cstdint>

#include "TbxFields.h"
#include "TbxMetrics.h"
#include "TbxPeers.h"
#include "TbxTextBlocks.h"

// ---------------------------------------------------------------------------------------------
// TTBXTextObject

TTBXTextObject::TTBXTextObject(TComponent* owner) : TWinControl(owner) {}
TTBXTextObject::~TTBXTextObject() = default;

void TTBXTextObject::Changed() {
  NotifyPeer([](TControlPeer& peer) { peer.Invalidate(); });
  AdjustSize();
}

void TTBXTextObject::SetAlignment(TAlignment alignment) {
  if (UpdateField(FAlignment, alignment)) NotifyPeer([](TControlPeer& peer) { peer.Invalidate(); });
}

void TTBXTextObject::SetWrapping(TTextWrapping wrapping) {
  if (UpdateField(FWrapping, wrapping)) Changed();
}

void TTBXTextObject::SetAutoSize(bool autoSize) {
  FAutoSize = autoSize;
  if (FAutoSize) AdjustSize();
}

TSize TTBXTextObject::GetPreferredSize(int maxWidth) const {
  const TSize leading = LeadingSize();
  // Without a text the control is as tall as one line, so a text that comes later moves nothing.
  if (GetDisplayText().empty())
    return {std::max(0, leading.Width - TbxMetrics::GlyphGap), std::max(leading.Height, TbxText::LineHeight(Font()))};
  const int textLimit = maxWidth == KNoWidthLimit ? KNoWidthLimit : std::max(1, maxWidth - leading.Width);
  const auto block =
      TbxText::BlockExtent(Font(), GetDisplayText(), GetWrapping() == twWrap ? twWrap : twNone, textLimit);
  const int height = ClampPixels(static_cast<std::int64_t>(block.LineCount) * block.LineHeight);
  return {ClampPixels(static_cast<std::int64_t>(leading.Width) + block.Width), std::max(leading.Height, height)};
}

// A label's text starts at its top; beside a glyph or an image the text stands in the middle, as
// the glyph does.
TRect TTBXTextObject::GetTextRect() const {
  const int leading = LeadingSize().Width;
  const TRect area{leading, 0, std::max(0, GetWidth() - leading), GetHeight()};
  if (leading == 0) return area;
  const auto extent = TbxText::BlockExtent(Font(), GetDisplayText(), FWrapping, area.Width);
  const std::int64_t block = static_cast<std::int64_t>(extent.LineCount) * extent.LineHeight;
  const int height = static_cast<int>(std::min<std::int64_t>(area.Height, block));
  return {area.Left, (area.Height - height) / 2, area.Width, height};
}

std::vector<std::string> TTBXTextObject::GetTextLines() const {
  return TbxText::Lines(Font(), GetDisplayText(), FWrapping, GetTextRect().Width);
}

void TTBXTextObject::TextChanged() {
  if (FShowsAccessKey) FDisplayText = StripAccessKeys(GetText());
  TWinControl::TextChanged();
}

TKey TTBXTextObject::GetAccessKey() const {
  return FShowsAccessKey && HasAccessKeyMarkers(GetText()) ? ParseAccessKey(GetText()).Key : vkNone;
}

TRect TTBXTextObject::LeadingRect(TSize size) const {
  if (size.Width <= 0) return {};
  const int side = size.Height;
  return {0, (GetHeight() - side) / 2, side, side};
}

// ---------------------------------------------------------------------------------------------
// Labels

TTBXCustomLabel::TTBXCustomLabel(TComponent* owner) : TTBXTextObject(owner) {}
TTBXCustomLabel::~TTBXCustomLabel() = default;

void TTBXCustomLabel::SetUnderline(bool underline) {
  if (UpdateField(FUnderline, underline)) NotifyPeer([](TControlPeer& peer) { peer.Invalidate(); });
}

void TTBXCustomLabel::SetUnderlineColor(TColor color) {
  if (UpdateField(FUnderlineColor, color)) NotifyPeer([](TControlPeer& peer) { peer.Invalidate(); });
}

TTBXLabel::TTBXLabel(TComponent* owner) : TTBXCustomLabel(owner) {}
TTBXLabel::~TTBXLabel() = default;
