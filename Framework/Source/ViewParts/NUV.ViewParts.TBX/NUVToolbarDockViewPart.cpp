#include "NUVToolbarDockViewPart.h"

#include "NUVConfig.h"
#include "NUVSimpleViewPart.h"
#include "NUVStrings.h"
#include "TbxDockablePanels.h"

using namespace NUVShownViewParts;

namespace {
// Every field is read before any line is added, so a bad field leaves the dock's lines alone.
std::vector<TTBDockBoundLinesValues> ReadBoundLines(const IXMLNode* element) {
  std::vector<TTBDockBoundLinesValues> lines;
  std::string text = GetChildNodeValue(element, "BoundLines", false, "");
  if (text.empty()) return lines;
  const auto& typeInfo = TypeInfo<TTBDockBoundLinesValues>();
  for (int i = 1; i <= Occurs(',', text) + 1; ++i) {
    std::string field = TrimText(GetSubString(text, ',', i));
    try {
      lines.push_back(static_cast<TTBDockBoundLinesValues>(GetEnumValue(field, typeInfo, "bl")));
    } catch (const EConfigurationError&) {
      // The reader knows neither the element nor that the name is one field of a list.
      throw EConfigurationError(DescribeChild(element, "BoundLines"), field,
                                "a comma-separated list of " + EnumNamesText(typeInfo, "bl"));
    }
  }
  return lines;
}
}  // namespace

// A view part released without Finalize still frees its dock.
TNUVToolbarDockViewPart::~TNUVToolbarDockViewPart() { delete FDock; }

std::string TNUVToolbarDockViewPart::DefaultAlign() { return {}; }

TControl* TNUVToolbarDockViewPart::GetControl() { return FDock; }

void TNUVToolbarDockViewPart::Initialize() {
  TNUVCustomWorkSpaceViewPart::Initialize();
  FShownViewParts.clear();
  auto element = NUVSimpleViewPart::ConfigElement(*this, "ToolbarDock");
  if (GetChildNodeValue(element.get(), "MultiDock", false, false))
    FDock = new TTBXMultiDock(nullptr);
  else
    FDock = new TTBXDock(nullptr);
  NUVSimpleViewPart::PlaceControl(*this, FDock);
  FDock->OnContextPopup = [this](TObject* sender, TPoint mousePos, bool& handled) {
    DoContextPopup(sender, mousePos, handled);
  };
  if (element) ApplySettings(element.get());
}

void TNUVToolbarDockViewPart::ApplySettings(const IXMLNode* element) {
  FDock->SetPosition(GetChildNodeEnum<TTBDockPosition>(element, "Position", "Top", "dp"));
  FDock->SetAllowDrag(GetChildNodeValue(element, "AllowDrag", false, true));
  FDock->SetLimitToOneRow(GetChildNodeValue(element, "LimitToOneRow", false, false));
  // Lines are only ever added: those the dock has stay.
  for (TTBDockBoundLinesValues line : ReadBoundLines(element))
    FDock->SetBoundLines(TTBDockBoundLines{line} + FDock->GetBoundLines());
}

void TNUVToolbarDockViewPart::Finalize() {
  FShownViewParts.clear();
  FreeAndNil(FDock);
  TNUVCustomWorkSpaceViewPart::Finalize();
}

void TNUVToolbarDockViewPart::ShowViewPart(INUVViewPart* child) {
  NUV_ASSERT(child != nullptr);
  NUV_ASSERT(FDock != nullptr);  // Initialize failed before making it
  if (ShowAgain(FShownViewParts, child)) return;
  CheckDockable(child);
  ShowFirst(*this, FShownViewParts, child, FDock);
}

// A multi-dock takes dockable panels only; a plain dock any dockable window.
void TNUVToolbarDockViewPart::CheckDockable(INUVViewPart* child) {
  TControl* control = child->GetControl();
  if (dynamic_cast<TTBXMultiDock*>(FDock)) {
    if (!dynamic_cast<TTBXDockablePanel*>(control))
      NUVViewPartErrorFmt(this, LoadLibStr(SViewPartNotDockablePanel), child->GetName(), GetName());
  } else if (!dynamic_cast<TTBCustomDockableWindow*>(control)) {
    NUVViewPartErrorFmt(this, LoadLibStr(SViewPartNotDockableWindow), child->GetName(), GetName());
  }
}

void TNUVToolbarDockViewPart::HideViewPart(INUVViewPart* child) {
  CheckViewPartOnMe(child);
  Hide(child);
}

void TNUVToolbarDockViewPart::CloseViewPart(INUVViewPart* child) {
  CheckViewPartOnMe(child);
  Close(*this, FShownViewParts, child);
}

void TNUVToolbarDockViewPart::ActivateViewPart(INUVViewPart* child) {
  CheckViewPartOnMe(child);
  TNUVWorkItemUtils::SetViewPartFocused(child, true);
}

void TNUVToolbarDockViewPart::CheckViewPartOnMe(INUVViewPart* child) {
  NUV_ASSERT(child != nullptr);
  CheckOnMe(*this, FShownViewParts, child);
}
