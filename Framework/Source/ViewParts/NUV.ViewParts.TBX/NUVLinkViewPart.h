// The link view part: a TTBXLink showing the view part's caption, published as "<name>_Caption",
// with an optional image from the host's image service.
#pragma once

#include <memory>

#include "NUVSimpleViewPart.h"

class TNUVLinkViewPart : public TNUVSimpleControlViewPart<TTBXLink> {
 public:
  using TNUVSimpleControlViewPart::TNUVSimpleControlViewPart;

 protected:
  ~TNUVLinkViewPart() override = default;
  std::unique_ptr<TTBXLink>& ControlField() override;
  TKindInfo KindInfo() const override;
  void ApplySettings(const IXMLNode* element) override;
  void PublishKeys() override;

 private:
  void ApplyImage(const IXMLNode* element);

  std::unique_ptr<TTBXLink> FLink;
};
