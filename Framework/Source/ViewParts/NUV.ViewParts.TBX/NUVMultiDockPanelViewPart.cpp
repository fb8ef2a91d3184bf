#include "NUVMultiDockPanelViewPart.h"

#include "NUVConfig.h"

TNUVVisibilityToggleItem::~TNUVVisibilityToggleItem() = default;

void TNUVVisibilityToggleItem::Click() {
  if (FPanel && !FPanel->GetVisible()) {
    TTBCustomItem* items = FToolbar->Items();
    for (int i = 0; i < items->Count(); ++i) {
      auto* other = dynamic_cast<TTBXVisibilityToggleItem*>(items->GetItem(i));
      if (other && other != this && other->GetControl()) other->GetControl()->SetVisible(false);
    }
  }
  TTBXVisibilityToggleItem::Click();
}

// ---------------------------------------------------------------------------------------------

// A view part released without Finalize still frees what it owns; the toolbar (with its buttons
// and panels) goes before the dock.
TNUVMultiDockPanelViewPart::~TNUVMultiDockPanelViewPart() {
  delete FToolbar;
  delete FDock;
}

std::string TNUVMultiDockPanelViewPart::DefaultAlign() { return {}; }

TControl* TNUVMultiDockPanelViewPart::GetControl() { return FDock; }

bool TNUVMultiDockPanelViewPart::ToolbarFirst() const {
  return FDock->GetPosition() == dpTop || FDock->GetPosition() == dpLeft;
}

void TNUVMultiDockPanelViewPart::Initialize() {
  TNUVCustomWorkSpaceViewPart::Initialize();
  auto element = GetChildNode(GetExtension()->GetExtData().get(), "MultiDockPanel", false);
  FAutoHide = GetChildNodeValue(element.get(), "AutoHide", false, false);
  FShowTitle = GetChildNodeValue(element.get(), "ShowTitle", false, true);
  FDockSize = GetChildNodeValue(element.get(), "DockSize", false, 200);
  if (FDockSize < 0)
    throw EConfigurationError(DescribeChild(element.get(), "DockSize"), std::to_string(FDockSize),
                              "a size of 0 or more pixels");
  FSmoothDockedResize = GetChildNodeValue(element.get(), "SmoothDockedResize", false, true);
  FButtonFontSettings = GetChildNode(element.get(), "ButtonFontSettings", false);
  auto position = GetChildNodeEnum<TTBDockPosition>(element.get(), "Position", "Left", "dp");
  bool showToolBar = GetNodeAttrValue(element.get(), "ShowToolBar", false, true);

  FDock = new TTBXDock(nullptr);
  FDock->SetAllowDrag(false);
  FDock->SetParent(GetWorkItem()->GetHostControl());
  FDock->SetPosition(position);
  FToolbar = new TTBXToolbar(nullptr);
  FToolbar->SetParent(FDock);
  FToolbar->SetVisible(showToolBar);
  FToolbar->SetFullSize(true);
  FToolbar->SetDockRow(ToolbarFirst() ? 0 : 1);
}

void TNUVMultiDockPanelViewPart::Finalize() {
  FreeAndNil(FToolbar);
  FreeAndNil(FDock);
  TNUVCustomWorkSpaceViewPart::Finalize();
}

TNUVVisibilityToggleItem* TNUVMultiDockPanelViewPart::Button(int index) const {
  return static_cast<TNUVVisibilityToggleItem*>(FToolbar->Items()->GetItem(index));
}

// Every child operation comes here first; a view part whose Initialize failed has no toolbar.
int TNUVMultiDockPanelViewPart::IndexOfViewPart(const INUVViewPart* child) const {
  NUV_ASSERT(FToolbar != nullptr);
  TTBCustomItem* items = FToolbar->Items();
  for (int i = 0; i < items->Count(); ++i)
    if (Button(i)->FViewPart == child) return i;
  return -1;
}

int TNUVMultiDockPanelViewPart::CheckViewPartOnMe(INUVViewPart* child) {
  NUV_ASSERT(child != nullptr);
  int index = IndexOfViewPart(child);
  if (index < 0) NUVViewPartErrorFmt(this, SViewPartNotOnMe, child->GetName(), GetName());
  return index;
}

void TNUVMultiDockPanelViewPart::ShowViewPart(INUVViewPart* child) {
  NUV_ASSERT(child != nullptr);
  int index = IndexOfViewPart(child);
  if (index >= 0) {
    Button(index)->Click();
    return;
  }
  TNUVVisibilityToggleItem* button = AddButton(child);
  TTBXDockablePanel* panel = nullptr;
  try {
    panel = AddPanel(child);
  } catch (...) {
    delete button;  // nothing half-built stays on the toolbar
    throw;
  }
  button->FPanel = panel;
  button->SetControl(panel);
  try {
    BindChildViewPart(child, panel, alClient);
  } catch (...) {
    delete panel;  // a child that could not be bound leaves no button or panel behind
    delete button;
    throw;
  }
}

// Steps 3 to 7: the button, captioned and styled, appended to the toolbar.
TNUVVisibilityToggleItem* TNUVMultiDockPanelViewPart::AddButton(INUVViewPart* child) {
  auto* button = new TNUVVisibilityToggleItem(FToolbar);
  try {
    button->FToolbar = FToolbar;
    button->SetCaption(child->GetCaption());
    button->FViewPart = child;
    ApplyButtonFontSettings(FButtonFontSettings.get(), button->FontSettings());
    FToolbar->Items()->Add(button);
  } catch (...) {
    delete button;
    throw;
  }
  return button;
}

// Steps 8 to 17: the panel, docked in the panels' row, shown only as the first panel without
// AutoHide.
TTBXDockablePanel* TNUVMultiDockPanelViewPart::AddPanel(INUVViewPart* child) {
  auto* panel = new TTBXDockablePanel(FToolbar);
  panel->SetText(child->GetCaption());
  panel->SetDockedWidth(FDockSize);
  panel->SetDockedHeight(FDockSize);
  panel->SetParent(FDock);
  panel->SetVisible(!FAutoHide && FToolbar->Items()->Count() == 1);
  panel->SetShowCaption(FShowTitle);
  panel->SetSmoothDockedResize(FSmoothDockedResize);
  panel->SetShowCaptionWhenDocked(FShowTitle);
  panel->OnResize = [this](TObject* sender) { PanelResize(sender); };
  panel->SetDockRow(ToolbarFirst() ? 1 : 0);
  return panel;
}

void TNUVMultiDockPanelViewPart::HideViewPart(INUVViewPart* child) {
  int index = CheckViewPartOnMe(child);
  if (TTBXDockablePanel* panel = Button(index)->FPanel) panel->SetVisible(false);
}

void TNUVMultiDockPanelViewPart::CloseViewPart(INUVViewPart* child) {
  int index = CheckViewPartOnMe(child);
  UnBindChildViewPart(child);
  delete Button(index)->FPanel.get();
  FToolbar->Items()->Delete(index);
}

void TNUVMultiDockPanelViewPart::ActivateViewPart(INUVViewPart* child) {
  int index = CheckViewPartOnMe(child);
  Button(index)->Click();
}

// Setting one panel's size raises that panel's OnResize in turn; those nested calls are the
// propagation itself and are not propagated again, so every panel ends with the sender's size.
void TNUVMultiDockPanelViewPart::PanelResize(TObject* sender) {
  auto* resized = dynamic_cast<TTBXDockablePanel*>(sender);
  NUV_ASSERT(resized != nullptr);
  if (FResizing) return;
  FResizing = true;
  try {
    for (int i = 0; i < FToolbar->Items()->Count(); ++i) {
      TTBXDockablePanel* panel = Button(i)->FPanel;
      if (!panel || panel == resized) continue;
      panel->SetWidth(resized->GetWidth());
      panel->SetHeight(resized->GetHeight());
    }
  } catch (...) {
    FResizing = false;
    throw;
  }
  FResizing = false;
}

void TNUVMultiDockPanelViewPart::ApplyButtonFontSettings(const IXMLNode* node, TFontSettings& settings) {
  if (!node) return;
  settings.SetBold(GetChildNodeEnum<TTriState>(node, "Bold", "Default", "ts"));
  settings.SetItalic(GetChildNodeEnum<TTriState>(node, "Italic", "Default", "ts"));
  settings.SetUnderline(GetChildNodeEnum<TTriState>(node, "Underline", "Default", "ts"));
  settings.SetStrikeOut(GetChildNodeEnum<TTriState>(node, "StrikeOut", "Default", "ts"));
  int size = GetChildNodeValue(node, "Size", false, 100);
  if (size < TFontSettings::MinSize || size > TFontSettings::MaxSize)
    throw EConfigurationError(DescribeChild(node, "Size"), std::to_string(size), "a percentage from 25 to 1000");
  settings.SetSize(size);
  settings.SetName(GetChildNodeValue(node, "Name", false, ""));
  settings.SetColor(GetNodeColor(GetChildNode(node, "Color", false).get(), clDefault));
}
