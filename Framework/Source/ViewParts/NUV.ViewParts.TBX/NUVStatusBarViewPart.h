// The status bar view part: a TTBXStatusBar showing either a published simple text or the
// configured panels, whose children sit in the panels named by their "PanelID".
#pragma once

#include "NUVViewPart.h"
#include "TbxStatusBars.h"

class TNUVStatusBarViewPart : public TNUVMultiBindingViewPart {
 public:
  using TNUVMultiBindingViewPart::TNUVMultiBindingViewPart;
  ~TNUVStatusBarViewPart() override;

  std::string DefaultAlign() override;
  void Initialize() override;
  void Finalize() override;
  TControl* GetControl() override;
  void PlaceChildViewPart(INUVViewPart* child) override;

  TTBXStatusBar* GetStatusBar() const { return FStatusBar; }

  // Accessors of the "_SimpleText" delegate.
  std::string GetSimpleText();
  void SetSimpleText(const std::string& value);
  // Handlers of the bar's panel events.
  void DoPanelClick(TObject* sender, TTBXStatusPanel* panel);
  void DoPanelDblClick(TObject* sender, TTBXStatusPanel* panel);

 private:
  void StartSimpleText(const IXMLNode* element);
  void BuildPanels(const IXMLNode* element, INUVImageService* images);
  void FirePanelTopic(TTBXStatusPanel* panel, const char* topic);

  TTBXStatusBar* FStatusBar = nullptr;
};

// Puts control into panel within one update of the panel's status bar.
void SetPanelControl(TTBXStatusPanel* panel, TControl* control);

// A panel built from one "Panel" element. With an "ID" it publishes its caption, size and
// visibility under "<view part>_<ID>_Caption", "_Size" and "_Visible" for as long as it lives.
// It hides by size 0 and stretch priority 0 and shows again with the values it remembers.
class TNUVStatusPanel : public TTBXStatusPanel {
 public:
  // Appends itself to the owner's status bar. A configuration error leaves neither the panel in
  // the bar nor a key in the data context.
  TNUVStatusPanel(TNUVStatusBarViewPart* owner, INUVImageService* images, const IXMLNode* element);
  ~TNUVStatusPanel() override;

  const std::string& GetID() const { return FID; }
  std::string GetDisplayName() const override;  // the ID
  int GetRestoreSize() const { return FRestoreSize; }
  int GetRestoreStretchPriority() const { return FRestoreStretchPriority; }

  std::string GetPanelCaption();
  void SetPanelCaption(const std::string& value);
  int GetPanelSize();
  void SetPanelSize(int value);
  bool GetPanelVisible();
  void SetPanelVisible(bool value);

 private:
  void ApplySettings(INUVImageService* images, const IXMLNode* element);
  void PublishKeys();
  void WithdrawKeys();

  TNUVStatusBarViewPart* FOwnerViewPart;
  int FRestoreSize = 0;
  int FRestoreStretchPriority = 0;
  std::string FID;
};
