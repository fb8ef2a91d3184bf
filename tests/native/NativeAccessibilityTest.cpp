// What an assistive technology learns of the window through Qt's accessibility layer: every control
// and toolbar item with a role and a name, one element per control of the dump, and states that
// follow clicks and keys.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QTest>
#include <set>

#include "NativeWindow.h"
#include "TbxForms.h"
#include "WbAccessibilityTree.h"

namespace {

using json = nlohmann::json;

void ControlNames(const json& control, std::multiset<std::string>& names) {
  names.insert(control["Name"].get<std::string>());
  for (const json& child : control["Controls"]) ControlNames(child, names);
}

// Every element's object (the control it stands for) into names; every element without a role or
// a name into nameless.
void Elements(const json& node, std::multiset<std::string>& names, std::vector<std::string>& nameless) {
  if (node["object"].is_string()) names.insert(node["object"].get<std::string>());
  if (node["name"] == "" || node["role"] == "NoRole") nameless.push_back(node.dump().substr(0, 200));
  for (const json& child : node["children"]) Elements(child, names, nameless);
}

const json* Find(const json& node, const std::string& role, const std::string& name) {
  if (node["role"] == role && node["name"] == name) return &node;
  for (const json& child : node["children"])
    if (const json* found = Find(child, role, name)) return found;
  return nullptr;
}

bool Has(const json& node, const char* flag) {
  for (const json& set : node["state"])
    if (set == flag) return true;
  return false;
}

class NativeAccessibility : public ::testing::TestWithParam<const char*> {};

TEST_P(NativeAccessibility, EveryControlOfTheDumpIsOneElementAndEveryElementHasARoleAndAName) {
  TNativeWindow native(GetParam());
  native.Workbench->App.RunAll();
  QApplication::processEvents();
  std::multiset<std::string> controls, elements;
  ControlNames(native.Workbench->App.WindowJson(), controls);
  std::vector<std::string> nameless;
  Elements(AccessibleTreeJson(native.Root()), elements, nameless);
  EXPECT_EQ(elements, controls);
  EXPECT_EQ(nameless, std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Examples, NativeAccessibility,
                         ::testing::Values("buttons", "docks", "label", "multidock", "panels", "showcase", "statusbar",
                                           "toolbars"));

class NativeAccessibleShowcase : public ::testing::Test {
 protected:
  NativeAccessibleShowcase() {
    Native.Workbench->App.RunAll();
    QApplication::processEvents();
  }
  json Tree() { return AccessibleTreeJson(Native.Root()); }
  json Element(const std::string& role, const std::string& name) {
    const json tree = Tree();
    const json* found = Find(tree, role, name);
    return found ? *found : json();
  }
  TNativeWindow Native{"showcase"};
};

TEST_F(NativeAccessibleShowcase, RolesNamesStatesAndActionsOfControlsAndItems) {
  const json box = Element("CheckBox", "Word wrap");
  EXPECT_TRUE(Has(box, "mixed"));
  EXPECT_EQ(box["actions"], json({"Toggle"}));
  EXPECT_TRUE(Has(Element("RadioButton", "Medium icons"), "checked"));
  EXPECT_EQ(Element("Link", "Read the manual")["actions"], json({"Press"}));
  const json format = Element("ButtonMenu", "Format");
  EXPECT_TRUE(Has(format, "hasPopup"));
  EXPECT_EQ(format["actions"], json({"ShowMenu"}));
  EXPECT_EQ(format["children"].size(), 4u);
  EXPECT_EQ(format["children"][0]["role"], "MenuItem");
  EXPECT_EQ(Element("Button", "New")["description"], "Create a document");  // the action's hint
  EXPECT_TRUE(Has(Element("Button", "Files"), "checked"));
  EXPECT_EQ(Element("StatusBar", "Status")["children"][0]["name"], "Welcome to Showcase");
  EXPECT_FALSE(Element("Pane", "Properties").is_null());
  EXPECT_FALSE(Element("Separator", "separator").is_null());
}

TEST_F(NativeAccessibleShowcase, StatesFollowClicksKeysAndTheKeyboardOnTheToolbar) {
  QWidget& box = Native.WidgetOf("WordWrap");
  QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(5, 5));
  json element = Element("CheckBox", "Word wrap");
  EXPECT_FALSE(Has(element, "mixed"));
  EXPECT_FALSE(Has(element, "checked"));
  EXPECT_TRUE(Has(element, "focused"));
  QTest::keyClick(&box, Qt::Key_Space);
  EXPECT_TRUE(Has(Element("CheckBox", "Word wrap"), "checked"));
  auto& form = dynamic_cast<TForm&>(Native.Window());
  form.KeyDown(vkF10, {});
  EXPECT_TRUE(Has(Element("Button", "New"), "focused"));
  EXPECT_FALSE(Has(Element("CheckBox", "Word wrap"), "focused"));  // the toolbar has the keys
  form.KeyDown(vkEscape, {});
  EXPECT_TRUE(Has(Element("CheckBox", "Word wrap"), "focused"));
  // The press action of an item clicks it; the toggle of a check box clicks the box.
  QAccessibleInterface* root = QAccessible::queryAccessibleInterface(&Native.Root());
  ASSERT_NE(root, nullptr);
  QAccessibleInterface* boxElement = QAccessible::queryAccessibleInterface(&box);
  boxElement->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
  EXPECT_TRUE(Has(Element("CheckBox", "Word wrap"), "mixed"));
}

}  // namespace
