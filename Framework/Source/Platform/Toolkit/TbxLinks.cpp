// Links: an optional image from an image list, then the text.
#include "TbxFields.h"
#include "TbxMetrics.h"
#include "TbxTextObjects.h"

TTBXCustomLink::TTBXCustomLink(TComponent* owner) : TTBXTextObject(owner) {
  SetTabStop(true);
  ShowAccessKey();
}
TTBXCustomLink::~TTBXCustomLink() = default;

void TTBXCustomLink::SetImages(TCustomImageList* images) {
  if (images == FImages) return;
  FImages = images;
  Changed();
}

void TTBXCustomLink::SetImageIndex(int imageIndex) {
  if (UpdateField(FImageIndex, imageIndex)) Changed();
}

bool TTBXCustomLink::HasImage() const { return FImages && FImageIndex >= 0 && FImageIndex < FImages->Count(); }

TSize TTBXCustomLink::LeadingSize() const {
  if (!HasImage()) return {};
  return {TbxMetrics::ImageSize + TbxMetrics::GlyphGap, TbxMetrics::ImageSize};
}

TRect TTBXCustomLink::GetImageRect() const { return LeadingRect(LeadingSize()); }

bool TTBXCustomLink::KeyDown(TKey key, TShiftState shift) {
  if ((key != vkReturn && key != vkSpace) || !shift.Empty()) return false;
  Click();
  return true;
}

TTBXLink::TTBXLink(TComponent* owner) : TTBXCustomLink(owner) {}
TTBXLink::~TTBXLink() = default;
