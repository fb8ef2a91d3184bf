#include "WbFactories.h"

#include <string_view>

#include "KolStrings.h"

const std::vector<TWbFactoryInfo>& KnownFactories() {
  static const std::vector<TWbFactoryInfo> factories{
      {"CreateLabelViewPart", "a label (TTBXLabel); <ExtData><Label>", {}},
      {"CreateLinkViewPart", "a link (TTBXLink); <ExtData><TBXLink>", {}},
      {"CreateRadioButtonViewPart", "a radio button; <ExtData><TBXRadioButton>", {"Topic://ViewPart/%s/OnChange"}},
      {"CreateCheckBoxViewPart",
       "a check box (TTBXCheckBox); <ExtData><TBXCheckBox>",
       {"Topic://ViewPart/%s/OnChange"}},
      {"CreateToolbarDockViewPart", "a dock for toolbars and panels (work space); <ExtData><ToolbarDock>", {}},
      {"CreateDockablePanelViewPart", "a dockable panel (work space); <ExtData><DockablePanel>", {}},
      {"CreateMultiDockPanelViewPart",
       "a dock of panels with toggle buttons (work space); <ExtData><MultiDockPanel>",
       {}},
      {"CreateToolbarViewPart", "a toolbar (work space; can merge into a main toolbar); <ExtData><Toolbar>", {}},
      {"CreateStatusBarViewPart",
       "a status bar with panels (work space); <ExtData><StatusBar>",
       {"Topic://ViewPart/%s/OnClick", "Topic://ViewPart/%s/OnDblClick"}},
  };
  return factories;
}

const TWbFactoryInfo* FindKnownFactory(const std::string& name) {
  for (const auto& factory : KnownFactories())
    if (factory.Name == name) return &factory;
  return nullptr;
}

namespace {

std::string KindOf(std::string_view name) {
  if (name.starts_with("Create")) name.remove_prefix(6);
  if (name.ends_with("ViewPart")) name.remove_suffix(8);
  return std::string(name);
}

}  // namespace

std::string ClosestFactory(const std::string& name, const std::vector<std::string>& factories) {
  std::vector<std::string> kinds;
  for (const auto& factory : factories) kinds.push_back(KindOf(factory));
  const std::string kind = ClosestName(KindOf(name), kinds);
  for (size_t i = 0; i < kinds.size(); ++i)
    if (!kind.empty() && kinds[i] == kind) return factories[i];
  return {};
}
