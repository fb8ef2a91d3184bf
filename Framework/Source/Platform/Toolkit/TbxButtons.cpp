// Radio buttons and check boxes.
#include <algorithm>
#include <vector>

#include "KolExceptions.h"
#include "TbxFields.h"
#include "TbxMetrics.h"
#include "TbxPeers.h"
#include "TbxTextObjects.h"

// ---------------------------------------------------------------------------------------------
// Radio buttons

TTBXCustomRadioButton::TTBXCustomRadioButton(TComponent* owner) : TTBXTextObject(owner) {
  SetTabStop(true);
  ShowAccessKey();
}
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

std::vector<TTBXCustomRadioButton*> TTBXCustomRadioButton::GroupButtons() const {
  std::vector<TTBXCustomRadioButton*> buttons;
  const TWinControl* parent = GetParent();
  if (!parent) return buttons;
  for (int i = 0; i < parent->GetControlCount(); ++i) {
    auto* button = KindCast<TTBXCustomRadioButton>(parent->GetControl(i));
    if (button && button->FGroupIndex == FGroupIndex && (button == this || button->CanFocus()))
      buttons.push_back(button);
  }
  return buttons;
}

bool TTBXCustomRadioButton::KeyDown(TKey key, TShiftState shift) {
  if (!shift.Empty()) return false;
  if (key == vkSpace) {
    Click();
    return true;
  }
  const bool back = key == vkUp || key == vkLeft;
  if (!back && key != vkDown && key != vkRight) return false;
  const std::vector<TTBXCustomRadioButton*> buttons = GroupButtons();
  const auto at = std::find(buttons.begin(), buttons.end(), this);
  if (buttons.size() < 2 || at == buttons.end()) return true;
  const int count = static_cast<int>(buttons.size());
  const int index = static_cast<int>(at - buttons.begin()) + (back ? count - 1 : 1);
  TGuard<TTBXCustomRadioButton> next(buttons[static_cast<std::size_t>(index % count)]);
  next->SetFocus();
  if (next) next->Click();
  return true;
}

TTBXRadioButton::TTBXRadioButton(TComponent* owner) : TTBXCustomRadioButton(owner) {}
TTBXRadioButton::~TTBXRadioButton() = default;

// ---------------------------------------------------------------------------------------------
// Check boxes

TTBXCustomCheckBox::TTBXCustomCheckBox(TComponent* owner) : TTBXTextObject(owner) {
  SetTabStop(true);
  ShowAccessKey();
}
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

bool TTBXCustomCheckBox::KeyDown(TKey key, TShiftState shift) {
  if (key != vkSpace || !shift.Empty()) return false;
  Click();
  return true;
}

TTBXCheckBox::TTBXCheckBox(TComponent* owner) : TTBXCustomCheckBox(owner) {}
TTBXCheckBox::~TTBXCheckBox() = default;
