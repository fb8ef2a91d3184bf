// Settings that no reader looks at: a warning each (with file, line, view part, name and the
// closest name that is read), on stderr without a script and as events with one; --strict makes
// the first a load error. And what the user copies from the dump or the reference works.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "KolStrings.h"
#include "NUVViewPartSettings.h"
#include "WbAppFile.h"
#include "WbDump.h"
#include "WbModulePath.h"
#include "WorkbenchInProcess.h"
#include "WorkbenchRunner.h"

using ::testing::HasSubstr;
using ::testing::StartsWith;
using json = nlohmann::json;

namespace {

const std::string KIgnored = "ignored-settings.xml";

std::vector<TWbWarning> WarningsOf(const std::string& file) {
  return LoadAppFile(WorkbenchDataDir() + "/" + file).Warnings;
}

TWbWarning WarningAbout(const std::vector<TWbWarning>& warnings, const std::string& name, int line) {
  for (const TWbWarning& warning : warnings)
    if (warning.Name == name && warning.Line == line) return warning;
  throw std::runtime_error("no warning about " + name + " on line " + std::to_string(line));
}

TEST(WorkbenchSettingWarnings, EachSettingThatNoReaderLooksAtGivesOneWarning) {
  EXPECT_EQ(WarningsOf(KIgnored).size(), 7u);
}

TEST(WorkbenchSettingWarnings, AnUnknownElementNamesItsPlaceAndTheClosestSetting) {
  const TWbWarning warning = WarningAbout(WarningsOf(KIgnored), "Undrline", 21);
  EXPECT_EQ(warning.File, WorkbenchDataDir() + "/" + KIgnored);
  EXPECT_EQ(warning.ViewPart, "Title");
  EXPECT_EQ(warning.Suggestion, "Underline");
  EXPECT_EQ(warning.Message, "unknown element <Undrline> in <Label> is ignored; did you mean Underline?");
}

TEST(WorkbenchSettingWarnings, AnUnknownAttributeOfAViewPartSettingOrOfTheFileItselfIsNamed) {
  const auto warnings = WarningsOf(KIgnored);
  const TWbWarning width = WarningAbout(warnings, "Width", 12);
  EXPECT_EQ(width.ViewPart, "Status");
  EXPECT_EQ(width.Suggestion, std::nullopt);
  EXPECT_EQ(width.Message, "unknown attribute Width of <Panel> is ignored");
  const TWbWarning command = WarningAbout(warnings, "Command", 30);
  EXPECT_EQ(command.Suggestion, "CommandID");
  EXPECT_THAT(command.Message, HasSubstr("did you mean CommandID?"));
}

TEST(WorkbenchSettingWarnings, ANameThatDiffersInCaseOnlyIsNotReadAndTheWarningSaysSo) {
  const auto warnings = WarningsOf(KIgnored);
  const TWbWarning element = WarningAbout(warnings, "underline", 22);
  EXPECT_EQ(element.Suggestion, "Underline");
  EXPECT_THAT(element.Message, HasSubstr("names are case-sensitive: did you mean Underline?"));
  const TWbWarning attribute = WarningAbout(warnings, "Workspace", 18);
  EXPECT_EQ(attribute.ViewPart, "Title");
  EXPECT_EQ(attribute.Suggestion, "WorkSpace");
  EXPECT_THAT(attribute.Message,
              HasSubstr("unknown attribute Workspace of <ViewPart> is ignored; names are case-sensitive"));
}

TEST(WorkbenchSettingWarnings, AMisplacedSettingSaysWhereItIsRead) {
  const auto warnings = WarningsOf(KIgnored);
  EXPECT_EQ(WarningAbout(warnings, "Underline", 24).Message,
            "unknown element <Underline> in <ExtData> is ignored; it is read inside <Label>");
  EXPECT_EQ(WarningAbout(warnings, "Panel", 14).Message,
            "unknown element <Panel> in <StatusBar> is ignored; it is read inside <Panels>");
}

TEST(WorkbenchSettingWarnings, AnotherKindsElementAndASettingGivenTwiceAreNamed) {
  const auto root = LoadXMLDocument(
      "<Workbench><WorkItem ID='Main'><ViewPart Name='A' Factory='CreateLabelViewPart'><ExtData>"
      "<TBXLink/><Label><AutoSize>False</AutoSize><AutoSize>True</AutoSize></Label></ExtData></ViewPart>"
      "</WorkItem></Workbench>",
      "app.xml");
  const auto warnings = ParseAppFile(root).Warnings;
  ASSERT_EQ(warnings.size(), 2u);
  EXPECT_THAT(warnings[0].Message, HasSubstr("it is the element of CreateLinkViewPart view parts, and this view part "
                                             "reads <Label>"));
  EXPECT_THAT(warnings[1].Message, HasSubstr("<AutoSize> is given twice in <Label>; only the first is read"));
}

TEST(WorkbenchSettingWarnings, EveryExampleAndEveryMinimalApplicationIsReadWhole) {
  for (const auto& entry : std::filesystem::directory_iterator(std::string(NUV_SOURCE_DIR) + "/examples")) {
    if (entry.path().extension() != ".xml") continue;
    SCOPED_TRACE(entry.path().string());
    for (const TWbWarning& warning : LoadAppFile(entry.path().string()).Warnings) ADD_FAILURE() << warning.Message;
  }
  for (const TNUVViewPartReference& reference : ViewPartReferences()) {
    SCOPED_TRACE(reference.Factory);
    const std::string file = WorkbenchDataDir() + "/" + reference.Factory + ".xml";
    const TWbAppDecl decl = ParseAppFile(LoadXMLDocument(reference.MinimalApplication, file));
    for (const TWbWarning& warning : decl.Warnings) ADD_FAILURE() << warning.Message;
    // It works: nothing goes wrong as it loads and runs.
    TEventCollector reporter;
    TWbApplication app(reporter);
    app.Load(decl, ChooseModulePath("", "", file));
    app.RunAll();
    app.Finish();
    EXPECT_THAT(reporter.Events, ::testing::IsEmpty());
    EXPECT_TRUE(std::filesystem::exists(std::string(NUV_SOURCE_DIR) + "/examples/" + reference.Example));
  }
}

// Every image an example names exists: a missing one would be a warning as it is added.
TEST(WorkbenchSettingWarnings, EveryExampleRunsWithoutAWarning) {
  for (const auto& entry : std::filesystem::directory_iterator(std::string(NUV_SOURCE_DIR) + "/examples")) {
    if (entry.path().extension() != ".xml") continue;
    SCOPED_TRACE(entry.path().string());
    TInProcessWorkbench workbench(entry.path().string());
    workbench.App.RunAll();
    for (const json& event : workbench.Reporter.Events) EXPECT_NE(event["event"], "warning") << event.dump();
  }
}

// ---------------------------------------------------------------------------------------------
// The runner

TEST(WorkbenchSettingWarnings, WithoutAScriptEachGoesToStderrAsFileLineWarningAndTheApplicationRuns) {
  const TWorkbenchRun run = RunWorkbench({KIgnored});
  EXPECT_EQ(run.Status, 0);
  ASSERT_EQ(run.ErrLines().size(), 7u) << run.Err;
  EXPECT_EQ(run.ErrLines()[0], KIgnored + ":12: warning: unknown attribute Width of <Panel> is ignored");
  EXPECT_THAT(run.Out, HasSubstr("Title"));
}

TEST(WorkbenchSettingWarnings, WithAScriptEachIsAWarningEventWithItsPlaceNameAndSuggestion) {
  const TWorkbenchRun run = RunWorkbench({"--script", "-", KIgnored}, "");
  EXPECT_EQ(run.Status, 0);
  const auto events = run.Events();
  ASSERT_GE(events.size(), 7u) << run.Out;
  const json expected = {{"event", "warning"},
                         {"place", KIgnored + ":21"},
                         {"file", KIgnored},
                         {"line", 21},
                         {"viewPart", "Title"},
                         {"name", "Undrline"},
                         {"suggestion", "Underline"},
                         {"message", "unknown element <Undrline> in <Label> is ignored; did you mean Underline?"}};
  EXPECT_THAT(events, ::testing::Contains(expected));
}

TEST(WorkbenchSettingWarnings, StrictMakesTheFirstALoadErrorNamingTheSetting) {
  const TWorkbenchRun run = RunWorkbench({"--strict", KIgnored});
  EXPECT_EQ(run.Status, 2);
  EXPECT_EQ(run.Out, "");
  ASSERT_EQ(run.ErrLines().size(), 1u) << run.Err;
  EXPECT_EQ(run.ErrLines()[0], KIgnored +
                                   ":12: unknown attribute Width of <Panel> is ignored (--strict makes it an error; "
                                   "6 more)");
  EXPECT_EQ(RunWorkbench({"--strict", "label-app.xml"}).Status, 0);
}

// ---------------------------------------------------------------------------------------------
// Names that round-trip

void CollectKeys(const json& value, std::set<std::string>& keys) {
  if (value.is_object())
    for (const auto& [key, child] : value.items()) {
      keys.insert(key);
      CollectKeys(child, keys);
    }
  else if (value.is_array())
    for (const auto& child : value) CollectKeys(child, keys);
}

void CollectSettingNames(const TNUVSettingGroup& group, std::set<const TNUVSettingGroup*>& seen,
                         std::set<std::string>& names) {
  if (!seen.insert(&group).second) return;
  for (const TNUVSetting& setting : group.Settings) {
    names.insert(setting.Name);
    if (setting.Group) CollectSettingNames(*setting.Group, seen, names);
  }
}

// A dumped property that names what a setting gives is spelt as the setting is: copied into a
// file, it is read.
TEST(WorkbenchSettingNames, EveryDumpedPropertyThatNamesASettingIsSpeltAsTheSetting) {
  std::set<std::string> settings;
  std::set<const TNUVSettingGroup*> seen;
  for (const TNUVViewPartReference& reference : ViewPartReferences())
    CollectSettingNames(*reference.Settings, seen, settings);
  TInProcessWorkbench workbench(ExampleFile("showcase"));
  workbench.App.RunAll();
  std::set<std::string> keys;
  CollectKeys(workbench.App.WindowJson(), keys);
  EXPECT_TRUE(keys.count("DblClickUnDock"));
  for (const std::string& key : keys)
    for (const std::string& setting : settings)
      EXPECT_TRUE(key == setting || !SameText(key, setting)) << key << " is the setting " << setting;
}

TEST(WorkbenchSettingNames, TheDumpNotesDblClickUnDockAsTheSettingIsSpelt) {
  const auto root = LoadXMLDocument(
      "<Workbench><WorkItem ID='Main'><ViewPart Name='P' Factory='CreateDockablePanelViewPart'><ExtData>"
      "<DockablePanel><DblClickUnDock>False</DblClickUnDock></DockablePanel></ExtData></ViewPart>"
      "</WorkItem></Workbench>",
      WorkbenchDataDir() + "/inline.xml");
  const std::string module = ChooseModulePath("", "", WorkbenchDataDir() + "/inline.xml");
  const TWbAppDecl decl = ParseAppFile(root);
  EXPECT_TRUE(decl.Warnings.empty());
  TEventCollector reporter;
  TWbApplication app(reporter);
  app.Load(decl, module);
  app.RunAll();
  EXPECT_THAT(ControlTreeText(app.Window(), app.ControlOwners()), HasSubstr("DblClickUnDock=False"));
  app.Finish();
}

}  // namespace
