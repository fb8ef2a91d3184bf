// Script commands for toolbars and the toggle buttons of multi-dock panels:
// `click-item VP PATH`, `click-toggle VP INDEX` and `resize-panel VP INDEX W H`.
#include <optional>

#include "TbxDockablePanels.h"
#include "TbxToolbars.h"
#include "WbErrors.h"
#include "WbScriptCommands.h"

namespace {

// ---------------------------------------------------------------------------------------------
// click-item

// One step of an item path: "#N" is the sub-item at index N (from 0), any other text a caption.
struct TPathStep {
  std::optional<int> Index;
  std::string Caption;
};

TPathStep ParseStep(const std::string& text) {
  if (text.empty()) throw EWbScriptError("the path has an empty step");
  if (text.size() > 1 && text[0] == '#' && text.find_first_not_of("0123456789", 1) == std::string::npos)
    return {ScriptCountArg(text.substr(1), "item index"), {}};
  return {std::nullopt, text};
}

std::vector<TPathStep> ParsePath(const std::string& path) {
  std::vector<TPathStep> steps;
  size_t start = 0;
  for (size_t slash = path.find('/'); slash != std::string::npos; slash = path.find('/', start)) {
    steps.push_back(ParseStep(path.substr(start, slash - start)));
    start = slash + 1;
  }
  steps.push_back(ParseStep(path.substr(start)));
  return steps;
}

bool StepMatches(const TPathStep& step, const TTBCustomItem& item, int index) {
  return step.Index ? *step.Index == index : step.Caption == item.GetCaption();
}

// Every item below parent that the steps from `step` on lead to, depth-first in item order:
// captions may repeat, most of all once a merge has put two toolbars' items side by side.
void CollectItems(TTBCustomItem& parent, const std::vector<TPathStep>& steps, size_t step,
                  std::vector<TTBCustomItem*>& found) {
  for (int i = 0; i < parent.Count(); ++i) {
    TTBCustomItem* item = parent.GetItem(i);
    if (!StepMatches(steps[step], *item, i)) continue;
    if (step + 1 == steps.size())
      found.push_back(item);
    else
      CollectItems(*item, steps, step + 1, found);
  }
}

// The user reaches only what shows: the item and every item above it are visible.
bool Shows(const TTBCustomItem& item) {
  for (const TTBCustomItem* shown = &item; shown->GetParent(); shown = shown->GetParent())
    if (!shown->GetVisible()) return false;
  return true;
}

// The first item, over the toolbars searched in turn, that the path leads to and that shows.
class TItemSearch {
 public:
  explicit TItemSearch(const std::string& path) : FSteps(ParsePath(path)) {}

  // With an owner, only the items it owns count: the ones it built and lent to this toolbar.
  void In(TTBCustomToolbar& toolbar, const TComponent* owner = nullptr) {
    if (FFound) return;
    std::vector<TTBCustomItem*> items;
    CollectItems(*toolbar.Items(), FSteps, 0, items);
    for (TTBCustomItem* item : items) {
      if (owner && item->GetOwner() != owner) continue;
      if (Shows(*item)) {
        FFound = item;
        return;
      }
      FHidden = true;
    }
  }

  TTBCustomItem& Found() const {
    if (!FFound)
      throw EWbScriptError(FHidden ? "that path leads only to hidden items"
                                   : "no item has that path, in its toolbar or among its items merged into another");
    return *FFound;
  }

 private:
  std::vector<TPathStep> FSteps;
  TTBCustomItem* FFound = nullptr;
  bool FHidden = false;
};

void CollectToolbars(const TWinControl& parent, std::vector<TTBCustomToolbar*>& toolbars) {
  for (int i = 0; i < parent.GetControlCount(); ++i) {
    auto* child = KindCast<TWinControl>(parent.GetControl(i));
    if (!child) continue;
    if (auto* toolbar = KindCast<TTBCustomToolbar>(child)) toolbars.push_back(toolbar);
    CollectToolbars(*child, toolbars);
  }
}

TTBCustomToolbar& ToolbarOf(TWbApplication& app, const std::string& viewPart) {
  TControl& control = app.GestureControlOf(viewPart);
  auto* toolbar = KindCast<TTBCustomToolbar>(&control);
  if (!toolbar) throw EWbScriptError("its control is a " + control.ClassName() + ", no toolbar");
  return *toolbar;
}

// The view part's own toolbar first; then, since a merge moves items without a trace the host
// can see, every toolbar of the window in depth-first order, for items the own toolbar owns.
TTBCustomItem& FindItem(TWbApplication& app, const std::string& viewPart, const std::string& path) {
  try {
    TTBCustomToolbar& own = ToolbarOf(app, viewPart);
    TItemSearch search(path);
    search.In(own);
    std::vector<TTBCustomToolbar*> toolbars;
    CollectToolbars(app.Window(), toolbars);
    for (TTBCustomToolbar* toolbar : toolbars)
      if (toolbar != &own) search.In(*toolbar, &own);
    return search.Found();
  } catch (const EWbScriptError& e) {
    throw EWbScriptError("cannot click item '" + path + "' of view part '" + viewPart + "': " + e.Message());
  }
}

// ---------------------------------------------------------------------------------------------
// Toggle buttons and panels of a multi-dock panel view part

// The items of the toolbar that stands in the view part's dock.
TTBCustomItem& ToggleButtons(TWbApplication& app, const std::string& viewPart) {
  TControl& control = app.GestureControlOf(viewPart);
  if (auto* dock = KindCast<TTBDock>(&control))
    for (int i = 0; i < dock->GetControlCount(); ++i)
      if (auto* toolbar = KindCast<TTBCustomToolbar>(dock->GetControl(i))) return *toolbar->Items();
  throw EWbScriptError("view part '" + viewPart + "' is no multi-dock panel: its control, a " + control.ClassName() +
                       ", is no dock holding a toolbar");
}

TTBXVisibilityToggleItem& ToggleButton(TWbApplication& app, const std::string& viewPart, const std::string& text) {
  TTBCustomItem& buttons = ToggleButtons(app, viewPart);
  const int index = ScriptCountArg(text, "button index");
  if (index >= buttons.Count())
    throw EWbScriptError("view part '" + viewPart + "' has no toggle button " + text + " (it has " +
                         std::to_string(buttons.Count()) + ")");
  auto* button = KindCast<TTBXVisibilityToggleItem>(buttons.GetItem(index));
  if (!button)
    throw EWbScriptError("item " + text + " of view part '" + viewPart + "' is a " +
                         buttons.GetItem(index)->ClassName() + ", no toggle button");
  return *button;
}

}  // namespace

void ClickItem(TWbScriptContext& context, const TWbScriptArgs& args) {
  FindItem(context.App, args[0], args[1]).Click();
}

void ClickToggle(TWbScriptContext& context, const TWbScriptArgs& args) {
  ToggleButton(context.App, args[0], args[1]).Click();
}

// The user drags the panel's edge: its position stays, its size changes.
void ResizePanel(TWbScriptContext& context, const TWbScriptArgs& args) {
  TTBXVisibilityToggleItem& button = ToggleButton(context.App, args[0], args[1]);
  const int width = ScriptCountArg(args[2], "width");
  const int height = ScriptCountArg(args[3], "height");
  auto* panel = KindCast<TTBXCustomDockablePanel>(button.GetControl());
  if (!panel)
    throw EWbScriptError("toggle button " + args[1] + " of view part '" + args[0] + "' shows no dockable panel");
  panel->SetBounds(panel->GetLeft(), panel->GetTop(), width, height);
}
