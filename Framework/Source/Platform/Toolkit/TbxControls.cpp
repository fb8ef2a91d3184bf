// TControl: parent, visibility, bounds, text, events and the action link.
#include "TbxControls.h"

#include "KolExceptions.h"
#include "TbxFields.h"

TControl::TControl(TComponent* owner) : TComponent(owner) {}

TControl::~TControl() {
  // Watchers, the action among them, let go while this is still a whole control.
  Destroying();
  if (FParent) FParent->RemoveControl(this);
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
  if (FParent) FParent->InsertControl(this);
}

void TControl::SetVisible(bool visible) {
  if (UpdateField(FVisible, visible) && FAlign != alNone) RequestAlign();
}

void TControl::SetEnabled(bool enabled) { FEnabled = enabled; }

void TControl::SetAlign(TAlign align) {
  FAlign = align;
  RequestAlign();
}

void TControl::RequestAlign() {
  if (FParent) FParent->Realign();
}

void TControl::SetBounds(int left, int top, int width, int height) {
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
}

void TControl::SetText(const std::string& text) {
  FText = text;
  TextChanged();
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
