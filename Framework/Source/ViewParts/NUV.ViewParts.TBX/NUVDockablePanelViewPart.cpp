#include "NUVDockablePanelViewPart.h"

#include <climits>

#include "NUVConfig.h"
#include "NUVSimpleViewPart.h"
#include "NUVUnfinishedControl.h"

namespace {
constexpr TNUVIntegerRange KDockPosRange{-1, INT_MAX, "-1 (the next free place) or a position of 0 or more pixels"};
constexpr TNUVIntegerRange KDockRowRange{0, INT_MAX, "a row of 0 or more"};

// The set reader knows the key but not where the element stands; the message gets the place.
TTBDockPositions ReadDockableTo(const IXMLNode* element, TTBDockPositions current) {
  try {
    return GetDockableTo(GetChildNodeValue(element, "DockableTo", false, ""), current);
  } catch (const EConfigurationError& e) {
    throw EConfigurationError(DescribeChild(element, "DockableTo"), e.Found(), e.Expected());
  }
}
}  // namespace

std::string TNUVDockablePanelViewPart::DefaultAlign() { return "None"; }

TControl* TNUVDockablePanelViewPart::GetControl() { return FPanel.get(); }

void TNUVDockablePanelViewPart::Initialize() {
  TNUVDockingWorkSpaceViewPart::Initialize();
  FPanel = std::make_unique<TTBXDockablePanel>(nullptr);
  TNUVUnfinishedControl unfinished(FPanel);
  NUVSimpleViewPart::PlaceControl(*this, FPanel.get());
  FPanel->SetText(GetCaption());
  if (auto element = NUVSimpleViewPart::ConfigElement(*this, "DockablePanel")) ApplySettings(element.get());
  unfinished.Finished();
}

void TNUVDockablePanelViewPart::ApplySettings(const IXMLNode* element) {
  FPanel->SetCaptionRotation(GetChildNodeEnum<TDPCaptionRotation>(element, "CaptionRotation", "Auto", "dpcr"));
  FPanel->SetCloseButton(GetChildNodeValue(element, "CloseButton", false, true));
  FPanel->SetCloseButtonWhenDocked(GetChildNodeValue(element, "CloseButtonWhenDocked", false, true));
  FPanel->SetDblClickUndock(GetChildNodeValue(element, "DblClickUnDock", false, true));
  FPanel->SetDockMode(GetChildNodeEnum<TTBDockMode>(element, "DockMode", "CanFloat", "dm"));
  FPanel->SetDockPos(GetChildNodeInteger(element, "DockPos", -1, KDockPosRange));
  FPanel->SetDockRow(GetChildNodeInteger(element, "DockRow", 0, KDockRowRange));
  FPanel->SetResizable(GetChildNodeValue(element, "Resizable", false, true));
  FPanel->SetShowCaption(GetChildNodeValue(element, "ShowCaption", false, true));
  FPanel->SetShowCaptionWhenDocked(GetChildNodeValue(element, "ShowCaptionWhenDocked", false, true));
  FPanel->SetDockableTo(ReadDockableTo(element, FPanel->GetDockableTo()));
}

void TNUVDockablePanelViewPart::FreeControls() { FPanel.reset(); }

// Any child is accepted: there is no class test.
NUV_DEFINE_DOCKING_CHILD_OPERATIONS(TNUVDockablePanelViewPart)
