// --serve end to end: each request is the cause of its events, the page's new gestures are let
// through, the revision tells the page what changed, and --watch reloads the application.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "WorkbenchDump.h"
#include "WorkbenchRunner.h"
#include "WorkbenchServed.h"

using ::testing::HasSubstr;
using json = nlohmann::json;
namespace fs = std::filesystem;

namespace {

const std::string Examples = ExamplesDir();

int Revision(TServedWorkbench& served) {
  auto answer = served.Client().Get("/api/revision");
  if (!answer || answer->status != 200) throw std::runtime_error("GET /api/revision failed");
  return json::parse(answer->body)["revision"].get<int>();
}

TEST(WorkbenchServeWatch, EachRequestIsNumberedAndIsTheCauseOfEveryEventItCaused) {
  TServedWorkbench served(Examples + "statusbar.xml");
  const int before = Revision(served);
  auto first = served.Post("/api/command", R"({"command": "click Caps"})");
  auto second = served.Post("/api/key", R"({"key": "Status_Msg_Caption", "value": "Hi"})");
  ASSERT_TRUE(first && second);
  const json one = json::parse(first->body), two = json::parse(second->body);
  EXPECT_EQ(two["request"].get<int>(), one["request"].get<int>() + 1);
  ASSERT_FALSE(one["events"].empty());
  for (const auto& event : one["events"]) EXPECT_EQ(event["cause"], "request " + one["request"].dump());
  EXPECT_EQ(Revision(served), before + 2);

  const json state = served.State();
  EXPECT_EQ(state["revision"], before + 2);
  for (const auto& event : state["events"]) {
    if (event["event"] == "serving") {
      EXPECT_FALSE(event.contains("cause"));  // caused by no request
    }
  }
  EXPECT_EQ(state["events"].back(), one["events"].back());
}

TEST(WorkbenchServeWatch, ThePageMayPopUpCloseAndResize) {
  TServedWorkbench served(Examples + "showcase.xml");
  for (const char* line : {"popup Heading", "click-close Properties", "resize-docked Files 220"}) {
    auto answer = served.Post("/api/command", json{{"command", line}}.dump());
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 200) << line << ": " << answer->body;
  }
  const json window = served.State()["window"];
  EXPECT_FALSE(ControlNamed(window, "Properties")["Visible"].get<bool>());
  auto finalize = served.Post("/api/command", R"({"command": "finalize Heading"})");
  ASSERT_TRUE(finalize);
  EXPECT_EQ(finalize->status, 403);
  EXPECT_THAT(finalize->body,
              HasSubstr("click-close, resize-docked, show, hide, activate, resize-window, drag-toolbar, "
                        "dock, float, dblclick-caption, resize-floating, drag-start, drag-move, "
                        "drag-end and drag-cancel"));
}

TEST(WorkbenchServeWatch, WatchNeedsServe) {
  const TWorkbenchRun run = RunWorkbench({"--watch", "label-app.xml"});
  EXPECT_EQ(run.Status, 2);
  EXPECT_THAT(run.Err, HasSubstr("--watch requires --serve"));
}

TEST(WorkbenchServeWatch, AChangedFileIsServedWithoutARestartAndABrokenOneLeavesTheWindow) {
  const fs::path file = fs::temp_directory_path() / ("nuv-serve-watch-" + std::to_string(getpid()) + ".xml");
  const auto write =
      [&](const std::string& caption) {
        std::ofstream(file, std::ios::trunc)
            << "<Workbench Name=\"Watched\"><WorkItem ID=\"Main\"><ViewPart Name=\"Title\" "
               "Factory=\"CreateLabelViewPart\" Caption=\""
            << caption << "\"/></WorkItem></Workbench>\n";
      };
  write("First");
  {
    TServedWorkbench served(file.string(), {"--watch"});
    const auto waitForRevision = [&](int past) {
      for (int i = 0; i < 100 && Revision(served) <= past; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
      return Revision(served);
    };
    int revision = Revision(served);
    write("Second");
    revision = waitForRevision(revision);
    json state = served.State();
    EXPECT_EQ(ControlNamed(state["window"], "Title")["Text"], "Second");
    EXPECT_EQ(state["events"].back(),
              (json{{"event", "reload"}, {"file", file.string()}, {"loaded", true}, {"cause", "reload 1"}}));

    std::ofstream(file, std::ios::trunc) << "<Workbench>";
    waitForRevision(revision);
    state = served.State();
    EXPECT_EQ(ControlNamed(state["window"], "Title")["Text"], "Second");
    EXPECT_EQ(state["events"].back()["loaded"], false);
    EXPECT_EQ(state["events"][state["events"].size() - 2]["event"], "error");
    EXPECT_EQ(served.Stop(), 0);
  }
  fs::remove(file);
}

}  // namespace
