// Radio buttons and check boxes.
#include <algorithm>
#include <functional>
#include <unordered_map>
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
TTBXCustomRadioButton::~TTBXCustomRadioButton() { Unlist(); }

namespace {
constexpr TSize KGlyphLeading{TbxMetrics::GlyphSize + TbxMetrics::GlyphGap, TbxMetrics::GlyphSize};

// The checked radio buttons of each parent and group. Each button keeps its own entry true as it
// is checked, unchecked, moved, regrouped and destroyed, so a parent is listed only while it has a
// checked radio button. Mostly a group has one; moving checked buttons in makes more.
struct TGroupKey {
  const TWinControl* Parent;
  int GroupIndex;
  bool operator==(const TGroupKey&) const = default;
};
struct TGroupKeyHash {
  std::size_t operator()(const TGroupKey& key) const {
    return std::hash<const void*>()(key.Parent) ^ (std::hash<int>()(key.GroupIndex) * 0x9E3779B97F4A7C15U);
  }
};
using TCheckedButtons = std::unordered_map<TGroupKey, std::vector<TTBXCustomRadioButton*>, TGroupKeyHash>;
TCheckedButtons& CheckedButtons() {
  static TCheckedButtons checked;
  return checked;
}
}  // namespace

TSize TTBXCustomRadioButton::LeadingSize() const { return KGlyphLeading; }
TRect TTBXCustomRadioButton::GetGlyphRect() const { return LeadingRect(KGlyphLeading); }

void TTBXCustomRadioButton::List() {
  if (FChecked && GetParent()) CheckedButtons()[{GetParent(), FGroupIndex}].push_back(this);
}

void TTBXCustomRadioButton::Unlist() {
  if (!FChecked || !GetParent()) return;
  auto group = CheckedButtons().find({GetParent(), FGroupIndex});
  if (group == CheckedButtons().end()) return;
  std::erase(group->second, this);
  if (group->second.empty()) CheckedButtons().erase(group);
}

void TTBXCustomRadioButton::SetGroupIndex(int groupIndex) {
  if (groupIndex == FGroupIndex) return;
  Unlist();
  FGroupIndex = groupIndex;
  List();
}

void TTBXCustomRadioButton::SetParent(TWinControl* parent) {
  if (parent == GetParent()) return;
  Unlist();
  // Listed again under whichever parent the button has in the end, also when the move is refused.
  TScopeExit relist([this] { List(); });
  TTBXTextObject::SetParent(parent);
}

void TTBXCustomRadioButton::SetChecked(bool checked) {
  if (checked == FChecked) return;
  Unlist();
  FChecked = checked;
  List();
  NotifyPeer([](TControlPeer& peer) { peer.Invalidate(); });
  if (FChecked) UncheckSiblings();
  // A sibling's handler may have unchecked this button again; that change reported itself.
  if (FChecked == checked && OnChange) OnChange(this);
}

void TTBXCustomRadioButton::UncheckSiblings() {
  TWinControl* parent = GetParent();
  if (!parent) return;
  std::vector<TTBXCustomRadioButton*> checked;
  for (TTBXCustomRadioButton* sibling : CheckedButtons().at({parent, FGroupIndex}))
    if (sibling != this) checked.push_back(sibling);
  if (checked.size() > 1)
    std::sort(checked.begin(), checked.end(), [parent](const TControl* a, const TControl* b) {
      return parent->IndexOfControl(a) < parent->IndexOfControl(b);
    });
  // Guarded, in child order: a sibling's OnChange handler may rearrange or destroy controls.
  const std::vector<TGuard<TTBXCustomRadioButton>> siblings(checked.begin(), checked.end());
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
