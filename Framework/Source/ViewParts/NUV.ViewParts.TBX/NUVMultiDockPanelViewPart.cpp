#include "NUVMultiDockPanelViewPart.h"

#include <climits>

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

std::string TNUVMultiDockPanelViewPart::DefaultAlign() { return {}; }

TControl* TNUVMultiDockPanelViewPart::GetControl() { return FDock.get(); }

bool TNUVMultiDockPanelViewPart::ToolbarFirst() const {
  return FDock->GetPosition() == dpTop || FDock->GetPosition() == dpLeft;
}

// Every setting is read before the dock and the toolbar are made, and both are kept only together,
// so a bad setting leaves neither.
void TNUVMultiDockPanelViewPart::Initialize() {
  TNUVDockingWorkSpaceViewPart::Initialize();
  auto element = GetChildNode(GetExtension()->GetExtData().get(), "MultiDockPanel", false);
  FAutoHide = GetChildNodeValue(element.get(), "AutoHide", false, false);
  FShowTitle = GetChildNodeValue(element.get(), "ShowTitle", false, true);
  FDockSize = GetChildNodeInteger(element.get(), "DockSize", 200, {0, INT_MAX, "a size of 0 or more pixels"});
  FSmoothDockedResize = GetChildNodeValue(element.get(), "SmoothDockedResize", false, true);
  FButtonFontSettings = GetChildNode(element.get(), "ButtonFontSettings", false);
  auto position = GetChildNodeEnum<TTBDockPosition>(element.get(), "Position", "Left", "dp");
  bool showToolBar = GetNodeAttrValue(element.get(), "ShowToolBar", false, true);

  auto dock = std::make_unique<TTBXDock>(nullptr);
  dock->SetAllowDrag(false);
  dock->SetParent(GetWorkItem()->GetHostControl());
  dock->SetPosition(position);
  auto toolbar = std::make_unique<TTBXToolbar>(nullptr);
  toolbar->SetParent(dock.get());
  toolbar->SetVisible(showToolBar);
  toolbar->SetFullSize(true);
  toolbar->SetDockRow(position == dpTop || position == dpLeft ? 0 : 1);
  FDock = std::move(dock);
  FToolbar = std::move(toolbar);
}

void TNUVMultiDockPanelViewPart::FreeControls() {
  FButtons.clear();
  FToolbar.reset();
  FDock.reset();
}

TNUVVisibilityToggleItem* TNUVMultiDockPanelViewPart::Button(int index) const {
  return static_cast<TNUVVisibilityToggleItem*>(FToolbar->Items()->GetItem(index));
}

// A child has one button at most, so the button made for it is the one; children mostly leave
// newest first, so it is looked for from the end.
int TNUVMultiDockPanelViewPart::IndexOfViewPart(const INUVViewPart* child) const {
  if (!FToolbar) return -1;
  auto made = FButtons.find(child);
  if (made == FButtons.end() || !made->second || made->second->FViewPart != child) return -1;
  return FToolbar->Items()->IndexOf(made->second);
}

NUV_DEFINE_DOCKING_CHILD_OPERATIONS(TNUVMultiDockPanelViewPart)

// The button and the panel are the toolbar's only once the child lies in the panel: a child that
// cannot be bound leaves neither behind.
void TNUVMultiDockPanelViewPart::AddChild(INUVViewPart* child) {
  auto button = NewButton(child);
  auto panel = NewPanel(child);
  button->FPanel = panel.get();
  button->SetControl(panel.get());
  BindChildViewPart(child, panel.get(), alClient);
  FToolbar->InsertComponent(std::move(button));
  FToolbar->InsertComponent(std::move(panel));
}

// The button, captioned and styled, appended to the toolbar's items; the toolbar is not its owner
// yet.
std::unique_ptr<TNUVVisibilityToggleItem> TNUVMultiDockPanelViewPart::NewButton(INUVViewPart* child) {
  auto button = std::make_unique<TNUVVisibilityToggleItem>(nullptr);
  button->FToolbar = FToolbar.get();
  button->SetCaption(child->GetCaption());
  button->FViewPart = child;
  ApplyButtonFontSettings(FButtonFontSettings.get(), button->FontSettings());
  FToolbar->Items()->Add(button.get());
  FButtons.insert_or_assign(child, button.get());
  return button;
}

// The panel, docked in the panels' row, shown only as the first panel without AutoHide.
std::unique_ptr<TTBXDockablePanel> TNUVMultiDockPanelViewPart::NewPanel(INUVViewPart* child) {
  auto panel = std::make_unique<TTBXDockablePanel>(nullptr);
  panel->SetText(child->GetCaption());
  panel->SetDockedWidth(FDockSize);
  panel->SetDockedHeight(FDockSize);
  panel->SetParent(FDock.get());
  panel->SetVisible(!FAutoHide && FToolbar->Items()->Count() == 1);
  panel->SetShowCaption(FShowTitle);
  panel->SetSmoothDockedResize(FSmoothDockedResize);
  panel->SetShowCaptionWhenDocked(FShowTitle);
  panel->OnResize = [this](TObject* sender) { PanelResize(sender); };
  panel->SetDockRow(ToolbarFirst() ? 1 : 0);
  return panel;
}

// A child that another work space took goes back into its own panel, which then shows as a click
// on its button would show it.
void TNUVMultiDockPanelViewPart::BindAgain(int index, INUVViewPart* child) {
  TNUVVisibilityToggleItem* button = Button(index);
  BindChildViewPart(child, button->FPanel, alClient);
  if (!button->FPanel->GetVisible()) button->Click();
}

void TNUVMultiDockPanelViewPart::ShowAgain(int index, INUVViewPart*) { Button(index)->Click(); }

void TNUVMultiDockPanelViewPart::HideListed(int index, INUVViewPart*) {
  if (TTBXDockablePanel* panel = Button(index)->FPanel) panel->SetVisible(false);
}

// The panel goes first, taken back from the toolbar that owns it, then its button.
void TNUVMultiDockPanelViewPart::RemoveChild(int index, INUVViewPart* child) {
  UnBindChildViewPart(child);
  FToolbar->ExtractComponent(Button(index)->FPanel.get()).reset();
  FToolbar->Items()->Delete(index);
  FButtons.erase(child);
}

void TNUVMultiDockPanelViewPart::ActivateListed(int index, INUVViewPart*) { Button(index)->Click(); }

// Setting one panel's size raises that panel's OnResize in turn; those nested calls are the
// propagation itself and are not propagated again, so every panel ends with the sender's size.
// That size is read once: a panel set may lay the dock out anew, which may cut the sender down
// to the room the window has. The dock is laid out once, after every panel took the size, rather
// than once per panel.
void TNUVMultiDockPanelViewPart::PanelResize(TObject* sender) {
  auto* resized = dynamic_cast<TTBXDockablePanel*>(sender);
  NUV_ASSERT(resized != nullptr);
  // The toolbar goes first when the view part is torn down: its panels, still in the dock, may
  // be laid out once more as it leaves.
  if (FResizing || !FToolbar) return;
  FResizing = true;
  TScopeExit propagated([this] { FResizing = false; });
  const TWinControl::TDeferLayouts dockOnce;
  const int width = resized->GetWidth(), height = resized->GetHeight();
  for (int i = 0; i < FToolbar->Items()->Count(); ++i) {
    TTBXDockablePanel* panel = Button(i)->FPanel;
    if (!panel || panel == resized) continue;
    panel->SetWidth(width);
    panel->SetHeight(height);
  }
}

void TNUVMultiDockPanelViewPart::ApplyButtonFontSettings(const IXMLNode* node, TFontSettings& settings) {
  if (!node) return;
  settings.SetBold(GetChildNodeEnum<TTriState>(node, "Bold", "Default", "ts"));
  settings.SetItalic(GetChildNodeEnum<TTriState>(node, "Italic", "Default", "ts"));
  settings.SetUnderline(GetChildNodeEnum<TTriState>(node, "Underline", "Default", "ts"));
  settings.SetStrikeOut(GetChildNodeEnum<TTriState>(node, "StrikeOut", "Default", "ts"));
  settings.SetSize(GetChildNodeInteger(
      node, "Size", 100, {TFontSettings::MinSize, TFontSettings::MaxSize, "a percentage from 25 to 1000"}));
  settings.SetName(GetChildNodeValue(node, "Name", false, ""));
  settings.SetColor(GetNodeColor(GetChildNode(node, "Color", false).get(), clDefault));
}
