// TWinControl: child controls, window handles and the focus.
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <unordered_map>

#include "KolExceptions.h"
#include "TbxControls.h"

namespace {
// The handle table refers to every live windowed control without keeping it alive, also in the
// eyes of the leak checker: a table that held plain addresses would make every leaked control,
// and all it refers to, look reachable. So each address is kept with its bits inverted, which no
// scan for pointers takes for one.
class TUnreachableControl {
 public:
  explicit TUnreachableControl(TWinControl* control) : FBits(~reinterpret_cast<std::uintptr_t>(control)) {}
  TWinControl* Get() const { return reinterpret_cast<TWinControl*>(~FBits); }

 private:
  std::uintptr_t FBits;
};

// Never destroyed: controls that outlive static destruction must still find it.
std::unordered_map<THandle, TUnreachableControl>& Handles() {
  static auto* handles = new std::unordered_map<THandle, TUnreachableControl>;
  return *handles;
}

// The focus is held by handle, not by address: a destroyed control's handle leaves the table, so
// the focus forgets it, and the focus keeps nothing reachable.
THandle FocusHandle = 0;

THandle NewHandle() {
  static THandle last = 0;
  return ++last;
}
}  // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner), FHandle(NewHandle()) {
  Handles().emplace(FHandle, TUnreachableControl(this));
}

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

bool TWinControl::Focused() const { return FocusedControl() == this; }

void TWinControl::SetFocus() { FocusHandle = FHandle; }

void TWinControl::SetBounds(int left, int top, int width, int height) {
  bool resized = width != GetWidth() || height != GetHeight();
  TControl::SetBounds(left, top, width, height);
  if (resized) Realign();
}

TWinControl* FindControl(THandle handle) {
  auto it = Handles().find(handle);
  return it == Handles().end() ? nullptr : it->second.Get();
}

// A control that is being destroyed has lost the focus already.
TWinControl* FocusedControl() {
  TWinControl* control = FindControl(FocusHandle);
  return control && !control->IsDestroying() ? control : nullptr;
}
