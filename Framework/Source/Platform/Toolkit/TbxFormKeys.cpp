// The keys of a form: the focus from control to control, the keyboard on the toolbars, and access
// keys.
#include <algorithm>

#include "TbxForms.h"
#include "TbxPeers.h"
#include "TbxTextObjects.h"

namespace {

// Every windowed control below parent in the window's order, depth first, each before its children.
void CollectWindowed(const TWinControl& parent, std::vector<TWinControl*>& controls) {
  for (int i = 0; i < parent.GetControlCount(); ++i)
    if (auto* child = KindCast<TWinControl>(parent.GetControl(i))) {
      controls.push_back(child);
      CollectWindowed(*child, controls);
    }
}

bool TakesTab(const TWinControl& control) { return control.GetTabStop() && control.CanFocus(); }

TKey AccessKeyOf(const TWinControl& control) {
  const auto* text = KindCast<TTBXTextObject>(&control);
  return text ? text->GetAccessKey() : vkNone;
}

}  // namespace

TWinControl* TForm::FocusedInForm() const {
  TWinControl* focused = FocusedControl();
  return focused && GetParentForm(*focused) == this ? focused : nullptr;
}

std::vector<TWinControl*> TForm::TabOrder() const {
  std::vector<TWinControl*> controls;
  CollectWindowed(*this, controls);
  std::erase_if(controls, [](const TWinControl* control) { return !TakesTab(*control); });
  return controls;
}

// From where the focus is, in the window's order, whether or not Tab reaches that control itself.
bool TForm::SelectNext(bool forward) {
  std::vector<TWinControl*> controls;
  CollectWindowed(*this, controls);
  const int count = static_cast<int>(controls.size());
  const auto at = std::find(controls.begin(), controls.end(), FocusedInForm());
  const int start = at == controls.end() ? (forward ? -1 : count) : static_cast<int>(at - controls.begin());
  for (int step = 1; step <= count; ++step) {
    const int index = ((start + (forward ? step : -step)) % count + count) % count;
    TWinControl* control = controls[static_cast<std::size_t>(index)];
    if (!TakesTab(*control)) continue;
    control->SetFocus();
    return true;
  }
  return false;
}

bool TForm::AccessKey(TKey key) {
  if (key == vkNone) return false;
  TTBCustomToolbar* main = TToolbarKeyboard::MainToolbar(*this);
  std::vector<TTBCustomToolbar*> toolbars = TToolbarKeyboard::Toolbars(*this);
  std::stable_partition(toolbars.begin(), toolbars.end(), [main](const TTBCustomToolbar* t) { return t == main; });
  for (TTBCustomToolbar* toolbar : toolbars) {
    const TTBRootItem& items = *toolbar->Items();
    for (int i = 0; i < items.Count(); ++i) {
      TTBCustomItem& item = *items.GetItem(i);
      if (!TToolbarKeyboard::Selectable(item) || ParseAccessKey(item.GetCaption()).Key != key) continue;
      // On the toolbar's keyboard, so that a menu opens where the keys then walk it.
      if (FKeyboard->Enter(toolbar)) FKeyboard->ActivateAccessKey(key);
      return true;
    }
  }
  for (TWinControl* control : TabOrder()) {
    if (AccessKeyOf(*control) != key) continue;
    TGuard<TWinControl> reached(control);
    control->SetFocus();
    if (reached) reached->Click();
    return true;
  }
  return false;
}

bool TForm::KeyDown(TKey key, TShiftState shift) {
  if (FKeyboard->Active() && FKeyboard->KeyDown(key, shift)) return true;
  const bool plain = shift.Empty();
  if ((key == vkMenu || key == vkF10) && plain) return FKeyboard->Enter();
  if (key == vkTab && !shift.Contains(ssAlt) && !shift.Contains(ssCtrl)) return SelectNext(!shift.Contains(ssShift));
  if (shift.Contains(ssAlt) && !shift.Contains(ssCtrl) && AccessKey(key)) return true;
  TWinControl* focused = FocusedInForm();
  return focused && focused->CanFocus() && focused->KeyDown(key, shift);
}

void TForm::FocusMoved(TWinControl* previous, TWinControl& focused) {
  // A click or Tab elsewhere takes the keyboard off the toolbar.
  FKeyboard->Leave();
  if (OnFocusChange) OnFocusChange(previous, focused);
}

void TForm::KeyboardChanged() {
  FormChanged();
  if (OnToolbarKeyboard) OnToolbarKeyboard(this);
}
