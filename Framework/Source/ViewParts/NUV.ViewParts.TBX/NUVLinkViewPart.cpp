#include "NUVLinkViewPart.h"

#include "NUVSimpleViewPart.h"

using namespace NUVSimpleViewPart;

// A view part released without Finalize still frees its control and withdraws its key, whose
// delegate would otherwise outlive it.
TNUVLinkViewPart::~TNUVLinkViewPart() {
  if (FLink) WithdrawKeys(*this, {"_Caption"});
  delete FLink;
}

std::string TNUVLinkViewPart::DefaultAlign() { return "None"; }

TControl* TNUVLinkViewPart::GetControl() { return FLink; }

void TNUVLinkViewPart::Initialize() {
  TNUVCustomViewPart::Initialize();
  FLink = new TTBXLink(nullptr);
  PlaceControl(*this, FLink);
}

void TNUVLinkViewPart::DoWorkItemRunning(const std::string&, INUVParamContext*, bool&) {
  ApplyConfiguration(*this, "TBXLink", [this](const IXMLNode* element) { ApplySettings(element); });
  ShowCaptionAndWireEvents(*this, *FLink);
  PublishCaption(*this);
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

void TNUVLinkViewPart::SetCaption(const std::string& text) {
  FCaption = text;
  if (FLink) FLink->SetText(FCaption);  // the stored caption itself: no copy on the binding path
}

void TNUVLinkViewPart::Finalize() {
  WithdrawKeys(*this, {"_Caption"});
  FreeAndNil(FLink);
  TNUVCustomViewPart::Finalize();
}
