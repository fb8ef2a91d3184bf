#include "NUVShownViewParts.h"

#include <algorithm>

namespace NUVShownViewParts {

namespace {
// A child whose control is already gone has nothing to show or hide.
void SetChildVisible(INUVViewPart* child, bool visible) {
  if (TControl* control = child->GetControl()) control->SetVisible(visible);
}
}  // namespace

bool Contains(const TShownViewParts& shown, const INUVViewPart* child) {
  return std::find(shown.begin(), shown.end(), child) != shown.end();
}

void CheckOnMe(TNUVCustomWorkSpaceViewPart& workSpace, const TShownViewParts& shown, INUVViewPart* child) {
  if (!Contains(shown, child)) NUVViewPartErrorFmt(&workSpace, SViewPartNotOnMe, child->GetName(), workSpace.GetName());
}

bool ShowAgain(const TShownViewParts& shown, INUVViewPart* child) {
  if (!Contains(shown, child)) return false;
  SetChildVisible(child, true);
  return true;
}

void ShowFirst(TNUVCustomWorkSpaceViewPart& workSpace, TShownViewParts& shown, INUVViewPart* child,
               TWinControl* parent) {
  TControl* control = child->GetControl();
  shown.push_back(child);
  try {
    workSpace.BindChildViewPart(child, parent, control ? control->GetAlign() : alNone);
  } catch (...) {
    std::erase(shown, child);  // a child that could not be bound was never shown
    throw;
  }
}

void Hide(INUVViewPart* child) { SetChildVisible(child, false); }

void Close(TNUVCustomWorkSpaceViewPart& workSpace, TShownViewParts& shown, INUVViewPart* child) {
  std::erase(shown, child);
  workSpace.UnBindChildViewPart(child);
}

}  // namespace NUVShownViewParts
