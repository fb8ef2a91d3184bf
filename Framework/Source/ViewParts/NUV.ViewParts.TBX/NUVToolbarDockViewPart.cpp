#include "NUVToolbarDockViewPart.h"

#include "NUVConfig.h"
#include "NUVSimpleViewPart.h"
#include "NUVStrings.h"
#include "NUVUnfinishedControl.h"
#include "TbxDockablePanels.h"

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

std::string TNUVToolbarDockViewPart::DefaultAlign() { return {}; }

TControl* TNUVToolbarDockViewPart::GetControl() { return FDock.get(); }

void TNUVToolbarDockViewPart::Initialize() {
  TNUVDockingWorkSpaceViewPart::Initialize();
  auto element = NUVSimpleViewPart::ConfigElement(*this, "ToolbarDock");
  if (GetChildNodeValue(element.get(), "MultiDock", false, false))
    FDock = std::make_unique<TTBXMultiDock>(nullptr);
  else
    FDock = std::make_unique<TTBXDock>(nullptr);
  TNUVUnfinishedControl unfinished(FDock);
  NUVSimpleViewPart::PlaceControl(*this, FDock.get());
  FDock->OnContextPopup = [this](TObject* sender, TPoint mousePos, bool& handled) {
    DoContextPopup(sender, mousePos, handled);
  };
  if (element) ApplySettings(element.get());
  unfinished.Finished();
}

void TNUVToolbarDockViewPart::ApplySettings(const IXMLNode* element) {
  FDock->SetPosition(GetChildNodeEnum<TTBDockPosition>(element, "Position", "Top", "dp"));
  FDock->SetAllowDrag(GetChildNodeValue(element, "AllowDrag", false, true));
  FDock->SetLimitToOneRow(GetChildNodeValue(element, "LimitToOneRow", false, false));
  // Lines are only ever added: those the dock has stay.
  for (TTBDockBoundLinesValues line : ReadBoundLines(element))
    FDock->SetBoundLines(TTBDockBoundLines{line} + FDock->GetBoundLines());
}

void TNUVToolbarDockViewPart::FreeControls() { FDock.reset(); }

NUV_DEFINE_DOCKING_CHILD_OPERATIONS(TNUVToolbarDockViewPart)

void TNUVToolbarDockViewPart::CheckChild(INUVViewPart* child) {
  TControl* control = child->GetControl();
  if (dynamic_cast<TTBXMultiDock*>(FDock.get())) {
    if (!dynamic_cast<TTBXDockablePanel*>(control))
      NUVViewPartErrorFmt(this, LoadLibStr(SViewPartNotDockablePanel), child->GetName(), GetName());
  } else if (!dynamic_cast<TTBCustomDockableWindow*>(control)) {
    NUVViewPartErrorFmt(this, LoadLibStr(SViewPartNotDockableWindow), child->GetName(), GetName());
  }
}
