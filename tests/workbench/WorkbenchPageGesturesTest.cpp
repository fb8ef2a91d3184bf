// The gestures the live page sends beside clicks: the close button and the resize edge of
// dockable windows (click-close, resize-docked), the commands the picture offers for them, and
// the cause every event of a script line carries.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "WbCauses.h"
#include "WbHtmlRender.h"
#include "WbModulePath.h"
#include "WorkbenchDump.h"
#include "WorkbenchInProcess.h"
#include "WorkbenchRunner.h"

using ::testing::HasSubstr;
using json = nlohmann::json;

namespace {

// The dockable panels of the showcase's multi-dock "Tools", in order.
std::vector<json> ToolPanels(const json& window) {
  std::vector<json> panels;
  for (const auto& control : ControlNamed(window, "Tools")["Controls"])
    if (control["Class"] == "TTBXDockablePanel") panels.push_back(control);
  return panels;
}

class WorkbenchPageGestures : public ::testing::Test {
 protected:
  WorkbenchPageGestures() : Workbench(ExampleFile("showcase")) { Workbench.App.RunAll(); }
  json Window() { return Workbench.App.WindowJson(); }
  // The messages of the error events a script caused.
  std::vector<std::string> Errors(const std::string& script) {
    std::vector<std::string> messages;
    for (const auto& event : Workbench.Run(script))
      if (event["event"] == "error") messages.push_back(MessageOf(event));
    return messages;
  }

  TInProcessWorkbench Workbench;
};

TEST_F(WorkbenchPageGestures, TheCloseButtonHidesAFloatingPanel) {
  ASSERT_TRUE(ControlNamed(Window(), "Properties")["Visible"].get<bool>());
  EXPECT_THAT(Errors("click-close Properties"), ::testing::IsEmpty());
  EXPECT_FALSE(ControlNamed(Window(), "Properties")["Visible"].get<bool>());
}

// A multi-dock's panel belongs to no view part: the view part shown in it names it. Docked, it
// shows no close button (CloseButtonWhenDocked is off) and stays.
TEST_F(WorkbenchPageGestures, AMultiDocksPanelIsNamedByTheViewPartInItAndDockedHasNoCloseButton) {
  EXPECT_THAT(Errors("click-close Files"),
              ::testing::ElementsAre(HasSubstr("the TTBXDockablePanel of view part 'Files' shows no close button")));
  EXPECT_TRUE(ToolPanels(Window())[0]["Visible"].get<bool>());
}

TEST_F(WorkbenchPageGestures, AControlInNoDockableWindowOrAWindowWithoutCloseButtonIsRefused) {
  EXPECT_THAT(
      Errors("click-close Heading\nclick-close MainToolbar\nclick-close Nobody"),
      ::testing::ElementsAre(HasSubstr("view part 'Heading', a TTBXLabel, is no dockable window and lies in none"),
                             HasSubstr("the TTBXToolbar of view part 'MainToolbar' shows no close button"),
                             HasSubstr("unknown view part 'Nobody'")));
  EXPECT_TRUE(ControlNamed(Window(), "MainToolbar")["Visible"].get<bool>());
}

TEST_F(WorkbenchPageGestures, DraggingTheResizeEdgeSetsTheDockedWidthAndTheOtherPanelsFollow) {
  EXPECT_THAT(Errors("resize-docked Files 240"), ::testing::IsEmpty());
  const json window = Window();
  EXPECT_EQ(ToolPanels(window)[0]["DockedWidth"], 240);
  for (const auto& panel : ToolPanels(window)) EXPECT_EQ(panel["Width"], 240);
}

TEST_F(WorkbenchPageGestures, OnlyADockedResizablePanelTakesAResizeAndTheSizeIsANumber) {
  EXPECT_THAT(Errors("resize-docked Properties 100\nresize-docked Files wide\nresize-docked Heading 10"),
              ::testing::ElementsAre(HasSubstr("the TTBXDockablePanel of view part 'Properties' shows no resize edge"),
                                     HasSubstr("size 'wide' is not a number from 0"),
                                     HasSubstr("is no dockable window and lies in none")));
  EXPECT_EQ(ToolPanels(Window())[0]["DockedWidth"], 170);
}

// ---------------------------------------------------------------------------------------------
// The picture offers each gesture where the user makes it

TEST_F(WorkbenchPageGestures, TheInteractivePictureCarriesEveryGesturesCommand) {
  const std::string html = RenderWindowFragment(Window(), {"", true});
  EXPECT_THAT(html, HasSubstr("data-command=\"click-close Properties\""));
  EXPECT_THAT(html, HasSubstr("data-resize-command=\"resize-docked Files\" data-dock=\"dpLeft\" data-size=\"170\""));
  EXPECT_THAT(html, HasSubstr("data-dblclick-command=\"dblclick Heading\""));
  EXPECT_THAT(html, HasSubstr("data-popup-command=\"popup Heading\""));
  EXPECT_THAT(html, HasSubstr("data-popup-command=\"popup Status\""));
  EXPECT_THAT(html, HasSubstr("data-dblclick-command=\"dblclick-panel Status 0\""));
}

TEST_F(WorkbenchPageGestures, TheStillPictureCarriesNone) {
  const std::string html = RenderWindowFragment(Window(), {"", false});
  EXPECT_THAT(html, ::testing::Not(HasSubstr("-command=")));
  EXPECT_THAT(html, ::testing::Not(HasSubstr("data-size=")));
}

// ---------------------------------------------------------------------------------------------
// Causes

TEST(WorkbenchCauses, EveryEventOfAScriptLineNamesTheLineAndOthersNoCause) {
  TEventCollector sink;
  TWbCauseReporter causes(sink);
  TWbApplication app(causes);
  const std::string path = ExampleFile("statusbar");
  const TWbAppDecl decl = LoadAppFile(path);
  app.Load(decl, ChooseModulePath("", decl.Module, path));
  causes.Emit(NewEvent("before"));
  TWbScriptContext context{app, causes, false, &causes};
  RunScript(context, "run Main\n\nclick Caps\nclick Nobody\n", "run.script");
  causes.Emit(NewEvent("after"));
  app.Finish();

  const auto& events = sink.Events;
  ASSERT_GE(events.size(), 4u);
  EXPECT_FALSE(events.front().contains("cause"));
  EXPECT_FALSE(events.back().contains("cause"));
  std::vector<std::string> named;
  for (size_t i = 1; i + 1 < events.size(); ++i) named.push_back(events[i].value("cause", "(none)"));
  EXPECT_THAT(named, ::testing::Each(::testing::AnyOf("run.script:1", "run.script:3", "run.script:4")));
  EXPECT_EQ(events[events.size() - 2], (json{{"event", "error"},
                                             {"class", "EWbScriptError"},
                                             {"message", "run.script:4: unknown view part 'Nobody'"},
                                             {"file", "run.script"},
                                             {"line", 4},
                                             {"cause", "run.script:4"}}));
  EXPECT_THAT(named, ::testing::Contains("run.script:3"));
}

TEST(WorkbenchCauses, TheRunnerPrintsTheScriptLineOfEveryEventALineCaused) {
  const TWorkbenchRun run = RunWorkbench({"--script", "-", "label-app.xml"}, "run Main\n# a comment\nclick Title\n");
  ASSERT_EQ(run.Status, 0) << run.Err;
  std::vector<std::string> causes;
  std::istringstream lines(run.Out);
  for (std::string line; std::getline(lines, line);) causes.push_back(json::parse(line).value("cause", "(none)"));
  ASSERT_FALSE(causes.empty());
  EXPECT_EQ(causes.back(), "<stdin>:3");
  EXPECT_THAT(causes, ::testing::Each(::testing::AnyOf("<stdin>:1", "<stdin>:3")));
}

TEST(WorkbenchCauses, AnInnerCauseHoldsWhileItLivesAndTheOuterComesBack) {
  TEventCollector sink;
  TWbCauseReporter causes(sink);
  {
    const TWbCauseReporter::TScope outer(&causes, "request 1");
    {
      const TWbCauseReporter::TScope inner(&causes, "reload 1");
      causes.Emit(NewEvent("inner"));
    }
    causes.Emit(NewEvent("outer"));
  }
  causes.Emit(NewEvent("none"));
  EXPECT_THAT(sink.Events,
              ::testing::ElementsAre(json{{"event", "inner"}, {"cause", "reload 1"}},
                                     json{{"event", "outer"}, {"cause", "request 1"}}, json{{"event", "none"}}));
}

}  // namespace
