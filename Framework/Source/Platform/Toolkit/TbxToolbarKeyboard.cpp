// The keyboard on a form's toolbars: which toolbar, which items highlighted, and the keys that
// move, open, click and leave.
#include "TbxToolbarKeyboard.h"

#include <algorithm>
#include <tuple>

#include "TbxForms.h"

namespace {

bool Shows(const TControl& control) {
  for (const TControl* c = &control; c; c = c->GetParent())
    if (!c->GetVisible()) return false;
  return true;
}

bool HasMenu(const TTBCustomItem& item) {
  for (int i = 0; i < item.Count(); ++i)
    if (TToolbarKeyboard::Selectable(*item.GetItem(i))) return true;
  return false;
}

void CollectToolbars(const TWinControl& parent, std::vector<TTBCustomToolbar*>& toolbars) {
  for (int i = 0; i < parent.GetControlCount(); ++i) {
    auto* child = KindCast<TWinControl>(parent.GetControl(i));
    if (!child || !child->GetVisible()) continue;
    if (auto* toolbar = KindCast<TTBCustomToolbar>(child)) {
      const TTBRootItem& items = *toolbar->Items();
      for (int k = 0; k < items.Count(); ++k)
        if (TToolbarKeyboard::Selectable(*items.GetItem(k)) && !items.GetItem(k)->GetBounds().Empty()) {
          toolbars.push_back(toolbar);
          break;
        }
    }
    CollectToolbars(*child, toolbars);
  }
}

// A merge leaves items that another toolbar owns in the toolbar it merged into (the other one
// hides).
bool HoldsMergedItems(const TTBCustomToolbar& toolbar) {
  const TTBRootItem& items = *toolbar.Items();
  for (int i = 0; i < items.Count(); ++i) {
    const TTBCustomItem& item = *items.GetItem(i);
    for (int k = -1; k < item.Count(); ++k) {
      const TComponent* owner = (k < 0 ? item : *item.GetItem(k)).GetOwner();
      if (owner != &toolbar && KindCast<TTBCustomToolbar>(dynamic_cast<const TControl*>(owner))) return true;
    }
  }
  return false;
}

// The items the highlight moves among: those of parent that it can reach.
std::vector<TTBCustomItem*> SelectableItems(const TTBCustomItem& parent) {
  std::vector<TTBCustomItem*> items;
  for (int i = 0; i < parent.Count(); ++i)
    if (TToolbarKeyboard::Selectable(*parent.GetItem(i))) items.push_back(parent.GetItem(i));
  return items;
}

TTBCustomItem* ItemWithAccessKey(const TTBCustomItem& parent, TKey key) {
  for (TTBCustomItem* item : SelectableItems(parent))
    if (ParseAccessKey(item->GetCaption()).Key == key) return item;
  return nullptr;
}

}  // namespace

bool TToolbarKeyboard::Selectable(const TTBCustomItem& item) {
  const TItemKind kind = item.Kind();
  return item.GetVisible() && item.GetEnabled() && kind != ikSeparator && kind != ikControl;
}

std::vector<TTBCustomToolbar*> TToolbarKeyboard::Toolbars(const TForm& form) {
  std::vector<TTBCustomToolbar*> toolbars;
  CollectToolbars(form, toolbars);
  return toolbars;
}

TTBCustomToolbar* TToolbarKeyboard::MainToolbar(const TForm& form) {
  const std::vector<TTBCustomToolbar*> toolbars = Toolbars(form);
  for (TTBCustomToolbar* toolbar : toolbars)
    if (HoldsMergedItems(*toolbar)) return toolbar;
  TTBCustomToolbar* top = nullptr;
  std::tuple<int, int, int, int> best;
  for (TTBCustomToolbar* toolbar : toolbars) {
    const TTBDock* dock = toolbar->GetCurrentDock();
    if (!dock) continue;
    const TRect d = dock->GetWindowRect(), t = toolbar->GetWindowRect();
    const auto place = std::make_tuple(d.Top, d.Left, t.Top, t.Left);
    if (!top || place < best) std::tie(top, best) = std::make_pair(toolbar, place);
  }
  if (top) return top;
  return toolbars.empty() ? nullptr : toolbars.front();
}

TTBCustomToolbar* TToolbarKeyboard::Toolbar() const { return FToolbar; }

std::vector<TTBCustomItem*> TToolbarKeyboard::Path() const {
  std::vector<TTBCustomItem*> path;
  if (!FToolbar) return path;
  for (const auto& item : FPath) {
    if (!item) break;
    path.push_back(item);
  }
  return path;
}

TTBCustomItem* TToolbarKeyboard::Highlighted() const {
  const std::vector<TTBCustomItem*> path = Path();
  return path.empty() ? nullptr : path.back();
}

void TToolbarKeyboard::Changed() { FForm.KeyboardChanged(); }

bool TToolbarKeyboard::Enter(TTBCustomToolbar* toolbar) {
  if (!toolbar) toolbar = MainToolbar(FForm);
  if (!toolbar || !Shows(*toolbar)) return false;
  const std::vector<TTBCustomItem*> items = SelectableItems(*toolbar->Items());
  if (items.empty()) return false;
  FToolbar = toolbar;
  FPath.assign(1, items.front());
  Changed();
  return true;
}

void TToolbarKeyboard::Leave() {
  if (!FToolbar && FPath.empty()) return;
  FToolbar = nullptr;
  FPath.clear();
  Changed();
}

void TToolbarKeyboard::Prune() {
  if (!FToolbar || !Shows(*FToolbar)) {
    Leave();
    return;
  }
  // An item that went away, or no longer shows, closes the menus below it.
  for (std::size_t i = 0; i < FPath.size(); ++i) {
    TTBCustomItem* item = FPath[i];
    const TTBCustomItem* parent = i == 0 ? FToolbar->Items() : FPath[i - 1].get();
    if (!item || item->GetParent() != parent || !Selectable(*item)) {
      FPath.resize(i);
      break;
    }
  }
  if (FPath.empty() && !Enter(FToolbar)) Leave();
}

TTBCustomItem& TToolbarKeyboard::Container() const {
  return FPath.size() < 2 ? *FToolbar->Items() : *FPath[FPath.size() - 2];
}

void TToolbarKeyboard::Highlight(TTBCustomItem& item) {
  if (!FToolbar || item.GetToolbar() != FToolbar.get()) return;
  std::vector<TGuard<TTBCustomItem>> path;
  for (TTBCustomItem* at = &item; at && at != FToolbar->Items(); at = at->GetParent()) path.insert(path.begin(), at);
  if (path == FPath) return;
  FPath = std::move(path);
  Changed();
}

bool TToolbarKeyboard::OpenMenu() {
  TTBCustomItem* item = Highlighted();
  if (!item || !HasMenu(*item)) return false;
  FPath.emplace_back(SelectableItems(*item).front());
  Changed();
  return true;
}

void TToolbarKeyboard::CloseMenu() {
  if (FPath.size() < 2) return;
  FPath.pop_back();
  Changed();
}

void TToolbarKeyboard::CloseMenus() {
  if (FPath.size() < 2) return;
  FPath.resize(1);
  Changed();
}

// The keyboard leaves before the item runs: what the click does (a dialog, a new window) finds the
// toolbar as the user left it.
void TToolbarKeyboard::Click(TTBCustomItem& item) {
  TGuard<TTBCustomItem> clicked(&item);
  Leave();
  if (clicked) clicked->Click();
}

void TToolbarKeyboard::Activate() {
  TTBCustomItem* item = Highlighted();
  if (!item) return;
  if (HasMenu(*item))
    OpenMenu();
  else
    Click(*item);
}

bool TToolbarKeyboard::ActivateAccessKey(TKey key) {
  if (!FToolbar) return false;
  TTBCustomItem* item = ItemWithAccessKey(Container(), key);
  if (!item) return false;
  Highlight(*item);
  Activate();
  return true;
}

void TToolbarKeyboard::Move(int step) {
  const std::vector<TTBCustomItem*> items = SelectableItems(Container());
  if (items.empty()) return;
  const auto at = std::find(items.begin(), items.end(), Highlighted());
  const int count = static_cast<int>(items.size());
  const int index = at == items.end() ? 0 : static_cast<int>(at - items.begin());
  Highlight(*items[static_cast<std::size_t>(((index + step) % count + count) % count)]);
}

void TToolbarKeyboard::MoveToEnd(bool last) {
  const std::vector<TTBCustomItem*> items = SelectableItems(Container());
  if (!items.empty()) Highlight(last ? *items.back() : *items.front());
}

// Left and Right in a toolbar's menu go on to the neighbouring item, opening its menu in turn.
void TToolbarKeyboard::MoveOnToolbar(int step, bool reopen) {
  CloseMenus();
  Move(step);
  if (reopen) OpenMenu();
}

void TToolbarKeyboard::NextToolbar(bool forward) {
  const std::vector<TTBCustomToolbar*> toolbars = Toolbars(FForm);
  if (toolbars.empty()) return;
  const auto at = std::find(toolbars.begin(), toolbars.end(), FToolbar.get());
  const int count = static_cast<int>(toolbars.size());
  const int index = at == toolbars.end() ? 0 : static_cast<int>(at - toolbars.begin()) + (forward ? 1 : -1);
  Enter(toolbars[static_cast<std::size_t>((index % count + count) % count)]);
}

bool TToolbarKeyboard::KeyDown(TKey key, TShiftState shift) {
  Prune();
  if (!Active()) return false;
  if (key == vkMenu || key == vkF10) {
    Leave();
    return true;
  }
  // Alt with a key is an access key anywhere in the window: the form looks for it.
  if (shift.Contains(ssAlt) || shift.Contains(ssCtrl)) {
    Leave();
    return false;
  }
  switch (key) {
    case vkEscape:
      if (FPath.size() > 1)
        CloseMenu();
      else
        Leave();
      return true;
    case vkTab:
      NextToolbar(!shift.Contains(ssShift));
      return true;
    case vkReturn:
    case vkSpace:
      Activate();
      return true;
    case vkHome:
    case vkEnd:
      MoveToEnd(key == vkEnd);
      return true;
    default:
      break;
  }
  return FPath.size() < 2 ? KeyOnToolbar(key) : KeyInMenu(key);
}

// Along the toolbar the arrows follow its direction; the one across it opens a menu.
bool TToolbarKeyboard::KeyOnToolbar(TKey key) {
  const bool vertical = FToolbar->IsVertical();
  if (key == (vertical ? vkUp : vkLeft)) {
    Move(-1);
  } else if (key == (vertical ? vkDown : vkRight)) {
    Move(1);
  } else if (key == (vertical ? vkRight : vkDown)) {
    OpenMenu();
  } else {
    return ActivateAccessKey(key);
  }
  return true;
}

bool TToolbarKeyboard::KeyInMenu(TKey key) {
  const bool vertical = FToolbar->IsVertical();
  TTBCustomItem* item = Highlighted();
  switch (key) {
    case vkUp:
    case vkDown:
      Move(key == vkUp ? -1 : 1);
      return true;
    case vkRight:
      if (item && HasMenu(*item))
        OpenMenu();
      else if (!vertical)
        MoveOnToolbar(1, true);
      return true;
    case vkLeft:
      if (FPath.size() > 2)
        CloseMenu();
      else if (!vertical)
        MoveOnToolbar(-1, true);
      return true;
    default:
      return ActivateAccessKey(key);
  }
}
