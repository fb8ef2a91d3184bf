// Radio buttons and check boxes.
#include <vector>

#include "KolExceptions.h"
#include "TbxFields.h"
#include "TbxTextObjects.h"

// ---------------------------------------------------------------------------------------------
// Radio buttons

TTBXCustomRadioButton::TTBXCustomRadioButton(TComponent* owner) : TTBXTextObject(owner) {}
TTBXCustomRadioButton::~TTBXCustomRadioButton() = default;

void TTBXCustomRadioButton::SetChecked(bool checked) {
  if (!UpdateField(FChecked, checked)) return;
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
    auto* sibling = dynamic_cast<TTBXCustomRadioButton*>(parent->GetControl(i));
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

void TTBXCustomCheckBox::SetChecked(bool checked) { SetState(checked ? cbChecked : cbUnchecked); }

void TTBXCustomCheckBox::SetState(TCheckBoxState state) {
  NUV_ASSERT(state == cbUnchecked || state == cbChecked || state == cbGrayed);
  if (UpdateField(FState, state) && OnChange) OnChange(this);
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
