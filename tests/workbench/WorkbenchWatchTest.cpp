// --watch: a file is looked at until a change has settled, and the served application is
// composed anew from it; a file that does not load leaves the window as it was.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "WbModulePath.h"
#include "WbWatch.h"
#include "WorkbenchDump.h"
#include "WorkbenchInProcess.h"

using ::testing::HasSubstr;
using json = nlohmann::json;
namespace fs = std::filesystem;

namespace {

std::string App(const std::string& caption, const std::string& workSpace = "") {
  return "<Workbench Name=\"Watched\"><WorkItem ID=\"Main\">"
         "<ViewPart Name=\"Title\" Factory=\"CreateLabelViewPart\" Caption=\"" +
         caption + "\"/><ViewPart Name=\"Status\" Factory=\"CreateLabelViewPart\" Caption=\"Ready\"" +
         (workSpace.empty() ? "" : " WorkSpace=\"" + workSpace + "\"") + "/></WorkItem></Workbench>\n";
}

class TTempFile {
 public:
  explicit TTempFile(const std::string& name)
      : FPath((fs::temp_directory_path() / ("nuv-watch-" + std::to_string(getpid()) + "-" + name)).string()) {}
  ~TTempFile() { fs::remove(FPath); }
  void Write(const std::string& text) const { std::ofstream(FPath, std::ios::binary | std::ios::trunc) << text; }
  const std::string& Path() const { return FPath; }

 private:
  std::string FPath;
};

TEST(WorkbenchWatch, AChangeCountsOnceItHasSettledAndOnlyOnce) {
  TTempFile file("settle.xml");
  file.Write("one");
  TWbFileWatch watch(file.Path());
  EXPECT_FALSE(watch.Changed());
  file.Write("two, longer");
  EXPECT_FALSE(watch.Changed());  // still being written, as far as one look can tell
  EXPECT_TRUE(watch.Changed());
  EXPECT_FALSE(watch.Changed());
  fs::remove(file.Path());
  EXPECT_FALSE(watch.Changed());
  EXPECT_TRUE(watch.Changed());  // gone is a change too: the reload then says why it cannot read
}

class WorkbenchWatchReload : public ::testing::Test {
 protected:
  explicit WorkbenchWatchReload(bool strict = false) : File("app.xml"), Causes(Sink) {
    File.Write(App("First"));
    TWbAppDecl decl = LoadAppFile(File.Path());
    auto app = std::make_unique<TWbApplication>(Causes);
    app->Load(decl, ChooseModulePath("", decl.Module, File.Path()));
    app->RunAll();
    Watched = std::make_unique<TWbWatchedApplication>(std::move(app), std::move(decl), File.Path(), "", Causes, strict);
    Sink.Events.clear();
  }
  ~WorkbenchWatchReload() override { Watched->App().Finish(); }

  std::string Caption() { return ControlNamed(Watched->App().WindowJson(), "Title")["Text"]; }

  TTempFile File;
  TEventCollector Sink;
  TWbCauseReporter Causes;
  std::unique_ptr<TWbWatchedApplication> Watched;
};

TEST_F(WorkbenchWatchReload, AChangedFileReplacesTheWindowAndEveryEventNamesTheReload) {
  File.Write(App("Second"));
  Watched->Reload();
  EXPECT_EQ(Caption(), "Second");
  ASSERT_FALSE(Sink.Events.empty());
  EXPECT_EQ(Sink.Events.back(),
            (json{{"event", "reload"}, {"file", File.Path()}, {"loaded", true}, {"cause", "reload 1"}}));
  for (const auto& event : Sink.Events) EXPECT_EQ(event["cause"], "reload 1") << event;

  File.Write(App("Third"));
  Watched->Reload();
  EXPECT_EQ(Sink.Events.back()["cause"], "reload 2");
  EXPECT_EQ(Caption(), "Third");
}

TEST_F(WorkbenchWatchReload, AFileThatDoesNotLoadLeavesTheWindowAsItWas) {
  File.Write("<Workbench>\n<WorkItem ID=\"Main\">");
  Watched->Reload();
  EXPECT_EQ(Caption(), "First");
  ASSERT_EQ(Sink.Events.size(), 2u) << json(Sink.Events);
  EXPECT_EQ(Sink.Events[0]["event"], "error");
  // The event places the fault where its message does, for a page that marks the line.
  EXPECT_THAT(MessageOf(Sink.Events[0]), HasSubstr(File.Path() + ":2:"));
  EXPECT_EQ(Sink.Events[0]["file"], File.Path());
  EXPECT_EQ(Sink.Events[0]["line"], 2);
  EXPECT_EQ(Sink.Events[1]["loaded"], false);
}

// Found only once the new view parts exist: they go, and the last file that loaded comes back.
TEST_F(WorkbenchWatchReload, AWorkSpaceThatIsNoneBringsBackTheLastFileThatLoaded) {
  File.Write(App("Broken", "Title"));
  Watched->Reload();
  EXPECT_EQ(Caption(), "First");
  std::vector<std::string> errors;
  for (const auto& event : Sink.Events)
    if (event["event"] == "error") errors.push_back(MessageOf(event));
  EXPECT_THAT(errors,
              ::testing::ElementsAre(HasSubstr("the work space 'Title' of view part 'Status' is not a work space")));
  EXPECT_EQ(Sink.Events.back()["loaded"], false);
}

class WorkbenchWatchStrictReload : public WorkbenchWatchReload {
 protected:
  WorkbenchWatchStrictReload() : WorkbenchWatchReload(true) {}
};

// --strict holds for every reload: a setting that nothing reads keeps the changed file out.
TEST_F(WorkbenchWatchStrictReload, AWarningKeepsTheChangedFileFromLoading) {
  std::string text = App("Second");
  text.replace(text.find("Caption=\"Second\""), 0, "Captoin=\"x\" ");
  File.Write(text);
  Watched->Reload();
  EXPECT_EQ(Caption(), "First");
  ASSERT_FALSE(Sink.Events.empty());
  EXPECT_EQ(Sink.Events.front()["event"], "error") << json(Sink.Events);
  EXPECT_THAT(MessageOf(Sink.Events.front()), HasSubstr("Captoin"));
  EXPECT_EQ(Sink.Events.back()["loaded"], false);
}

}  // namespace
