#include "NUVDockingWorkSpaceViewPart.h"

#include <algorithm>

#include "NUVConfig.h"
#include "NUVStrings.h"

namespace {
// A child whose control is already gone has nothing to show or hide.
void SetChildVisible(INUVViewPart* child, bool visible) {
  if (TControl* control = child->GetControl()) control->SetVisible(visible);
}
}  // namespace

TNUVDockingWorkSpaceViewPart::~TNUVDockingWorkSpaceViewPart() = default;

void TNUVDockingWorkSpaceViewPart::Initialize() {
  TNUVCustomWorkSpaceViewPart::Initialize();
  FShownViewParts.clear();
}

void TNUVDockingWorkSpaceViewPart::Finalize() {
  FShownViewParts.clear();
  FreeControls();
  TNUVCustomWorkSpaceViewPart::Finalize();
}

int TNUVDockingWorkSpaceViewPart::IndexOfViewPart(const INUVViewPart* child) const {
  auto found = std::find(FShownViewParts.begin(), FShownViewParts.end(), child);
  return found == FShownViewParts.end() ? -1 : static_cast<int>(found - FShownViewParts.begin());
}

bool TNUVDockingWorkSpaceViewPart::IsOnMe(INUVViewPart* child) {
  return IndexOfViewPart(child) >= 0 && HoldsChild(child);
}

int TNUVDockingWorkSpaceViewPart::CheckViewPartOnMe(INUVViewPart* child, TSourcePlace where) {
  AssertAt(child != nullptr, where);
  int index = IndexOfViewPart(child);
  if (index < 0 || !HoldsChild(child)) NUVViewPartErrorFmt(this, SViewPartNotOnMe, child->GetName(), GetName());
  return index;
}

// A work space whose Initialize did not get as far as its control has nowhere to put a child.
void TNUVDockingWorkSpaceViewPart::ShowChild(INUVViewPart* child, TSourcePlace where) {
  AssertAt(child != nullptr, where);
  if (!GetControl()) NUVViewPartErrorFmt(this, LoadLibStr(SWorkSpaceWithoutControl), GetName(), child->GetName());
  int index = IndexOfViewPart(child);
  if (index >= 0 && HoldsChild(child)) return ShowAgain(index, child);
  CheckChild(child);
  if (index >= 0)
    BindAgain(index, child);
  else
    AddChild(child);
}

void TNUVDockingWorkSpaceViewPart::HideChild(INUVViewPart* child, TSourcePlace where) {
  int index = CheckViewPartOnMe(child, where);
  HideListed(index, child);
}

// A listed child that another work space has taken since is let go all the same: unbinding
// leaves its control where it is now.
void TNUVDockingWorkSpaceViewPart::CloseChild(INUVViewPart* child, TSourcePlace where) {
  AssertAt(child != nullptr, where);
  int index = IndexOfViewPart(child);
  if (index < 0) NUVViewPartErrorFmt(this, SViewPartNotOnMe, child->GetName(), GetName());
  RemoveChild(index, child);
}

void TNUVDockingWorkSpaceViewPart::ActivateChild(INUVViewPart* child, TSourcePlace where) {
  int index = CheckViewPartOnMe(child, where);
  ActivateListed(index, child);
}

void TNUVDockingWorkSpaceViewPart::CheckChild(INUVViewPart*) {}

// A child that cannot be bound was never shown.
void TNUVDockingWorkSpaceViewPart::AddChild(INUVViewPart* child) {
  FShownViewParts.push_back(child);
  bool bound = false;
  TScopeExit unlist([&] {
    if (!bound) std::erase(FShownViewParts, child);
  });
  BindWithOwnAlignment(child);
  bound = true;
}

void TNUVDockingWorkSpaceViewPart::BindAgain(int, INUVViewPart* child) { BindWithOwnAlignment(child); }

void TNUVDockingWorkSpaceViewPart::BindWithOwnAlignment(INUVViewPart* child) {
  TControl* control = child->GetControl();
  BindChildViewPart(child, dynamic_cast<TWinControl*>(GetControl()), control ? control->GetAlign() : alNone);
}

void TNUVDockingWorkSpaceViewPart::ShowAgain(int, INUVViewPart* child) { SetChildVisible(child, true); }

void TNUVDockingWorkSpaceViewPart::HideListed(int, INUVViewPart* child) { SetChildVisible(child, false); }

void TNUVDockingWorkSpaceViewPart::RemoveChild(int index, INUVViewPart* child) {
  FShownViewParts.erase(FShownViewParts.begin() + index);
  UnBindChildViewPart(child);
}

void TNUVDockingWorkSpaceViewPart::ActivateListed(int, INUVViewPart* child) {
  TNUVWorkItemUtils::SetViewPartFocused(child, true);
}
