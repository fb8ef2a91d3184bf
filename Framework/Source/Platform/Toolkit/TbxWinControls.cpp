// TWinControl: child controls, window handles, the focus and the layout passes.
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <exception>
#include <unordered_map>
#include <utility>

#include "KolExceptions.h"
#include "TbxControls.h"
#include "TbxFindEitherEnd.h"
#include "TbxForms.h"
#include "TbxLayoutCounters.h"
#include "TbxPeers.h"

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

// The controls whose layout waits for the end of the outermost TDeferLayouts.
int GDeferLayoutsDepth = 0;
std::vector<TGuard<TWinControl>>& DeferredLayouts() {
  static std::vector<TGuard<TWinControl>> controls;
  return controls;
}

// A handler that resizes what it is told about could keep a layout going for ever; after this
// many passes in a row the layout stands as it is.
constexpr int KMaxAlignPasses = 8;
// Likewise for the rounds of the layouts that waited for the end of TDeferLayouts.
constexpr int KMaxDeferredRounds = 8;
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
  ++FChildrenVersion;
  if (control->IsAligned()) FAligned.push_back(control);
  if (PlacesChild(*control))
    ChildChanged(*control);
  else
    control->TakePreferredSize();
}

void TWinControl::RemoveControl(TControl* control) {
  auto it = FindFromEitherEnd(FControls.begin(), FControls.end(), [control](auto* c) { return c == control; });
  if (it == FControls.end()) return;
  const bool placed = PlacesChild(*control);
  FControls.erase(it);
  ++FChildrenVersion;
  if (auto aligned = FindFromEitherEnd(FAligned.begin(), FAligned.end(), [control](auto* c) { return c == control; });
      aligned != FAligned.end())
    FAligned.erase(aligned);
  if (placed && !IsDestroying()) PlacedChildRemoved(*control);
}

void TWinControl::PlacedChildRemoved(TControl&) { Realign(); }

// The control became aligned or stopped being aligned.
void TWinControl::AlignChanged(TControl& control) {
  if (!control.IsAligned()) {
    FAligned.erase(std::next(std::find(FAligned.rbegin(), FAligned.rend(), &control)).base());
    return;
  }
  // Kept in child order, as the edges are taken in child order: before the first aligned child
  // that comes after it. Mostly that is none, as a child is aligned just after it arrived.
  auto after = std::find(FControls.rbegin(), FControls.rend(), &control).base();
  auto next = std::find_if(after, FControls.end(), [](const TControl* other) { return other->IsAligned(); });
  auto at = next == FControls.end() ? FAligned.end() : std::find(FAligned.begin(), FAligned.end(), *next);
  FAligned.insert(at, &control);
}

bool TWinControl::PlacesChild(const TControl& child) const { return child.IsAligned(); }

void TWinControl::ChildChanged(TControl& child) {
  if (PlacesChild(child)) Realign();
}

void TWinControl::PlaceChild(TControl& child, const TRect& bounds) {
  const TControl* outer = FPlacing;
  FPlacing = &child;
  TScopeExit restore([&] { FPlacing = outer; });
  ++TbxLayoutCounters().ControlsPlaced;
  child.SetBoundsRect(bounds);
}

void TWinControl::Realign() {
  if (FAlignDisabled > 0 || FAligning) {
    FAlignPending = true;
    return;
  }
  FAligning = true;
  TScopeExit done([this] { FAligning = false; });
  for (int pass = 0; pass < KMaxAlignPasses; ++pass) {
    FAlignPending = false;
    CountAlignPass(*this);
    AlignControls();
    if (!FAlignPending) break;
  }
  FAlignPending = false;
}

TWinControl::TDeferLayouts::TDeferLayouts() { ++GDeferLayoutsDepth; }

void TWinControl::TDeferLayouts::End() {
  if (--GDeferLayoutsDepth == 0) LayOutAllDeferred();
}

// In rounds: what the layouts of one round ask for (a toolbar that grew asks its dock) waits for
// the next, so that a container that many ask is laid out once per round. A layout that changes
// nothing asks nothing, so the rounds end; the last allowed one lays out at once whatever is asked.
// Every control that waited is laid out even when one fails; the first error comes after.
void TWinControl::LayOutAllDeferred() {
  std::exception_ptr first;
  TScopeExit undeferred([] { GDeferLayoutsDepth = 0; });
  for (int round = 0; !DeferredLayouts().empty(); ++round) {
    GDeferLayoutsDepth = round + 1 < KMaxDeferredRounds ? 1 : 0;
    const std::vector<TGuard<TWinControl>> controls = std::exchange(DeferredLayouts(), {});
    for (TWinControl* control : controls) {
      if (!control) continue;  // destroyed meanwhile
      control->FLayoutDeferred = false;
      try {
        control->LayOutDeferred();
      } catch (...) {
        if (!first) first = std::current_exception();
      }
    }
  }
  if (first) std::rethrow_exception(first);
}

bool TWinControl::DeferLayout() {
  if (GDeferLayoutsDepth == 0 || IsDestroying()) return false;
  if (!std::exchange(FLayoutDeferred, true)) DeferredLayouts().emplace_back(this);
  return true;
}

void TWinControl::EnableAlign() {
  NUV_ASSERT(FAlignDisabled > 0);
  if (--FAlignDisabled > 0 || !FAlignPending) return;
  FAlignPending = false;
  Realign();
}

void TWinControl::Resized() { Realign(); }

void TWinControl::PeerCreated() {
  // Peers come on demand, from the window down: the children's follow their parent's.
  for (TControl* control : FControls) control->CreatePeer();
}

bool TWinControl::Focused() const { return FocusedControl() == this; }

void TWinControl::SetFocus() {
  TWinControl* previous = FocusedControl();
  if (previous == this) return;
  FocusHandle = FHandle;
  if (previous) previous->NotifyPeer([](TControlPeer& peer) { peer.FocusChanged(); });
  NotifyPeer([](TControlPeer& peer) { peer.FocusChanged(); });
  if (TForm* form = GetParentForm(*this)) form->FocusMoved(previous, *this);
}

bool TWinControl::CanFocus() const {
  for (const TControl* control = this; control; control = control->GetParent())
    if (!control->GetVisible() || !control->GetEnabled()) return false;
  return true;
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
