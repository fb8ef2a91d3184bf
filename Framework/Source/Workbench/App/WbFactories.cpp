#include "WbFactories.h"

#include <string_view>
#include <utility>

#include "KolStrings.h"
#include "NUVViewPartSettings.h"

namespace {
// The topics come from the view parts' reference tables, which a test holds to the readers.
std::vector<std::string> TopicsOf(const std::string& factory) {
  std::vector<std::string> topics;
  if (const TNUVViewPartReference* reference = FindViewPartReference(factory))
    for (const TNUVPublished& published : reference->Published)
      if (published.Kind == pkTopic) topics.push_back(published.Name);
  return topics;
}

TWbFactoryInfo Factory(std::string name, std::string what) {
  std::vector<std::string> topics = TopicsOf(name);
  return {std::move(name), std::move(what), std::move(topics)};
}
}  // namespace

const std::vector<TWbFactoryInfo>& KnownFactories() {
  static const std::vector<TWbFactoryInfo> factories{
      Factory("CreateLabelViewPart", "a label (TTBXLabel); <ExtData><Label>"),
      Factory("CreateLinkViewPart", "a link (TTBXLink); <ExtData><TBXLink>"),
      Factory("CreateRadioButtonViewPart", "a radio button; <ExtData><TBXRadioButton>"),
      Factory("CreateCheckBoxViewPart", "a check box (TTBXCheckBox); <ExtData><TBXCheckBox>"),
      Factory("CreateToolbarDockViewPart", "a dock for toolbars and panels (work space); <ExtData><ToolbarDock>"),
      Factory("CreateDockablePanelViewPart", "a dockable panel (work space); <ExtData><DockablePanel>"),
      Factory("CreateMultiDockPanelViewPart",
              "a dock of panels with toggle buttons (work space); <ExtData><MultiDockPanel>"),
      Factory("CreateToolbarViewPart", "a toolbar (work space; can merge into a main toolbar); <ExtData><Toolbar>"),
      Factory("CreateStatusBarViewPart", "a status bar with panels (work space); <ExtData><StatusBar>"),
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
