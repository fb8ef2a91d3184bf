// The link view part: a TTBXLink showing the view part's caption, published as "<name>_Caption",
// with an optional image from the host's image service.
#pragma once

#include "NUVViewPart.h"
#include "TbxTextObjects.h"

class TNUVLinkViewPart : public TNUVCustomViewPart {
 public:
  using TNUVCustomViewPart::TNUVCustomViewPart;
  ~TNUVLinkViewPart() override;

  std::string DefaultAlign() override;
  void Initialize() override;
  void Finalize() override;
  void DoWorkItemRunning(const std::string& name, INUVParamContext* context, bool& handled) override;
  TControl* GetControl() override;

  // Setter of the published caption.
  void SetCaption(const std::string& text);

 private:
  void ApplySettings(const IXMLNode* element);
  void ApplyImage(const IXMLNode* element);

  TTBXLink* FLink = nullptr;
};
