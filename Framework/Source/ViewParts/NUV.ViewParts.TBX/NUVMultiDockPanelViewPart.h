// The multi-dock panel view part: children lined up as dockable panels along one edge, with a
// toolbar of toggle buttons, one per child, that keeps at most one panel shown by click.
#pragma once

#include <memory>
#include <unordered_map>

#include "NUVDockingWorkSpaceViewPart.h"
#include "TbxDockablePanels.h"
#include "TbxToolbars.h"

// The toggle button of one child: it shows and hides the child's panel.
class TNUVVisibilityToggleItem : public TTBXVisibilityToggleItem {
 public:
  using TTBXVisibilityToggleItem::TTBXVisibilityToggleItem;
  ~TNUVVisibilityToggleItem() override;
  // A click on the button of a hidden panel first hides every other panel.
  void Click() override;

  TTBXToolbar* FToolbar = nullptr;    // the toolbar whose items hold this button; not owned
  TGuard<TTBXDockablePanel> FPanel;   // owned by the toolbar once the child is bound
  INUVViewPart* FViewPart = nullptr;  // not counted: the host keeps the child alive while shown
};

// Its toolbar's buttons are its list of children: button i, its panel and its child belong
// together.
class TNUVMultiDockPanelViewPart : public TNUVDockingWorkSpaceViewPart {
 public:
  using TNUVDockingWorkSpaceViewPart::TNUVDockingWorkSpaceViewPart;

  std::string DefaultAlign() override;
  void Initialize() override;
  TControl* GetControl() override;
  NUV_DOCKING_CHILD_OPERATIONS

  // -1 also when Initialize did not get as far as the toolbar.
  int IndexOfViewPart(const INUVViewPart* child) const override;
  // Handler of every panel's OnResize: the other panels take the resized panel's size.
  void PanelResize(TObject* sender);
  void ApplyButtonFontSettings(const IXMLNode* node, TFontSettings& settings);
  TTBXToolbar* GetToolbar() const { return FToolbar.get(); }

 protected:
  ~TNUVMultiDockPanelViewPart() override = default;
  void FreeControls() override;
  void AddChild(INUVViewPart* child) override;
  void BindAgain(int index, INUVViewPart* child) override;
  void ShowAgain(int index, INUVViewPart* child) override;
  void HideListed(int index, INUVViewPart* child) override;
  void RemoveChild(int index, INUVViewPart* child) override;
  void ActivateListed(int index, INUVViewPart* child) override;

 private:
  TNUVVisibilityToggleItem* Button(int index) const;
  std::unique_ptr<TNUVVisibilityToggleItem> NewButton(INUVViewPart* child);
  std::unique_ptr<TTBXDockablePanel> NewPanel(INUVViewPart* child);
  bool ToolbarFirst() const;  // the toolbar takes row 0 at a top or left dock

  std::unique_ptr<TTBXDock> FDock;
  std::unique_ptr<TTBXToolbar> FToolbar;  // freed before the dock, as it lies in it
  bool FAutoHide = false;
  bool FShowTitle = true;
  bool FSmoothDockedResize = true;
  int FDockSize = 200;
  TIntfPtr<IXMLNode> FButtonFontSettings;
  bool FResizing = false;
  // The button made for each child, so that finding a child's button needs no walk over all.
  std::unordered_map<const INUVViewPart*, TGuard<TNUVVisibilityToggleItem>> FButtons;
};
