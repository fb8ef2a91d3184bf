// Radio buttons and check boxes.
#include <vector>

#include "KolExceptions.h"
#include "TbxFields.h"
#include "TbxMetrics.h"
#include "TbxPeers.h"
#include "TbxTextObjects.h"

// ---------------------------------------------------------------------------------------------
// Radio buttons

TTBXCustomRadioButton::TTBXCustomRadioButton(TComponent* owner) : TTBXTextObject(owner) {}
TTBXCustomRadioButton::~TTBXCustomRadioButton() = default;

namespace {
constexpr TSize KGlyphLeading{TbxMetrics::GlyphSize + TbxMetrics::GlyphGap, TbxMetrics::GlyphSize};
}

TSize TTBXCustomRadioButton::LeadingSize() const { return KGlyphLeading; }
TRect TTBXCustomRadioButton::GetGlyphRect() const { return LeadingRect(KGlyphLeading); }

void TTBXCustomRadioButton::SetChecked(bool checked) {
  if (!UpdateField(FChecked, checked)) return;
  NotifyPeer([](TControlPeer& peer) { peer.Invalidate(); });
  if (FChecked) UncheckSiblings();
  // A sibling's handler may have unchecked this button again; that change reported itself.
  if (FChecked == checked && OnChange) OnChange(this);
}

void TTBXCustomRadioButton::UncheckSiblings() {
  TWinControl* parent = GetParent();
  if (!parent) return;
  // Gathered first and guarded: a sibling's OnChange handler may rearrange or destroy controls.
  std::vector<TGuard<TTBXCustomRadioButton>> siblings;
  for (int i = 0; i < parent->GetControlCount(); ++i) {
    auto* sibling = KindCast<TTBXCustomRadioButton>(parent->GetControl(i));
    if (sibling && sibling != this && sibling->FGroupIndex == FGroupIndex && sibling->FChecked)
      siblings.emplace_back(sibling);
  }
  for (const auto& sibling : siblings)
    if (sibling) sibling->SetChecked(false);
}

void TTBXCustomRadioButton::Click() {
  SetChecked(true);
  TTBXTextObject::Click();
}

TTBXRadioButton::TTBXRadioButton(TComponent* owner) : TTBXCustomRadioButton(owner) {}
TTBXRadioButton::~TTBXRadioButton() = default;

// ---------------------------------------------------------------------------------------------
// Check boxes

TTBXCustomCheckBox::TTBXCustomCheckBox(TComponent* owner) : TTBXTextObject(owner) {}
TTBXCustomCheckBox::~TTBXCustomCheckBox() = default;

TSize TTBXCustomCheckBox::LeadingSize() const { return KGlyphLeading; }
TRect TTBXCustomCheckBox::GetGlyphRect() const { return LeadingRect(KGlyphLeading); }

void TTBXCustomCheckBox::SetChecked(bool checked) { SetState(checked ? cbChecked : cbUnchecked); }

void TTBXCustomCheckBox::SetState(TCheckBoxState state) {
  NUV_ASSERT(state == cbUnchecked || state == cbChecked || state == cbGrayed);
  if (!UpdateField(FState, state)) return;
  NotifyPeer([](TControlPeer& peer) { peer.Invalidate(); });
  if (OnChange) OnChange(this);
}

TCheckBoxState TTBXCustomCheckBox::NextState() const {
  switch (FState) {
    case cbUnchecked:
      return cbChecked;
    case cbChecked:
      return FAllowGrayed ? cbGrayed : cbUnchecked;
    case cbGrayed:
      break;
  }
  return cbUnchecked;
}

void TTBXCustomCheckBox::Click() {
  SetState(NextState());
  TTBXTextObject::Click();
}

TTBXCheckBox::TTBXCheckBox(TComponent* owner) : TTBXCustomCheckBox(owner) {}
TTBXCheckBox::~TTBXCheckBox() = default;
