#include "NUVStatusBarViewPart.h"

#include "NUVConfig.h"
#include "NUVSimpleViewPart.h"
#include "NUVStrings.h"

namespace {
constexpr const char* STopicOnClick = "Topic://ViewPart/%s/OnClick";
constexpr const char* STopicOnDblClick = "Topic://ViewPart/%s/OnDblClick";
}  // namespace

// ---------------------------------------------------------------------------------------------
// TNUVStatusBarViewPart

std::string TNUVStatusBarViewPart::DefaultAlign() { return "Bottom"; }

TControl* TNUVStatusBarViewPart::GetControl() { return FStatusBar.get(); }

void TNUVStatusBarViewPart::Initialize() {
  TNUVMultiBindingViewPart::Initialize();
  FStatusBar = std::make_unique<TTBXStatusBar>(nullptr);
  NUVSimpleViewPart::PlaceControl(*this, FStatusBar.get());
  FStatusBar->OnContextPopup = [this](TObject* sender, TPoint mousePos, bool& handled) {
    DoContextPopup(sender, mousePos, handled);
  };
  auto element = NUVSimpleViewPart::ConfigElement(*this, "StatusBar");
  FStatusBar->SetSizeGrip(GetChildNodeValue(element.get(), "SizeGrip", false, true));
  auto images = FindImageService(GetWorkItem(), SImageServiceID);
  if (images) FStatusBar->SetImages(images->GetImageManager()->GetImageList());
  // An element without children says nothing about panels, so it asks for the simple text.
  bool simple =
      !element || element->ChildNodes()->Count() == 0 || GetChildNodeValue(element.get(), "SimplePanel", false, false);
  FStatusBar->SetSimplePanel(simple);
  if (FStatusBar->GetSimplePanel())
    StartSimpleText(element.get());
  else if (element)
    BuildPanels(element.get(), images.get());
}

void TNUVStatusBarViewPart::StartSimpleText(const IXMLNode* element) {
  std::string text = GetChildNodeValue(element, "SimpleText", false, "");
  FStatusBar->SetSimpleText(TNUVDataUtils::ParseConfig(GetWorkItem(), text));
  FPublishedKeys.Publish(GetName() + "_SimpleText", TNUVDataFactory::NewStringDelegate(
                                                        [this] { return GetSimpleText(); },
                                                        [this](const std::string& value) { SetSimpleText(value); }));
}

// A child of "Panels" that CheckNodeName lets pass becomes a panel whatever its name.
void TNUVStatusBarViewPart::BuildPanels(const IXMLNode* element, INUVImageService* images) {
  auto panels = FindChildNode(element, "Panels");
  if (!panels) return;
  auto nodes = panels->ChildNodes();
  // The bar arranges its panels once, when all are in.
  FStatusBar->BeginUpdate();
  TScopeExit endUpdate([this] { FStatusBar->EndUpdate(); });
  for (int i = 0; i < nodes->Count(); ++i) {
    auto node = nodes->Get(i);
    CheckNodeName(node.get(), "Panel");
    FStatusBar->Panels().Add(std::make_unique<TNUVStatusPanel>(this, images, node.get()));
  }
  FStatusBar->OnPanelClick = [this](TObject* sender, TTBXStatusPanel* panel) { DoPanelClick(sender, panel); };
  FStatusBar->OnPanelDblClick = [this](TObject* sender, TTBXStatusPanel* panel) { DoPanelDblClick(sender, panel); };
}

std::string TNUVStatusBarViewPart::GetSimpleText() { return FStatusBar->GetSimpleText(); }

void TNUVStatusBarViewPart::SetSimpleText(const std::string& value) { FStatusBar->SetSimpleText(value); }

void TNUVStatusBarViewPart::DoPanelClick(TObject*, TTBXStatusPanel* panel) { FirePanelTopic(panel, STopicOnClick); }

void TNUVStatusBarViewPart::DoPanelDblClick(TObject*, TTBXStatusPanel* panel) {
  FirePanelTopic(panel, STopicOnDblClick);
}

// The topic names the view part only, so panels without an ID have nothing to report.
void TNUVStatusBarViewPart::FirePanelTopic(TTBXStatusPanel* panel, const char* topic) {
  auto* statusPanel = dynamic_cast<TNUVStatusPanel*>(panel);
  NUV_ASSERT(statusPanel != nullptr);
  if (!statusPanel->GetID().empty()) DoFireSimpleEvent(topic, nullptr);
}

// The child is recorded before any check, so one that fails stays bound.
void TNUVStatusBarViewPart::PlaceChildViewPart(INUVViewPart* child) {
  NUV_ASSERT(child != nullptr);
  BoundViewParts().Add(child);
  auto extData = child->GetExtData();
  if (!extData) NUVViewPartErrorFmt(child, LoadLibStr(SPanelIDMissing), child->GetName());
  std::string panelID = GetChildNodeValue(extData.get(), "PanelID", false, "");
  if (panelID.empty()) NUVViewPartErrorFmt(child, LoadLibStr(SPanelIDMissing), child->GetName());
  NUV_ASSERT(FStatusBar != nullptr);
  TNUVStatusPanel* panel = FindPanel(panelID);
  if (!panel) NUVViewPartErrorFmt(child, LoadLibStr(SPanelIDNotFound), child->GetName(), panelID);
  TControl* control = child->GetControl();
  CheckPanelFree(child, *panel, panelID, control);
  SetPanelControl(panel, control);
}

// The first panel whose ID matches, ignoring the case of ASCII letters.
TNUVStatusPanel* TNUVStatusBarViewPart::FindPanel(const std::string& panelID) const {
  TTBXStatusPanels& panels = FStatusBar->Panels();
  for (int i = 0; i < panels.Count(); ++i) {
    auto* panel = dynamic_cast<TNUVStatusPanel*>(panels.GetItem(i));
    if (panel && SameText(panel->GetID(), panelID)) return panel;
  }
  return nullptr;
}

// A control put into a panel would push the one it holds out of every panel, and nil would empty
// it. A control that another work space has taken since no longer counts as held.
void TNUVStatusBarViewPart::CheckPanelFree(INUVViewPart* child, TNUVStatusPanel& panel, const std::string& panelID,
                                           TControl* control) {
  if (!control) NUVViewPartErrorFmt(child, LoadLibStr(SStatusPanelWithoutControl), child->GetName(), panelID);
  TControl* held = panel.GetControl();
  if (!held || held == control || held->GetParent() != FStatusBar.get()) return;
  std::string holder = held->GetName();
  for (int i = 0; i < BoundViewParts().Count(); ++i)
    if (BoundViewParts().Items(i)->GetControl() == held) holder = BoundViewParts().Items(i)->GetName();
  NUVViewPartErrorFmt(child, LoadLibStr(SStatusPanelTaken), child->GetName(), panelID, holder);
}

// The panel that holds the child's control lets go of it, so that it names no control that has
// left the bar.
void TNUVStatusBarViewPart::UnBindChildViewPart(INUVViewPart* child) {
  NUV_ASSERT(child != nullptr);
  TControl* control = child->GetControl();
  if (FStatusBar && control) {
    TTBXStatusPanels& panels = FStatusBar->Panels();
    for (int i = 0; i < panels.Count(); ++i)
      if (panels.GetItem(i)->GetControl() == control) SetPanelControl(panels.GetItem(i), nullptr);
  }
  TNUVMultiBindingViewPart::UnBindChildViewPart(child);
}

void TNUVStatusBarViewPart::Finalize() {
  static constexpr std::string_view KSimpleTextSuffix[] = {"_SimpleText"};
  FPublishedKeys.Withdraw(GetName(), KSimpleTextSuffix);
  FStatusBar.reset();
  TNUVMultiBindingViewPart::Finalize();
}

void SetPanelControl(TTBXStatusPanel* panel, TControl* control) {
  NUV_ASSERT(panel != nullptr);
  TTBXCustomStatusBar& statusBar = panel->GetCollection()->GetStatusBar();
  statusBar.BeginUpdate();
  TScopeExit endUpdate([&statusBar] { statusBar.EndUpdate(); });
  panel->SetControl(control);
}

// ---------------------------------------------------------------------------------------------
// TNUVStatusPanel

namespace {
// The owner is checked before anything is made for its bar.
TTBXStatusPanels* PanelsOf(TNUVStatusBarViewPart* owner) {
  NUV_ASSERT(owner != nullptr);
  NUV_ASSERT(owner->GetStatusBar() != nullptr);
  return &owner->GetStatusBar()->Panels();
}

// The toolkit panel takes 0 to 100 only; anything else is the configuration's fault.
int ReadStretchPriority(const IXMLNode* element) {
  int priority = GetNodeAttrValue(element, "StretchPriority", false, 0);
  if (priority < 0 || priority > 100)
    throw EConfigurationError(DescribeAttribute(element, "StretchPriority"),
                              TrimText(element->GetAttribute("StretchPriority")), "an integer from 0 to 100");
  return priority;
}
}  // namespace

// When a setting or a key raises, the panel has not joined the bar, and the keys published before
// go with FPublishedKeys.
TNUVStatusPanel::TNUVStatusPanel(TNUVStatusBarViewPart* owner, INUVImageService* images, const IXMLNode* element)
    : TTBXStatusPanel(PanelsOf(owner)), FOwnerViewPart(owner), FPublishedKeys(*owner) {
  ApplySettings(images, element);
  if (!FID.empty()) PublishKeys();
}

TNUVStatusPanel::~TNUVStatusPanel() {
  if (!FID.empty()) FPublishedKeys.Withdraw(KeyPrefix(), KPanelKeySuffixes);
}

void TNUVStatusPanel::ApplySettings(INUVImageService* images, const IXMLNode* element) {
  const std::string caption = GetNodeAttrValue(element, "Caption", false, "");
  SetCaption(TNUVDataUtils::ParseConfig(FOwnerViewPart->GetWorkItem(), caption));
  SetAlignment(GetNodeAttrEnum<TAlignment>(element, "Alignment", "LeftJustify", "ta"));
  SetFramed(GetNodeAttrValue(element, "Framed", false, true));
  SetHint(GetNodeAttrValue(element, "Hint", false, ""));
  const int size = GetNodeAttrValue(element, "Size", false, 50);
  SetSize(size);
  FRestoreSize = size;
  SetMaxSize(GetNodeAttrValue(element, "MaxSize", false, 0));
  SetStretchPriority(ReadStretchPriority(element));
  FRestoreStretchPriority = GetStretchPriority();
  SetTextTruncation(static_cast<TTextTruncation>(
      GetNodeAttrValue(element, "TextTruncation", false, "None", TextTruncationTypeInfo(), "tw", "")));
  if (images) SetImageIndex(images->GetImageManager()->AddImage(GetNodeAttrValue(element, "ImageFile", false, "")));
  FID = GetNodeAttrValue(element, "ID", false, "");
}

// The keys are "<view part>_<ID>" and each of KPanelKeySuffixes.
std::string TNUVStatusPanel::KeyPrefix() const { return FOwnerViewPart->GetName() + "_" + FID; }

void TNUVStatusPanel::PublishKeys() {
  const std::string prefix = KeyPrefix();
  auto key = [&prefix](std::size_t index) { return std::string(prefix).append(KPanelKeySuffixes[index]); };
  FPublishedKeys.Reserve(std::size(KPanelKeySuffixes));
  FPublishedKeys.Publish(
      key(0), TNUVDataFactory::NewStringDelegate([this] { return GetPanelCaption(); },
                                                 [this](const std::string& value) { SetPanelCaption(value); }));
  FPublishedKeys.Publish(key(1), TNUVDataFactory::NewIntegerDelegate([this] { return GetPanelSize(); },
                                                                     [this](int value) { SetPanelSize(value); }));
  FPublishedKeys.Publish(key(2), TNUVDataFactory::NewBooleanDelegate([this] { return GetPanelVisible(); },
                                                                     [this](bool value) { SetPanelVisible(value); }));
}

std::string TNUVStatusPanel::GetDisplayName() const { return FID; }

std::string TNUVStatusPanel::GetPanelCaption() { return GetCaption(); }

void TNUVStatusPanel::SetPanelCaption(const std::string& value) { SetCaption(value); }

int TNUVStatusPanel::GetPanelSize() { return GetSize(); }

// The size to restore follows every written size, shown or hidden.
void TNUVStatusPanel::SetPanelSize(int value) {
  FRestoreSize = value;
  SetSize(value);
}

bool TNUVStatusPanel::GetPanelVisible() { return GetSize() > 0; }

// Hiding keeps the values to restore; showing brings them back.
void TNUVStatusPanel::SetPanelVisible(bool value) {
  if (value == GetPanelVisible()) return;
  SetSize(value ? FRestoreSize : 0);
  SetStretchPriority(value ? FRestoreStretchPriority : 0);
}
