#include "WbSettingsCheck.h"

#include <algorithm>
#include <set>

#include "KolStrings.h"
#include "NUVViewPartSettings.h"

namespace {

std::string Quoted(const IXMLNode& node) { return "<" + node.NodeName() + ">"; }

// Where a name that is not read here is read instead, if anywhere in the kind's settings.
void FindElsewhere(const TNUVSettingGroup& group, const std::string& name, TNUVSettingPlace place,
                   std::set<const TNUVSettingGroup*>& seen, std::string& found) {
  if (!found.empty() || !seen.insert(&group).second) return;
  if (group.Find(name, place)) {
    found = "<" + group.Element + ">";
    return;
  }
  for (const TNUVSetting& setting : group.Settings)
    if (setting.Group) FindElsewhere(*setting.Group, name, place, seen, found);
}

// Namespace declarations and the schema location are for editors, not settings.
bool IsSchemaAttribute(const std::string& name) { return name.starts_with("xmlns") || name.starts_with("xsi:"); }

class TWbSettingsChecker {
 public:
  TWbSettingsChecker(const TNUVSettingGroup* kind, const std::string* viewPart, std::vector<TWbWarning>& warnings)
      : FKind(kind), FViewPart(viewPart), FWarnings(warnings) {}

  void CheckGroup(const IXMLNode& node, const TNUVSettingGroup& group) {
    CheckAttributes(node, group.Names(spAttribute), group);
    std::set<std::string> given;
    auto children = node.ChildNodes();
    for (int i = 0; i < children->Count(); ++i) {
      auto child = children->Get(i);
      const std::string name = child->NodeName();
      const TNUVSetting* setting = group.Find(name, spElement);
      if (!setting) {
        UnknownElement(*child, node, group);
      } else if (!setting->Repeated && !given.insert(name).second) {
        Warn(*child, name, std::nullopt,
             Quoted(*child) + " is given twice in " + Quoted(node) + "; only the first is read");
      } else if (setting->Group) {
        CheckGroup(*child, *setting->Group);
      } else {
        CheckGroup(*child, KValueElement);  // a value: neither attributes nor elements are read
      }
    }
  }

  void CheckAttributes(const IXMLNode& node, const std::vector<std::string>& known, const TNUVSettingGroup& group) {
    for (const std::string& name : node.AttributeNames()) {
      if (std::find(known.begin(), known.end(), name) != known.end() || IsSchemaAttribute(name)) continue;
      std::string what = "unknown attribute " + name + " of " + Quoted(node) + " is ignored";
      if (group.Find(name, spElement)) {
        Warn(node, name, std::nullopt, what + "; " + name + " is read as an element <" + name + "> inside it");
        continue;
      }
      WarnWithSuggestion(node, name, known, what);
    }
  }

 private:
  void UnknownElement(const IXMLNode& child, const IXMLNode& parent, const TNUVSettingGroup& group) {
    const std::string name = child.NodeName();
    const std::string what = "unknown element " + Quoted(child) + " in " + Quoted(parent) + " is ignored";
    if (group.Find(name, spAttribute))
      return Warn(child, name, std::nullopt, what + "; " + name + " is read as an attribute of " + Quoted(parent));
    std::string elsewhere;
    std::set<const TNUVSettingGroup*> seen;
    if (FKind) FindElsewhere(*FKind, name, spElement, seen, elsewhere);
    if (!elsewhere.empty() && elsewhere != Quoted(parent))
      return Warn(child, name, std::nullopt, what + "; it is read inside " + elsewhere);
    if (const TNUVViewPartReference* other = OtherKind(name))
      return Warn(child, name, std::nullopt,
                  what + "; it is the element of " + other->Factory + " view parts" +
                      (FKind ? ", and this view part reads <" + FKind->Element + ">" : std::string()));
    WarnWithSuggestion(child, name, group.Names(spElement), what);
  }

  const TNUVViewPartReference* OtherKind(const std::string& name) const {
    for (const TNUVViewPartReference& reference : ViewPartReferences())
      if (reference.Settings->Element == name && reference.Settings != FKind) return &reference;
    return nullptr;
  }

  // Names are case-sensitive, as XML's are: a name that differs in case only is not read either.
  void WarnWithSuggestion(const IXMLNode& node, const std::string& name, const std::vector<std::string>& known,
                          const std::string& what) {
    const std::string closest = ClosestName(name, known);
    if (closest.empty()) return Warn(node, name, std::nullopt, what);
    const std::string hint = SameText(closest, name) ? "; names are case-sensitive: did you mean " + closest + "?"
                                                     : "; did you mean " + closest + "?";
    Warn(node, name, closest, what + hint);
  }

  void Warn(const IXMLNode& node, const std::string& name, std::optional<std::string> suggestion,
            const std::string& message) {
    TWbWarning warning;
    warning.File = node.SourceName();
    warning.Line = node.Line();
    if (FViewPart) warning.ViewPart = *FViewPart;
    warning.Name = name;
    warning.Suggestion = std::move(suggestion);
    warning.Message = message;
    FWarnings.push_back(std::move(warning));
  }

  static inline const TNUVSettingGroup KValueElement{"", {}};
  const TNUVSettingGroup* FKind;
  const std::string* FViewPart;
  std::vector<TWbWarning>& FWarnings;
};

// ExtData holds the kind's element and what it gives its work space.
TNUVSettingGroup ExtDataGroup(const TNUVViewPartReference& reference) {
  TNUVSettingGroup group = WorkSpaceChildSettings();
  TNUVSetting element;
  element.Name = reference.Settings->Element;
  element.Group = reference.Settings;
  group.Settings.insert(group.Settings.begin(), element);
  return group;
}

}  // namespace

void CheckAttributes(const IXMLNode& node, const std::vector<std::string>& known, const std::string* viewPart,
                     std::vector<TWbWarning>& warnings) {
  TWbSettingsChecker(nullptr, viewPart, warnings).CheckAttributes(node, known, TNUVSettingGroup{});
}

void CheckExtData(const IXMLNode& extData, const std::string& factory, const std::string& viewPart,
                  std::vector<TWbWarning>& warnings) {
  const TNUVViewPartReference* reference = FindViewPartReference(factory);
  if (!reference) return;
  TWbSettingsChecker(reference->Settings, &viewPart, warnings).CheckGroup(extData, ExtDataGroup(*reference));
}
