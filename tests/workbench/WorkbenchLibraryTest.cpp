// The runner's library in process: its tables of script commands and control writers, the parts
// that read the command line's values, and applications loaded and driven without the runner.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <typeindex>

#include "WbControlWriters.h"
#include "WbModulePath.h"
#include "WbServer.h"
#include "WbServerPage.h"
#include "WorkbenchDump.h"
#include "WorkbenchInProcess.h"
#include "WorkbenchRunner.h"

using ::testing::ElementsAre;
using json = nlohmann::json;

namespace {

std::string ReadSource(const std::string& path) { return ReadFile(std::string(NUV_SOURCE_DIR) + "/" + path); }

TEST(WorkbenchTables, EveryScriptCommandIsListedOnceAndDocumented) {
  const std::string docs = ReadSource("docs/workbench.md");
  std::set<std::string> names;
  for (const auto& row : ScriptCommandTable()) {
    SCOPED_TRACE(row.Name);
    EXPECT_TRUE(names.insert(row.Name).second) << "listed twice";
    EXPECT_EQ(FindScriptCommand(row.Name), &row.Command);
    EXPECT_NE(docs.find("`" + row.Name + (row.Command.Params.empty() ? "`" : " ")), std::string::npos)
        << "not in docs/workbench.md";
  }
  EXPECT_EQ(names.size(), 35u);
  EXPECT_EQ(FindScriptCommand("frobnicate"), nullptr);
}

TEST(WorkbenchTables, EveryWriterKindIsListedOnce) {
  std::set<TControlKind> kinds;
  for (const auto& row : ControlWriterTable()) EXPECT_TRUE(kinds.insert(row.Kind).second) << EnumIdentifier(row.Kind);
  EXPECT_EQ(kinds.size(), 10u);
}

// Each kind of control gets its own class's properties, from the writer of its kind or the
// nearest kind it derives from (a toolbar and a panel are also dockable windows, a link is also a
// text object); a plug-in's radio button class is written as a radio button.
TEST(WorkbenchTables, EachControlOfTheShowcaseIsWrittenByItsMostDerivedWriter) {
  TInProcessWorkbench workbench(ExampleFile("showcase"));
  workbench.App.RunAll();
  const json window = workbench.App.WindowJson();
  const auto has = [&](const std::string& name, const char* property) {
    return ControlNamed(window, name).contains(property);
  };
  EXPECT_TRUE(has("Heading", "Underline"));
  EXPECT_TRUE(has("HelpLink", "ImageIndex"));
  EXPECT_FALSE(has("HelpLink", "Underline"));
  EXPECT_TRUE(has("Small", "GroupIndex"));
  EXPECT_TRUE(has("WordWrap", "State"));
  EXPECT_TRUE(has("Status", "Panels"));
  EXPECT_TRUE(has("TopDock", "Position"));
  EXPECT_TRUE(has("MainToolbar", "Items"));
  EXPECT_TRUE(has("MainToolbar", "DockMode"));
  EXPECT_TRUE(has("Properties", "CaptionRotation"));
  EXPECT_TRUE(has("Properties", "DockMode"));
}

TEST(WorkbenchScriptLine, SplitsAtBlanksKeepsQuotedTextAndEndsAtAComment) {
  EXPECT_THAT(SplitScriptLine("click-item  Main\t\"Format/#1\"\r"), ElementsAre("click-item", "Main", "Format/#1"));
  EXPECT_THAT(SplitScriptLine(R"(set K "a \"b\" \\ # c" # comment)"), ElementsAre("set", "K", R"(a "b" \ # c)"));
  EXPECT_THAT(SplitScriptLine(R"(set K "")"), ElementsAre("set", "K", ""));
  EXPECT_THAT(SplitScriptLine("run Main#no blank needed"), ElementsAre("run", "Main"));
  EXPECT_TRUE(SplitScriptLine("   # only a comment").empty());
  EXPECT_THROW(SplitScriptLine(R"(set K "open \")"), EWbScriptError);
}

TEST(WorkbenchServeAddress, ReadsPortsHostsAndBracketedIPv6AndKnowsLoopback) {
  const TWbServeAddress port = ParseServeAddress("8080");
  EXPECT_EQ(port.Host, "127.0.0.1");
  EXPECT_EQ(port.Port, 8080);
  const TWbServeAddress v6 = ParseServeAddress("[::1]:0");
  EXPECT_EQ(v6.Host, "::1");
  EXPECT_EQ(v6.Port, 0);
  EXPECT_EQ(ParseServeAddress("localhost:65535").Host, "localhost");
  for (const char* bad : {":80", "65536", "x", "127.0.0.1:-1", ""})
    EXPECT_THROW(ParseServeAddress(bad), EWbLoadError) << bad;

  for (const char* loopback : {"127.0.0.1", "127.1.2.3", "::1", "localhost"}) EXPECT_TRUE(IsLoopbackHost(loopback));
  for (const char* remote :
       {"0.0.0.0", "10.0.0.1", "::", "example.org", "127.attacker.example", "127.0.0.1.nip.io", "::ffff:10.0.0.1"})
    EXPECT_FALSE(IsLoopbackHost(remote)) << remote;
  EXPECT_TRUE(IsLoopbackHost("0:0:0:0:0:0:0:1"));
}

TEST(WorkbenchModulePath, TheOptionWinsThenTheAttributeRelativeToTheFileThenTheModuleBesideTheProgram) {
  EXPECT_EQ(ChooseModulePath("Labels.so", "ignored.so", "dir/app.xml"), "./Labels.so");
  EXPECT_EQ(ChooseModulePath("/opt/Labels.so", "", ""), "/opt/Labels.so");
  EXPECT_EQ(ChooseModulePath("", "plugins/Labels.so", "dir/app.xml"), "dir/plugins/Labels.so");
  EXPECT_EQ(ChooseModulePath("", "Labels.so", "app.xml"), "./Labels.so");
  EXPECT_EQ(ChooseModulePath("", "/opt/Labels.so", "dir/app.xml"), "/opt/Labels.so");
  EXPECT_EQ(ChooseModulePath("", "", "dir/app.xml"), DefaultModulePath());
  EXPECT_TRUE(std::filesystem::equivalent(DefaultModulePath(), NUV_BIN_DIR "/NUV.ViewParts.TBX.so"));
}

TEST(WorkbenchServerPage, TheServedPageIsItsFileByteForByte) {
  const std::string page = ReadSource("Framework/Source/Workbench/Server/page.html");
  ASSERT_FALSE(page.empty());
  EXPECT_EQ(ServerPageHtml(), page);
}

// The runner prints what the library builds: the same tree, the same events.
TEST(WorkbenchInProcess, TheRunnerPrintsTheTreeTheLibraryBuilds) {
  TInProcessWorkbench workbench("label-app.xml");
  workbench.App.RunAll();
  const TWorkbenchRun run = RunWorkbench({"label-app.xml"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(workbench.TextTree(), run.Out);
}

TEST(WorkbenchInProcess, AScriptsEventsComeInOrderAndItsErrorsNameTheLine) {
  TInProcessWorkbench workbench("label-app.xml");
  const auto events = workbench.Run("run Main\nset Title_Caption \"Hi there\"\nget Title_Caption\nclick Nobody\n");
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0], json({{"event", "value"}, {"key", "Title_Caption"}, {"value", "Hi there"}}));
  EXPECT_EQ(events[1]["class"], "EWbScriptError");
  EXPECT_EQ(events[1]["message"], "test.script:4: unknown view part 'Nobody'");
  EXPECT_EQ(ControlNamed(workbench.App.WindowJson(), "Title")["Text"], "Hi there");
}

// The toolbar view part publishes its toolbar under its ServiceID; the event names that
// interface and the view part.
TEST(WorkbenchServices, AToolbarsServiceIsNamedAsTheToolbarServiceOfItsViewPart) {
  TInProcessWorkbench workbench(ExampleFile("toolbars"));
  const auto events = workbench.Run("service Toolbar.Main\n");
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0], json({{"event", "service"},
                             {"id", "Toolbar.Main"},
                             {"interface", "INUVToolbarService"},
                             {"viewPart", "MainToolbar"}}));
}

}  // namespace
