// The status bar view part: a TTBXStatusBar showing either a published simple text or the
// configured panels, whose children sit in the panels named by their "PanelID".
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "NUVPublishedKeys.h"
#include "NUVViewPart.h"
#include "TbxStatusBars.h"

class TNUVStatusPanel;

// A panel holds at most one child's control: a child for a panel that holds another child's
// control, or a child without a control, is refused; a child that is closed leaves its panel empty.
class TNUVStatusBarViewPart : public TNUVMultiBindingViewPart {
 public:
  using TNUVMultiBindingViewPart::TNUVMultiBindingViewPart;

  std::string DefaultAlign() override;
  void Initialize() override;
  void Finalize() override;
  TControl* GetControl() override;
  void UnBindChildViewPart(INUVViewPart* child) override;
  void PlaceChildViewPart(INUVViewPart* child) override;

  TTBXStatusBar* GetStatusBar() const { return FStatusBar.get(); }

  // Accessors of the "_SimpleText" delegate.
  std::string GetSimpleText();
  void SetSimpleText(const std::string& value);
  // Handlers of the bar's panel events.
  void DoPanelClick(TObject* sender, TTBXStatusPanel* panel);
  void DoPanelDblClick(TObject* sender, TTBXStatusPanel* panel);

 protected:
  ~TNUVStatusBarViewPart() override = default;

 private:
  void StartSimpleText(const IXMLNode* element);
  void BuildPanels(const IXMLNode* element, INUVImageService* images);
  void FirePanelTopic(TTBXStatusPanel* panel, const char* topic);
  TNUVStatusPanel* FindPanel(const std::string& panelID) const;
  void CheckPanelFree(INUVViewPart* child, TNUVStatusPanel& panel, const std::string& panelID, TControl* control);

  TNUVPublishedKeys FPublishedKeys{*this};
  std::unique_ptr<TTBXStatusBar> FStatusBar;  // its panels withdraw their keys as it frees them
};

// Puts control into panel within one update of the panel's status bar.
void SetPanelControl(TTBXStatusPanel* panel, TControl* control);

// A panel built from one "Panel" element. With an "ID" it publishes its caption, size and
// visibility under "<view part>_<ID>_Caption", "_Size" and "_Visible" for as long as it lives;
// keys that another panel or view part publishes already are refused. It hides by size 0 and
// stretch priority 0 and shows again with the values it remembers.
class TNUVStatusPanel : public TTBXStatusPanel {
 public:
  // Made for the owner's status bar, which takes it when it is complete (Panels().Add). A
  // configuration error or a refused key leaves neither the panel in the bar nor a key in the
  // data context.
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
  std::string KeyPrefix() const;
  // The suffixes of the panel's keys, in the order they are published and withdrawn.
  static constexpr std::string_view KPanelKeySuffixes[] = {"_Caption", "_Size", "_Visible"};

  TNUVStatusBarViewPart* FOwnerViewPart;
  int FRestoreSize = 0;
  int FRestoreStretchPriority = 0;
  std::string FID;
  TNUVPublishedKeys FPublishedKeys;
};
