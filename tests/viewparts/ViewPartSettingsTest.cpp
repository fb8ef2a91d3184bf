// The settings tables cannot drift from the readers: each kind is driven over extension data that
// gives every setting of its table, through nodes that record each name looked up, and what the
// readers looked up must be exactly what the table lists.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>

#include "NUV.ViewParts.TBX.h"
#include "NUVViewPartSettings.h"
#include "TestHost.h"

namespace {

// "Font/Size" for a child element looked up on <Font>, "Item/@Caption" for an attribute.
using TLookups = std::set<std::string>;

class TRecordingNodeList;

// Hands the readers the node it wraps, writing down every name they ask it for.
class TRecordingNode final : public TImplements<TTolvaRefCntIntfObject, IXMLNode> {
 public:
  TRecordingNode(TIntfPtr<IXMLNode> node, std::shared_ptr<TLookups> lookups)
      : FNode(std::move(node)), FLookups(std::move(lookups)) {}
  std::string NodeName() const override { return FNode->NodeName(); }
  std::string Text() const override { return FNode->Text(); }
  TIntfPtr<IXMLNodeList> ChildNodes() const override;
  bool HasChildNodes() const override { return FNode->HasChildNodes(); }
  TIntfPtr<IXMLNode> ParentNode() const override { return FNode->ParentNode(); }
  bool HasAttribute(std::string_view name) const override {
    Record(name);
    return FNode->HasAttribute(name);
  }
  std::string GetAttribute(std::string_view name) const override {
    Record(name);
    return FNode->GetAttribute(name);
  }
  std::vector<std::string> AttributeNames() const override { return FNode->AttributeNames(); }
  const std::string& SourceName() const override { return FNode->SourceName(); }
  int Line() const override { return FNode->Line(); }
  int Column() const override { return FNode->Column(); }
  std::string Location() const override { return FNode->Location(); }

 private:
  void Record(std::string_view attribute) const { FLookups->insert(FNode->NodeName() + "/@" + std::string(attribute)); }
  TIntfPtr<IXMLNode> FNode;
  std::shared_ptr<TLookups> FLookups;
};

class TRecordingNodeList final : public TImplements<TTolvaRefCntIntfObject, IXMLNodeList> {
 public:
  TRecordingNodeList(std::string parent, TIntfPtr<IXMLNodeList> list, std::shared_ptr<TLookups> lookups)
      : FParent(std::move(parent)), FList(std::move(list)), FLookups(std::move(lookups)) {}
  int Count() const override { return FList->Count(); }
  TIntfPtr<IXMLNode> Get(int index) const override { return Wrap(FList->Get(index)); }
  TIntfPtr<IXMLNode> FindNode(std::string_view name) const override {
    FLookups->insert(FParent + "/" + std::string(name));
    return Wrap(FList->FindNode(name));
  }

 private:
  TIntfPtr<IXMLNode> Wrap(TIntfPtr<IXMLNode> node) const {
    if (!node) return node;
    return TIntfPtr<IXMLNode>(MakeCounted<TRecordingNode>(std::move(node), FLookups).get());
  }
  std::string FParent;
  TIntfPtr<IXMLNodeList> FList;
  std::shared_ptr<TLookups> FLookups;
};

TIntfPtr<IXMLNodeList> TRecordingNode::ChildNodes() const {
  return TIntfPtr<IXMLNodeList>(
      MakeCounted<TRecordingNodeList>(FNode->NodeName(), FNode->ChildNodes(), FLookups).get());
}

// ---------------------------------------------------------------------------------------------
// Extension data that gives every setting of a table

// A value each reader accepts: the first accepted name, a number, a colour.
std::string SampleValue(const TNUVSetting& setting) {
  if (setting.Name == "MergeWithMainToolbarViewPart") return "MainBar";
  if (setting.Name == "ID") return "Msg";
  if (setting.Type == "Boolean") return "True";
  if (setting.Type == "Integer") return setting.Name == "Size" && setting.Default == "100" ? "100" : "10";
  if (setting.Type == "Colour") return "clRed";
  if (setting.Type == "Enumeration" || setting.Type == "List") {
    std::string first = setting.Values.substr(0, setting.Values.find(','));
    return first.substr(first.rfind(' ') + 1);
  }
  return "x";
}

// Items hold items: two levels show it.
std::string SampleElement(const TNUVSetting& element, int depth, const std::map<std::string, std::string>& overrides);

std::string SampleContent(const TNUVSettingGroup& group, int depth, const std::map<std::string, std::string>& overrides,
                          std::string& attributes) {
  std::string content;
  for (const TNUVSetting& setting : group.Settings) {
    auto given = overrides.find(setting.Name);
    const std::string value = given != overrides.end() ? given->second : SampleValue(setting);
    if (setting.Place == spAttribute)
      attributes += " " + setting.Name + "=\"" + value + "\"";
    else if (setting.Group && depth < 2)
      content += SampleElement(setting, depth + 1, overrides);
    else if (!setting.Group)
      content += "<" + setting.Name + ">" + value + "</" + setting.Name + ">";
  }
  return content;
}

std::string SampleElement(const TNUVSetting& element, int depth, const std::map<std::string, std::string>& overrides) {
  std::string attributes;
  const std::string content = SampleContent(*element.Group, depth, overrides, attributes);
  return "<" + element.Name + attributes + ">" + content + "</" + element.Name + ">";
}

// What the table says the readers look up: "<parent element>/<name>", "/@<name>" for attributes.
void Expected(const TNUVSettingGroup& group, std::set<const TNUVSettingGroup*>& seen, TLookups& lookups) {
  if (!seen.insert(&group).second) return;
  for (const TNUVSetting& setting : group.Settings) {
    lookups.insert(group.Element + (setting.Place == spAttribute ? "/@" : "/") + setting.Name);
    if (setting.Group) Expected(*setting.Group, seen, lookups);
  }
}

using TFactory = INUVViewPart* (*)(IQIMExtension*, INUVWorkItem*);

const std::map<std::string, TFactory>& Factories() {
  static const std::map<std::string, TFactory> factories{{"CreateLabelViewPart", CreateLabelViewPart},
                                                         {"CreateLinkViewPart", CreateLinkViewPart},
                                                         {"CreateRadioButtonViewPart", CreateRadioButtonViewPart},
                                                         {"CreateCheckBoxViewPart", CreateCheckBoxViewPart},
                                                         {"CreateToolbarDockViewPart", CreateToolbarDockViewPart},
                                                         {"CreateToolbarViewPart", CreateToolbarViewPart},
                                                         {"CreateDockablePanelViewPart", CreateDockablePanelViewPart},
                                                         {"CreateMultiDockPanelViewPart", CreateMultiDockPanelViewPart},
                                                         {"CreateStatusBarViewPart", CreateStatusBarViewPart}};
  return factories;
}

class ViewPartSettings : public ::testing::TestWithParam<std::string> {
 protected:
  ViewPartSettings() {
    Host.WorkItem().SetState(wsRunning);  // running: a toolbar places its children at once
    MainBar = Make("CreateToolbarViewPart", "MainBar", "<ExtData><Toolbar/></ExtData>", nullptr);
  }
  ~ViewPartSettings() override {
    for (auto it = Made.rbegin(); it != Made.rend(); ++it)
      dynamic_cast<TNUVCustomViewPart*>(GetImplObject(it->get()))->Finalize();
  }

  TIntfPtr<INUVViewPart> Make(const std::string& factory, const std::string& name, const std::string& extData,
                              std::shared_ptr<TLookups> lookups) {
    auto extension = Host.Extension(name, name, extData);
    if (lookups)
      extension = MakeCounted<TNUVExtension>(
          name, name, TIntfPtr<IXMLNode>(MakeCounted<TRecordingNode>(extension->GetExtData(), lookups).get()));
    auto viewPart = TIntfPtr<INUVViewPart>::Adopt(Factories().at(factory)(extension.get(), Host.WorkItemIntf()));
    auto* object = dynamic_cast<TNUVCustomViewPart*>(GetImplObject(viewPart.get()));
    object->Initialize();
    object->GetControl()->SetName(name);
    Made.push_back(viewPart);
    return viewPart;
  }

  // The kind over one sample of its settings, with a child shown in it when it is a work space.
  void Drive(const TNUVViewPartReference& reference, const std::map<std::string, std::string>& overrides,
             const std::shared_ptr<TLookups>& lookups, const std::shared_ptr<TLookups>& childLookups) {
    TNUVSetting element;
    element.Name = reference.Settings->Element;
    element.Group = reference.Settings;
    const std::string extData = "<ExtData>" + SampleElement(element, 0, overrides) + "</ExtData>";
    auto viewPart = Make(reference.Factory, "Tested" + std::to_string(Made.size()), extData, lookups);
    TTestHost::Run(*viewPart);
    auto workSpace = Supports<INUVWorkSpace>(viewPart.get());
    if (!workSpace) return;
    const bool panelOnly = reference.Factory == "CreateToolbarDockViewPart";
    auto child =
        Make(panelOnly ? "CreateDockablePanelViewPart" : "CreateLabelViewPart", "Child" + std::to_string(Made.size()),
             "<ExtData><GroupIndex>1</GroupIndex><PanelID>Msg</PanelID></ExtData>", childLookups);
    // A status bar in simple mode has no panel for the child: the lookups are made by then.
    if (reference.Factory == "CreateStatusBarViewPart" && !overrides.count("SimplePanel"))
      EXPECT_THROW(workSpace->ShowViewPart(child.get()), ENUVViewPartError);
    else
      workSpace->ShowViewPart(child.get());
  }

  TTestHost Host;
  TIntfPtr<INUVViewPart> MainBar;
  std::vector<TIntfPtr<INUVViewPart>> Made;  // in the order made
};

TEST_P(ViewPartSettings, TheReadersLookUpExactlyTheNamesOfTheTable) {
  const TNUVViewPartReference& reference = *FindViewPartReference(GetParam());
  auto lookups = std::make_shared<TLookups>();
  auto childLookups = std::make_shared<TLookups>();
  Drive(reference, {}, lookups, childLookups);
  // The status bar reads its simple text or its panels, never both.
  if (reference.Factory == "CreateStatusBarViewPart")
    Drive(reference, {{"SimplePanel", "False"}}, lookups, childLookups);

  TLookups expected;
  std::set<const TNUVSettingGroup*> seen;
  Expected(*reference.Settings, seen, expected);
  expected.insert("ExtData/" + reference.Settings->Element);
  for (const std::string& lookup : *lookups)
    EXPECT_TRUE(expected.count(lookup)) << lookup << " is read but not in the table";
  for (const std::string& entry : expected) {
    if (lookups->count(entry)) continue;
    // Items and panels are found by walking the children: their own settings show they were read.
    const std::string name = entry.substr(entry.find('/') + 1);
    const bool reached = std::any_of(lookups->begin(), lookups->end(),
                                     [&](const std::string& lookup) { return lookup.starts_with(name + "/"); });
    EXPECT_TRUE(reached) << entry << " is in the table but not read";
  }
}

TEST_P(ViewPartSettings, AWorkSpaceReadsOnlyTheWorkSpaceSettingsOfItsChildren) {
  const TNUVViewPartReference& reference = *FindViewPartReference(GetParam());
  auto childLookups = std::make_shared<TLookups>();
  Drive(reference, {}, std::make_shared<TLookups>(), childLookups);
  TLookups expected{"ExtData/Label", "ExtData/DockablePanel"};
  for (const TNUVSetting& setting : WorkSpaceChildSettings().Settings) expected.insert("ExtData/" + setting.Name);
  for (const std::string& lookup : *childLookups) EXPECT_TRUE(expected.count(lookup)) << lookup;
  if (reference.Factory == "CreateToolbarViewPart") {
    EXPECT_TRUE(childLookups->count("ExtData/GroupIndex"));
  }
  if (reference.Factory == "CreateStatusBarViewPart") {
    EXPECT_TRUE(childLookups->count("ExtData/PanelID"));
  }
}

void CollectRanged(const TNUVSettingGroup& group, std::set<const TNUVSettingGroup*>& seen,
                   std::vector<const TNUVSetting*>& ranged) {
  if (!seen.insert(&group).second) return;
  for (const TNUVSetting& setting : group.Settings) {
    if (setting.Min || setting.Max) ranged.push_back(&setting);
    if (setting.Group) CollectRanged(*setting.Group, seen, ranged);
  }
}

// The ranges of the tables (the reference's and the schema's) are the readers' own: a value one
// past either end is refused, naming the setting and quoting the text as written; the ends are
// taken.
TEST_P(ViewPartSettings, TheReadersHoldIntegersToTheRangesOfTheTable) {
  const TNUVViewPartReference& reference = *FindViewPartReference(GetParam());
  std::vector<const TNUVSetting*> ranged;
  std::set<const TNUVSettingGroup*> seen;
  CollectRanged(*reference.Settings, seen, ranged);
  auto lookups = std::make_shared<TLookups>();
  auto drive = [&](const TNUVSetting& setting, const std::string& text) {
    std::map<std::string, std::string> overrides{{setting.Name, text}};
    if (reference.Factory == "CreateStatusBarViewPart") overrides.emplace("SimplePanel", "False");
    Drive(reference, overrides, lookups, lookups);
  };
  for (const TNUVSetting* setting : ranged) {
    SCOPED_TRACE(setting->Name);
    std::vector<std::pair<long long, std::string>> outside;
    if (setting->Min) {
      EXPECT_NO_THROW(drive(*setting, std::to_string(*setting->Min)));
      outside.emplace_back(static_cast<long long>(*setting->Min) - 1, "");
    }
    if (setting->Max) {
      EXPECT_NO_THROW(drive(*setting, std::to_string(*setting->Max)));
      outside.emplace_back(static_cast<long long>(*setting->Max) + 1, "+");
    }
    for (const auto& [value, sign] : outside) {
      const std::string text = sign + std::to_string(value);
      try {
        drive(*setting, " " + text + " ");
        ADD_FAILURE() << text << " was taken";
      } catch (const EConfigurationError& e) {
        EXPECT_THAT(e.Where(), ::testing::HasSubstr(setting->Name));
        EXPECT_EQ(e.Found(), text);
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(EveryKind, ViewPartSettings,
                         ::testing::Values("CreateLabelViewPart", "CreateLinkViewPart", "CreateRadioButtonViewPart",
                                           "CreateCheckBoxViewPart", "CreateToolbarDockViewPart",
                                           "CreateToolbarViewPart", "CreateDockablePanelViewPart",
                                           "CreateMultiDockPanelViewPart", "CreateStatusBarViewPart"));

}  // namespace
