#include "NUVLinkViewPart.h"

using namespace NUVSimpleViewPart;

std::unique_ptr<TTBXLink>& TNUVLinkViewPart::ControlField() { return FLink; }

TNUVLinkViewPart::TKindInfo TNUVLinkViewPart::KindInfo() const {
  static constexpr std::string_view KKeySuffixes[] = {"_Caption"};
  return {"TBXLink", KKeySuffixes};
}

void TNUVLinkViewPart::ApplySettings(const IXMLNode* element) {
  ApplyTextLayout(element, *FLink);
  ApplyTextLook(element, *FLink);
  ApplyImage(element);
}

// The image is optional decoration: without a file or an image service the link goes without.
void TNUVLinkViewPart::ApplyImage(const IXMLNode* element) {
  std::string imageFile = GetChildNodeValue(element, "ImageFile", false, "");
  if (imageFile.empty()) return;
  auto images = FindImageService(GetWorkItem(), SImageServiceID);
  if (!images) return;
  TNUVImageManager* manager = images->GetImageManager();
  FLink->SetImages(manager->GetImageList());
  FLink->SetImageIndex(manager->AddImage(imageFile));
}

void TNUVLinkViewPart::PublishKeys() { PublishCaption(); }
