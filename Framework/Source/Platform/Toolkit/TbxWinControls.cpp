// TWinControl: child controls, window handles and the focus.
#include <algorithm>
#include <iterator>
#include <unordered_map>

#include "KolExceptions.h"
#include "TbxControls.h"

namespace {
// Never destroyed: controls that outlive static destruction must still find them.
std::unordered_map<THandle, TWinControl*>& Handles() {
  static auto* handles = new std::unordered_map<THandle, TWinControl*>;
  return *handles;
}

TGuard<TWinControl>& Focus() {
  static auto* focus = new TGuard<TWinControl>;
  return *focus;
}

THandle NewHandle() {
  static THandle last = 0;
  return ++last;
}
}  // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner), FHandle(NewHandle()) { Handles()[FHandle] = this; }

TWinControl::~TWinControl() {
  Destroying();
  // The children belong to their owners: they are only let go.
  while (!FControls.empty()) {
    TControl* control = FControls.back();
    control->SetParent(nullptr);
    // An override of SetParent that refuses to leave must not stall the loop.
    if (!FControls.empty() && FControls.back() == control) FControls.pop_back();
  }
  Handles().erase(FHandle);
}

int TWinControl::IndexOfControl(const TControl* control) const {
  auto it = std::find(FControls.begin(), FControls.end(), control);
  return it == FControls.end() ? -1 : static_cast<int>(it - FControls.begin());
}

void TWinControl::InsertControl(TControl* control) {
  FControls.push_back(control);
  if (control->GetAlign() != alNone) Realign();
}

void TWinControl::RemoveControl(TControl* control) {
  // Children mostly leave in reverse order of arrival: look from the end.
  auto it = std::find(FControls.rbegin(), FControls.rend(), control);
  if (it == FControls.rend()) return;
  FControls.erase(std::next(it).base());
  if (control->GetAlign() != alNone && !IsDestroying()) Realign();
}

void TWinControl::Realign() {
  if (FAlignDisabled > 0)
    FAlignPending = true;
  else
    AlignControls();
}

void TWinControl::EnableAlign() {
  NUV_ASSERT(FAlignDisabled > 0);
  if (--FAlignDisabled > 0 || !FAlignPending) return;
  FAlignPending = false;
  AlignControls();
}

bool TWinControl::Focused() const { return Focus().get() == this; }

void TWinControl::SetFocus() { Focus() = this; }

void TWinControl::SetBounds(int left, int top, int width, int height) {
  bool resized = width != GetWidth() || height != GetHeight();
  TControl::SetBounds(left, top, width, height);
  if (resized) Realign();
}

TWinControl* FindControl(THandle handle) {
  auto it = Handles().find(handle);
  return it == Handles().end() ? nullptr : it->second;
}

TWinControl* FocusedControl() { return Focus().get(); }
