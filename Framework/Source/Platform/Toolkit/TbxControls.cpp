// TControl: parent, visibility, bounds, text, events, the action link and the peer.
#include "TbxControls.h"

#include <utility>

#include "KolExceptions.h"
#include "TbxFields.h"
#include "TbxPeers.h"

TControl::TControl(TComponent* owner) : TComponent(owner) {
  FFont.OnChange = [this](TObject*) { FontChanged(); };
}

TControl::~TControl() { LeaveParentWhileDestroyed(); }

void TControl::LeaveParentWhileDestroyed() {
  // Watchers, the action among them, let go while this is still a whole control; the peer goes
  // before the control leaves its parent, so it never draws a control that is coming apart.
  Destroying();
  FPeer.reset();
  if (TWinControl* parent = std::exchange(FParent, nullptr)) parent->RemoveControl(this);
}

namespace {
std::string ControlName(const TControl& control) {
  return control.GetName().empty() ? control.ClassName() : control.GetName();
}
}  // namespace

void TControl::SetParent(TWinControl* parent) {
  if (parent == FParent) return;
  // A control inside itself would leave the window's tree and make every walk up a loop.
  for (const TControl* c = parent; c; c = c->GetParent())
    if (c == this)
      throw Exception("control " + ControlName(*this) + " cannot be placed in " + ControlName(*parent) +
                      (parent == this ? ", itself" : ", which lies inside it"));
  if (FParent) FParent->RemoveControl(this);
  FParent = parent;
  // Where a container that places its children put this one means nothing in the next parent.
  if (FPlacedPosition) {
    FPlacedPosition = false;
    if (FLeft != 0 || FTop != 0) {
      FLeft = FTop = 0;
      NotifyPeer([](TControlPeer& peer) { peer.BoundsChanged(); });
    }
  }
  if (FParent) FParent->InsertControl(this);
  NotifyPeer([](TControlPeer& peer) { peer.ParentChanged(); });
  if (FParent && FParent->GetPeer()) CreatePeer();
}

void TControl::SetVisible(bool visible) {
  if (!UpdateField(FVisible, visible)) return;
  NotifyPeer([](TControlPeer& peer) { peer.VisibleChanged(); });
  if (FParent && FParent->PlacesChild(*this)) FParent->ChildChanged(*this);
}

void TControl::SetEnabled(bool enabled) {
  if (UpdateField(FEnabled, enabled)) NotifyPeer([](TControlPeer& peer) { peer.Invalidate(); });
}

void TControl::SetColor(TColor color) {
  if (UpdateField(FColor, color)) NotifyPeer([](TControlPeer& peer) { peer.Invalidate(); });
}

void TControl::SetAlign(TAlign align) {
  const bool wasAligned = IsAligned();
  FAlign = align;
  if (FParent && wasAligned != IsAligned()) FParent->AlignChanged(*this);
  if (!FParent || !FParent->PlacesChild(*this)) TakePreferredSize();
  RequestAlign();
}

void TControl::RequestAlign() {
  if (FParent) FParent->Realign();
}

void TControl::SetBounds(int left, int top, int width, int height) {
  width = std::clamp(width, 0, MaxControlExtent);
  height = std::clamp(height, 0, MaxControlExtent);
  left = ClampPixels(left);
  top = ClampPixels(top);
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  const bool resized = width != FWidth || height != FHeight;
  if (left != FLeft || top != FTop) FPlacedPosition = IsBeingPlaced();
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  NotifyPeer([](TControlPeer& peer) { peer.BoundsChanged(); });
  if (!resized) return;
  Resized();
  // A size the parent gave is already part of its layout; any other may move the siblings.
  if (FParent && !IsBeingPlaced()) FParent->ChildChanged(*this);
}

TRect TControl::GetWindowRect() const {
  TRect r = GetBoundsRect();
  for (const TWinControl* p = FParent; p; p = p->FParent) {
    const TRect client = p->GetClientRect();
    r = r.Offset(client.Left, client.Top);
    if (p->FParent) r = r.Offset(p->FLeft, p->FTop);
  }
  return r;
}

TSize TControl::GetPreferredSize(int) const { return {FWidth, FHeight}; }

bool TControl::IsBeingPlaced() const { return FParent && FParent->FPlacing == this; }

void TControl::AdjustSize() {
  // A parent that places this control measures it itself when it lays it out.
  if (FParent && FParent->PlacesChild(*this)) {
    FParent->ChildChanged(*this);
    return;
  }
  TakePreferredSize();
}

void TControl::TakePreferredSize() {
  if (!GetAutoSizing()) return;
  const TSize size = GetPreferredSize();
  SetBoundsGiving(FLeft, FTop, size.Width, size.Height, {false, false});
}

void TControl::SetBoundsGiving(int left, int top, int width, int height, TGivenSize given) {
  const TGivenSize outer = std::exchange(FGivenSize, given);
  TScopeExit restore([&] { FGivenSize = outer; });
  SetBounds(left, top, width, height);
}

void TControl::SetText(const std::string& text) {
  if (text == FText) return;
  FText = text;
  TextChanged();
}

void TControl::TextChanged() {
  NotifyPeer([](TControlPeer& peer) { peer.Invalidate(); });
  AdjustSize();
}

void TControl::FontChanged() {
  NotifyPeer([](TControlPeer& peer) { peer.Invalidate(); });
  AdjustSize();
}

void TControl::CreatePeer() {
  if (FPeer || !GetPeerFactory()) return;
  FPeer = GetPeerFactory()(*this);
  if (FPeer) PeerCreated();
}

void TActionLink::SetAction(TBasicAction* action) {
  if (action == FAction) return;
  if (FAction) FAction->RemoveClient(FClient);
  FAction = action;
  if (!action) return;
  action->AddClient(FClient, [this, action] { FChanged(action); });
  FChanged(action);
}

bool TActionLink::Execute() { return FAction && FAction->Execute(); }

void TControl::ActionChange(TBasicAction* action) {
  auto* custom = dynamic_cast<TCustomAction*>(action);
  if (!custom) return;
  if (!custom->GetCaption().empty()) SetText(custom->GetCaption());
  SetHint(custom->GetHint());
  SetEnabled(custom->GetEnabled());
  SetVisible(custom->GetVisible());
}

void TControl::Click() {
  if (OnClick)
    OnClick(this);
  else
    FActionLink.Execute();
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::ContextPopup(TPoint mousePos, bool& handled) {
  if (OnContextPopup) OnContextPopup(this, mousePos, handled);
}

// ---------------------------------------------------------------------------------------------
// Peers

TControlPeer::~TControlPeer() = default;

namespace {
TPeerFactory& PeerFactory() {
  static TPeerFactory factory;
  return factory;
}
}  // namespace

void SetPeerFactory(TPeerFactory factory) { PeerFactory() = std::move(factory); }
const TPeerFactory& GetPeerFactory() { return PeerFactory(); }
