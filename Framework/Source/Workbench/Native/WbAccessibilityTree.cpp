#include "WbAccessibilityTree.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QMetaEnum>
#include <QWidget>

#include "WbErrors.h"

namespace {

// Interfaces may nest as deeply as the controls and items they stand for; the dump's bound holds.
constexpr int KMaxDepth = 1024;

TWbJson StateJson(const QAccessible::State& state) {
  TWbJson flags = TWbJson::array();
  const std::pair<bool, const char*> named[] = {{state.disabled, "disabled"},     {state.focusable, "focusable"},
                                                {state.focused, "focused"},       {state.pressed, "pressed"},
                                                {state.checkable, "checkable"},   {state.checked, "checked"},
                                                {state.checkStateMixed, "mixed"}, {state.invisible, "invisible"},
                                                {state.hasPopup, "hasPopup"},     {state.expanded, "expanded"}};
  for (const auto& [set, name] : named)
    if (set) flags.push_back(name);
  return flags;
}

TWbJson ActionsJson(QAccessibleInterface& iface) {
  TWbJson actions = TWbJson::array();
  if (QAccessibleActionInterface* action = iface.actionInterface())
    for (const QString& name : action->actionNames()) actions.push_back(name.toStdString());
  return actions;
}

TWbJson NodeJson(QAccessibleInterface& iface, QPoint origin, int depth) {
  if (depth > KMaxDepth) throw EWbLoadError("the accessibility tree is nested deeper than 1024 levels");
  TWbJson node;
  const char* role = QMetaEnum::fromType<QAccessible::Role>().valueToKey(iface.role());
  node["role"] = role ? role : std::to_string(iface.role());
  node["name"] = iface.text(QAccessible::Name).toStdString();
  node["description"] = iface.text(QAccessible::Description).toStdString();
  QObject* object = iface.object();
  node["object"] = object ? TWbJson(object->objectName().toStdString()) : TWbJson();
  node["state"] = StateJson(iface.state());
  node["actions"] = ActionsJson(iface);
  // An element that does not show has no place on the screen.
  const QRect rect = iface.rect().isEmpty() ? QRect() : iface.rect().translated(-origin);
  node["bounds"] = TWbJson::array({rect.x(), rect.y(), rect.width(), rect.height()});
  TWbJson children = TWbJson::array();
  for (int i = 0; i < iface.childCount(); ++i)
    if (QAccessibleInterface* child = iface.child(i)) children.push_back(NodeJson(*child, origin, depth + 1));
  node["children"] = std::move(children);
  return node;
}

}  // namespace

TWbJson AccessibleTreeJson(QWidget& window) {
  QAccessibleInterface* root = QAccessible::queryAccessibleInterface(&window);
  if (!root) throw EWbLoadError("Qt reports no accessibility interface for the window");
  return NodeJson(*root, window.mapToGlobal(QPoint(0, 0)), 1);
}
