// The multi-dock panel view part: children lined up as dockable panels along one edge, with a
// toolbar of toggle buttons, one per child, that keeps at most one panel shown by click.
#pragma once

#include "NUVViewPart.h"
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
  TGuard<TTBXDockablePanel> FPanel;   // owned by the toolbar
  INUVViewPart* FViewPart = nullptr;  // not counted: the host keeps the child alive while shown
};

class TNUVMultiDockPanelViewPart : public TNUVCustomWorkSpaceViewPart {
 public:
  using TNUVCustomWorkSpaceViewPart::TNUVCustomWorkSpaceViewPart;
  ~TNUVMultiDockPanelViewPart() override;

  std::string DefaultAlign() override;
  void Initialize() override;
  void Finalize() override;
  TControl* GetControl() override;
  void ShowViewPart(INUVViewPart* child) override;
  void HideViewPart(INUVViewPart* child) override;
  void CloseViewPart(INUVViewPart* child) override;
  void ActivateViewPart(INUVViewPart* child) override;

  int IndexOfViewPart(const INUVViewPart* child) const;
  // Handler of every panel's OnResize: the other panels take the resized panel's size.
  void PanelResize(TObject* sender);
  void ApplyButtonFontSettings(const IXMLNode* node, TFontSettings& settings);
  TTBXToolbar* GetToolbar() const { return FToolbar; }

 private:
  int CheckViewPartOnMe(INUVViewPart* child);
  TNUVVisibilityToggleItem* Button(int index) const;
  TNUVVisibilityToggleItem* AddButton(INUVViewPart* child);
  TTBXDockablePanel* AddPanel(INUVViewPart* child);
  bool ToolbarFirst() const;  // the toolbar takes row 0 at a top or left dock

  TTBXDock* FDock = nullptr;
  TTBXToolbar* FToolbar = nullptr;
  bool FAutoHide = false;
  bool FShowTitle = true;
  bool FSmoothDockedResize = true;
  int FDockSize = 200;
  TIntfPtr<IXMLNode> FButtonFontSettings;
  bool FResizing = false;
};
