// Scripts drive the application; every event comes out as one JSON object per line, in order.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "WorkbenchRunner.h"

using ::testing::HasSubstr;
using ::testing::StartsWith;
using json = nlohmann::json;

namespace {

json Event(const char* name, const json& fields) {
  json event{{"event", name}};
  event.update(fields);
  return event;
}

const json* FindControl(const json& control, const std::string& name) {
  if (control["Name"] == name) return &control;
  for (const auto& child : control["Controls"])
    if (const json* found = FindControl(child, name)) return found;
  return nullptr;
}

TEST(WorkbenchScript, DrivesWorkItemsControlsKeysServicesAndTheEnd) {
  const TWorkbenchRun run = RunWorkbench({"--script", "label-app.script", "label-app.xml"});
  EXPECT_EQ(run.Status, 0);
  EXPECT_EQ(run.Err, "");
  const auto events = run.Events();
  // Exactly these: stop, finalize and the end report nothing, and the click after quit never ran.
  ASSERT_EQ(events.size(), 11u) << run.Out;

  // Keys appear only once their work item runs.
  EXPECT_EQ(events[0]["event"], "error");
  EXPECT_EQ(events[0]["class"], "EDataKeyError");
  EXPECT_THAT(events[0]["message"].get<std::string>(), HasSubstr("Title_Caption"));
  EXPECT_FALSE(events[0].contains("viewPart"));

  EXPECT_EQ(events[1], Event("click", {{"viewPart", "Title"}}));
  EXPECT_EQ(events[2], Event("command", {{"id", "File.Open"}}));
  EXPECT_EQ(events[3], Event("dblclick", {{"viewPart", "Open"}}));
  EXPECT_EQ(events[4], Event("popup", {{"viewPart", "Title"}}));
  // The quoted value keeps its blanks, '#' and escaped quotes.
  EXPECT_EQ(events[5], Event("value", {{"key", "Title_Caption"}, {"value", "Good # day, \"you\""}}));
  EXPECT_EQ(
      events[6],
      Event("service", {{"id", "NUV.Service.Action"}, {"interface", "INUVActionService"}, {"viewPart", nullptr}}));
  EXPECT_EQ(events[7],
            Event("service", {{"id", "NUV.Service.Image"}, {"interface", "INUVImageService"}, {"viewPart", nullptr}}));
  EXPECT_EQ(events[8], Event("service", {{"id", "No.Such.Service"}, {"found", false}}));

  // Finalizing Status withdrew its key and freed its label.
  EXPECT_EQ(events[9]["class"], "EDataKeyError");
  EXPECT_THAT(events[9]["message"].get<std::string>(), HasSubstr("Status_Caption"));

  ASSERT_EQ(events[10]["event"], "dump");
  const json& window = events[10]["window"];
  EXPECT_EQ(window["Name"], "Shell");
  const json* title = FindControl(window, "Title");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ((*title)["Text"], "Good # day, \"you\"");
  const json* editor = FindControl(window, "Editor");
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE((*editor)["Controls"].empty());
  EXPECT_EQ(FindControl(window, "Status"), nullptr);
}

TEST(WorkbenchScript, ReportsBadLinesAndGoesOn) {
  const TWorkbenchRun run = RunWorkbench({"--script", "-", "label-app.xml"},
                                         "frobnicate Title\n"
                                         "run\n"
                                         "run Nowhere\n"
                                         "click Nobody\n"
                                         "set Title_Caption \"unclosed\n"
                                         "  # a comment line, then an empty one\n"
                                         "\n"
                                         "show Title Open\n"
                                         "run Main\n"
                                         "finalize Open\n"
                                         "finalize Open\n"
                                         "click Title\n");
  EXPECT_EQ(run.Status, 0);
  const auto events = run.Events();
  ASSERT_EQ(events.size(), 8u) << run.Out;
  const char* expected[] = {
      "<stdin>:1: unknown command 'frobnicate'",        "<stdin>:2: 'run' takes 1 argument(s): run WI",
      "<stdin>:3: unknown work item 'Nowhere'",         "<stdin>:4: unknown view part 'Nobody'",
      "<stdin>:5: a quoted argument is not closed",     "<stdin>:8: view part 'Title' is not a work space",
      "<stdin>:11: view part 'Open' has been finalized"};
  // The event places each in the script, and names the view part where the line names one.
  const int lines[] = {1, 2, 3, 4, 5, 8, 11};
  const json viewParts[] = {nullptr, nullptr, nullptr, nullptr, nullptr, "Title", "Open"};
  for (size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(expected[i]);
    EXPECT_EQ(events[i]["event"], "error");
    EXPECT_EQ(events[i]["class"], "EWbScriptError");
    EXPECT_THAT(events[i]["message"].get<std::string>(), StartsWith(expected[i]));
    EXPECT_EQ(events[i]["file"], "<stdin>");
    EXPECT_EQ(events[i]["line"], lines[i]);
    EXPECT_EQ(events[i].value("viewPart", json()), viewParts[i]);
  }
  EXPECT_EQ(events[7], Event("click", {{"viewPart", "Title"}}));
}

TEST(WorkbenchScript, ViewPartErrorsBecomeErrorEventsAndTheNextViewPartStillRuns) {
  const TWorkbenchRun run =
      RunWorkbench({"--script", "-", "viewpart-error.xml"}, "run Main\nclick Plain\nget Plain_Caption\n");
  EXPECT_EQ(run.Status, 1);  // the first run of Main raised: the file's error
  const auto events = run.Events();
  ASSERT_EQ(events.size(), 3u) << run.Out;
  EXPECT_EQ(events[0]["event"], "error");
  EXPECT_EQ(events[0]["class"], "EConfigurationError");
  EXPECT_THAT(events[0]["message"].get<std::string>(), HasSubstr("'Center' is not valid"));
  // Where the text mode places it: the declaration of the view part in the application file.
  EXPECT_EQ(events[0]["file"], "viewpart-error.xml");
  EXPECT_EQ(events[0]["line"], 4);
  EXPECT_EQ(events[0]["viewPart"], "Centred");
  EXPECT_EQ(events[1], Event("click", {{"viewPart", "Plain"}}));
  EXPECT_EQ(events[2], Event("value", {{"key", "Plain_Caption"}, {"value", "Plain"}}));
}

// A multi-dock panel whose Initialize failed has neither dock nor toolbar: the child given to it
// fails an assertion instead of bringing the runner down, and gestures on it are refused.
TEST(WorkbenchScript, AViewPartWhoseInitializeFailedIsReportedAndRefusedNotFollowed) {
  const TWorkbenchRun run =
      RunWorkbench({"--script", "-", "failed-init.xml"}, "run Main\nclick Side\nclick-panel Title 0\nclick Title\n");
  EXPECT_EQ(run.Status, 1) << run.Err;
  const auto events = run.Events();
  ASSERT_EQ(events.size(), 5u) << run.Out;
  EXPECT_EQ(events[0]["class"], "EConfigurationError");
  EXPECT_THAT(events[0]["message"].get<std::string>(), HasSubstr("'-1' is not valid"));
  EXPECT_EQ(events[1]["class"], "ENUVViewPartError");
  EXPECT_EQ(events[1]["message"],
            "WorkSpace[Side] cannot show ViewPart[Title]: it has no control, as its Initialize did not complete");
  EXPECT_EQ(events[2]["message"], "<stdin>:2: view part 'Side' has no control");
  EXPECT_EQ(events[3]["message"], "<stdin>:3: the control of view part 'Title' is no status bar");
  // Loading errors stand at their declaration, script errors at their line.
  const json places[] = {
      {"failed-init.xml", 3, "Side"}, {"failed-init.xml", 6, "Side"}, {"<stdin>", 2, "Side"}, {"<stdin>", 3, "Title"}};
  for (size_t i = 0; i < std::size(places); ++i)
    EXPECT_EQ((json{events[i]["file"], events[i]["line"], events[i]["viewPart"]}), places[i]) << events[i];
  EXPECT_EQ(events[4], Event("click", {{"viewPart", "Title"}}));
}

TEST(WorkbenchScript, WithoutTheImageServiceOnlyTheActionServiceIsRegistered) {
  const TWorkbenchRun run =
      RunWorkbench({"--script", "-", "no-images.xml"}, "service NUV.Service.Image\nservice NUV.Service.Action\n");
  const auto events = run.Events();
  ASSERT_EQ(events.size(), 2u) << run.Out;
  EXPECT_EQ(events[0], Event("service", {{"id", "NUV.Service.Image"}, {"found", false}}));
  EXPECT_EQ(events[1]["interface"], "INUVActionService");
}

}  // namespace
