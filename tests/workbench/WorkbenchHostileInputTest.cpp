// Files made to hurt the runner: nesting deep enough to exhaust the stack, strict XML, images
// outside the application's directory. Each is refused with a message that places it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "WorkbenchRunner.h"

using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

namespace fs = std::filesystem;

// A file in a directory of its own, removed with it.
class TScratchFile {
 public:
  TScratchFile(const std::string& name, const std::string& text)
      : FDir(fs::temp_directory_path() / ("nuv-hostile-" + std::to_string(getpid()) + "-" + name)) {
    fs::create_directories(FDir);
    std::ofstream(Path(), std::ios::binary) << text;
  }
  ~TScratchFile() { fs::remove_all(FDir); }
  TScratchFile(const TScratchFile&) = delete;
  TScratchFile& operator=(const TScratchFile&) = delete;
  std::string Path() const { return (FDir / "app.xml").string(); }
  const fs::path& Dir() const { return FDir; }

 private:
  fs::path FDir;
};

// levels nested work items, one element per line: the work item at level N (from 1) is on line
// N + 1, below <Workbench>.
std::string NestedWorkItems(int levels) {
  std::string xml = "<Workbench>\n";
  for (int i = 0; i < levels; ++i) xml += "<WorkItem ID=\"W" + std::to_string(i) + "\">\n";
  for (int i = 0; i < levels; ++i) xml += "</WorkItem>\n";
  return xml + "</Workbench>\n";
}

std::string NestedToolbarItems(int levels) {
  std::string xml =
      "<Workbench>\n<WorkItem ID=\"Main\">\n<ViewPart Name=\"Bar\" Factory=\"CreateToolbarViewPart\">\n"
      "<ExtData>\n<Toolbar>\n";
  for (int i = 0; i < levels; ++i) xml += "<Item Caption=\"I" + std::to_string(i) + "\">\n";
  for (int i = 0; i < levels; ++i) xml += "</Item>\n";
  return xml + "</Toolbar>\n</ExtData>\n</ViewPart>\n</WorkItem>\n</Workbench>\n";
}

void ExpectNestingRefused(const TScratchFile& file, const std::string& place, const std::string& element) {
  for (const std::vector<std::string>& options :
       {std::vector<std::string>{}, {"--json"}, {"--script", "-"}, {"--render", file.Dir().string() + "/w.html"}}) {
    std::vector<std::string> args = options;
    args.push_back(file.Path());
    SCOPED_TRACE(options.empty() ? "text tree" : options[0]);
    const TWorkbenchRun run = RunWorkbench(args, "dump\n");
    EXPECT_EQ(run.Status, 2);
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err, file.Path() + ":" + place + ": <" + element +
                           "> is nested 257 elements deep; an application file nests at most 256\n");
  }
}

TEST(WorkbenchNesting, WorkItemsNestedPastTheLimitAreALoadErrorAtTheFirstTooDeepOne) {
  const TScratchFile file("workitems", NestedWorkItems(15000));
  // <Workbench> is level 1: the 256th work item is level 257, on line 257.
  ExpectNestingRefused(file, "257:1", "WorkItem");
}

TEST(WorkbenchNesting, ToolbarItemsNestedPastTheLimitAreALoadError) {
  const TScratchFile file("items", NestedToolbarItems(100000));
  // Workbench, WorkItem, ViewPart, ExtData and Toolbar take five levels and lines.
  ExpectNestingRefused(file, "257:1", "Item");
}

TEST(WorkbenchNesting, TheDeepestFileThatIsAllowedRunsAndPrints) {
  const TScratchFile file("deepest", NestedWorkItems(255));
  const TWorkbenchRun run = RunWorkbench({file.Path()});
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Err, "");
  EXPECT_THAT(run.Out, HasSubstr("\"W254\""));
}

struct TStrictXmlCase {
  std::string Text;
  std::string Place;  // line:column
  std::string Problem;
};

TEST(WorkbenchStrictXml, EachFaultIsALoadErrorWithItsPlace) {
  using namespace std::string_literals;
  const std::string label = "<ViewPart Name=\"Title\" Factory=\"CreateLabelViewPart\" Caption=\"";
  const std::vector<TStrictXmlCase> cases{
      {"<Workbench>\n<WorkItem ID=\"Main\">\n" + label + "A\" Caption=\"B\"/>\n</WorkItem>\n</Workbench>\n", "3:66",
       "the attribute Caption is given twice in <ViewPart>"},
      {"<Workbench/>\n<Workbench/>\n", "2:1", "a second root element <Workbench>"},
      {"<Workbench>\n<WorkItem ID=\"Main\">\n" + label + "&nbsp;\"/>\n</WorkItem>\n</Workbench>\n", "3:63",
       "the entity &nbsp; is not defined"},
      {"<Workbench>\n<WorkItem ID=\"Main\">\n" + label + "Fish & Chips\"/>\n</WorkItem>\n</Workbench>\n", "3:68",
       "a bare '&'"},
      {"<Workbench>\n<WorkItem ID=\"Main\">\n" + label + "ab&#0;cd\"/>\n</WorkItem>\n</Workbench>\n", "3:65",
       "&#0; names a character that XML does not allow"},
      {"<Workbench>\n<WorkItem ID=\"Main\">\n" + label +
           "a\x07"
           "b\"/>\n</WorkItem>\n</Workbench>\n",
       "3:64", "U+0007 is not allowed"},
      {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<Workbench Name=\"Caf\xE9\"/>\n", "1:31",
       "the encoding 'ISO-8859-1' is not read"},
      {"\xFF\xFE<\0W\0/\0>\0"s, "1:1", "the text is UTF-16"},
      {"<Workbench>\n<WorkItem ID=\"Main\">\n" + label + "\xED\xA0\xBD\xED\xB8\x80\"/>\n</WorkItem>\n</Workbench>\n",
       "3:63", "the bytes 0xED 0xA0 0xBD encode the surrogate U+D83D, which UTF-8 does not allow"},
  };
  for (const TStrictXmlCase& c : cases) {
    SCOPED_TRACE(c.Problem);
    const TScratchFile file("strict", c.Text);
    for (const std::vector<std::string>& options : {std::vector<std::string>{}, {"--script", "-"}}) {
      std::vector<std::string> args = options;
      args.push_back(file.Path());
      const TWorkbenchRun run = RunWorkbench(args, "run Main\n");
      EXPECT_EQ(run.Status, 2);
      EXPECT_EQ(run.Out, "");
      EXPECT_THAT(run.Err, StartsWith(file.Path() + ":" + c.Place + ": "));
      EXPECT_THAT(run.Err, HasSubstr(c.Problem));
    }
  }
}

std::string ImagesApp(const std::vector<std::string>& files) {
  std::string items;
  for (const std::string& file : files) items += "<Item Caption=\"" + file + "\" ImageFile=\"" + file + "\"/>\n";
  return "<Workbench>\n<WorkItem ID=\"Main\">\n<ViewPart Name=\"Bar\" Factory=\"CreateToolbarViewPart\">\n"
         "<ExtData><Toolbar>\n" +
         items + "</Toolbar></ExtData>\n</ViewPart>\n</WorkItem>\n</Workbench>\n";
}

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++count;
  return count;
}

TEST(WorkbenchImages, OnlyRegularFilesInsideTheApplicationsDirectoryAreRead) {
  const std::vector<std::string> refused{"/etc/passwd", "../outside.png", "sub/../../outside.png",
                                         "link.png",    "big.png",        "sub"};
  const TScratchFile file("images", ImagesApp({"ok.png", "sub/inner.png", "inside-link.png", "gone.png", refused[0],
                                               refused[1], refused[2], refused[3], refused[4], refused[5]}));
  const fs::path& dir = file.Dir();
  std::ofstream(dir / "ok.png") << "ok-bytes";
  fs::create_directory(dir / "sub");
  std::ofstream(dir / "sub" / "inner.png") << "inner-bytes";
  fs::create_symlink("/etc/passwd", dir / "link.png");
  fs::create_symlink("ok.png", dir / "inside-link.png");
  std::ofstream(dir / "big.png") << "x";
  fs::resize_file(dir / "big.png", 1024 * 1024 + 1);

  const fs::path html = dir / "window.html";
  const TWorkbenchRun run = RunWorkbench({"--render", html.string(), file.Path()});
  EXPECT_EQ(run.Status, 0) << run.Err;
  ASSERT_EQ(run.ErrLines().size(), refused.size() + 1) << run.Err;
  EXPECT_EQ(run.ErrLines()[0], file.Path() + ": warning: the image file 'gone.png' does not exist; it shows no image");
  for (size_t i = 0; i < refused.size(); ++i)
    EXPECT_THAT(run.ErrLines()[i + 1],
                StartsWith(file.Path() + ": warning: the image file '" + refused[i] + "' is refused ("));
  EXPECT_THAT(run.ErrLines()[1], HasSubstr("an absolute path"));
  EXPECT_THAT(run.ErrLines()[2], HasSubstr("leads out of the application file's directory"));
  EXPECT_THAT(run.ErrLines()[4], HasSubstr("a link to a file outside"));
  EXPECT_THAT(run.ErrLines()[5], HasSubstr("larger than 1048576 bytes"));
  EXPECT_THAT(run.ErrLines()[6], HasSubstr("not a regular file"));
  // The text tree still follows: the application runs.
  EXPECT_THAT(run.Out, HasSubstr("TTBXToolbar"));

  const std::string page = ReadFile(html);
  EXPECT_EQ(Count(page, "src=\"data:image/png;base64,"), 3u);  // ok.png, sub/inner.png, inside-link.png
  EXPECT_EQ(Count(page, "(refused: "), refused.size());
  EXPECT_EQ(Count(page, "title=\"gone.png (not found)\""), 1u);
  EXPECT_EQ(Count(page, "cm9vd"), 0u);  // "root" in base64: nothing of /etc/passwd

  // With a script each refusal, and the file that does not exist, is a warning event, as the
  // toolbar is built.
  const TWorkbenchRun script = RunWorkbench({"--script", "-", file.Path()}, "run Main\n");
  EXPECT_EQ(script.Status, 0) << script.Err;
  size_t warnings = 0;
  for (const auto& event : script.Events())
    if (event["event"] == "warning") {
      EXPECT_EQ(event["place"], file.Path());
      EXPECT_THAT(event["message"].get<std::string>(),
                  HasSubstr(warnings == 0 ? "' does not exist" : "' is refused ("));
      ++warnings;
    }
  EXPECT_EQ(warnings, refused.size() + 1);
}

TEST(WorkbenchRunnerInput, AnApplicationFileThatIsADirectoryIsNamed) {
  const TWorkbenchRun run = RunWorkbench({"."});
  EXPECT_EQ(run.Status, 2);
  EXPECT_EQ(run.Err, ".: cannot read the file: it is a directory\n");
}

TEST(WorkbenchRunnerInput, AScriptThatCannotBeReadIsALoadErrorNamingIt) {
  const TWorkbenchRun directory = RunWorkbench({"--script", ".", "label-app.xml"});
  EXPECT_EQ(directory.Status, 2);
  EXPECT_EQ(directory.Out, "");
  EXPECT_EQ(directory.Err, ".: cannot read the script: it is a directory\n");
  const TWorkbenchRun endless = RunWorkbench({"--script", "/dev/zero", "label-app.xml"});
  EXPECT_EQ(endless.Status, 2);
  EXPECT_EQ(endless.Out, "");
  EXPECT_EQ(endless.Err, "/dev/zero: cannot read the script: it is not a regular file\n");
}

// A FIFO would make the open wait for a writer for good, and a device may never end: only regular
// files are read, and anything else is refused at once.
TEST(WorkbenchRunnerInput, AFifoOrADeviceIsRefusedAtOnceAsNoRegularFile) {
  const TScratchFile file("fifo", "");
  const std::string fifo = (file.Dir() / "app.fifo").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const TWorkbenchRun app = RunWorkbench({fifo});
  EXPECT_EQ(app.Status, 2);
  EXPECT_EQ(app.Err, fifo + ": cannot read the file: it is not a regular file\n");
  const TWorkbenchRun script = RunWorkbench({"--script", fifo, "label-app.xml"});
  EXPECT_EQ(script.Status, 2);
  EXPECT_EQ(script.Err, fifo + ": cannot read the script: it is not a regular file\n");
  EXPECT_EQ(RunWorkbench({"/dev/null"}).Err, "/dev/null: cannot read the file: it is not a regular file\n");
  const TWorkbenchRun module = RunWorkbench({"--module", fifo, "label-app.xml"});
  EXPECT_EQ(module.Status, 2);
  EXPECT_EQ(module.Err, "label-app.xml: cannot load module " + fifo + ": it is not a regular file\n");
}

TEST(WorkbenchRunnerInput, AnOutputFileThatIsAnInputIsRefusedAndLeftAlone) {
  const std::string app = ReadFile(fs::path(WorkbenchDataDir()) / "label-app.xml");
  const TScratchFile file("output", app);
  const std::string samePlace = (file.Dir() / "." / "app.xml").string();
  for (const char* option : {"--render", "--screenshot"}) {
    SCOPED_TRACE(option);
    const TWorkbenchRun run = RunWorkbench({option, samePlace, file.Path()});
    EXPECT_EQ(run.Status, 2);
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err, std::string(option) + " " + samePlace +
                           ": the output file is the application file; it would be overwritten\n");
  }
  const std::string script = (file.Dir() / "run.script").string();
  std::ofstream(script) << "run Main\n";
  const TWorkbenchRun run = RunWorkbench({"--script", script, "--render", script, file.Path()});
  EXPECT_EQ(run.Status, 2);
  EXPECT_THAT(run.Err, HasSubstr("the output file is the script"));
  EXPECT_EQ(ReadFile(file.Path()), app);
  EXPECT_EQ(ReadFile(script), "run Main\n");
}

TEST(WorkbenchRunnerInput, EmptyOptionValuesAreRefused) {
  for (const char* option : {"--render", "--serve", "--script", "--module", "--screenshot"}) {
    const TWorkbenchRun run = RunWorkbench({option, "", "label-app.xml"});
    EXPECT_EQ(run.Status, 2) << option;
    EXPECT_EQ(run.Out, "") << option;
    EXPECT_EQ(run.Err, std::string(option) + ": the value is empty\n");
  }
}

TEST(WorkbenchTextTree, NamesThatCouldForgeALineOrANoteAreQuoted) {
  const TScratchFile file(
      "names",
      "<Workbench Name=\"Shell\">\n<WorkItem ID=\"Main\">\n"
      "<ViewPart Name=\"Evil&#10;TTBXLabel &quot;Forged&quot;\" Factory=\"CreateLabelViewPart\" Caption=\"x\"/>\n"
      "<ViewPart Name=\"Plain\" Factory=\"CreateLabelViewPart\" Caption=\"y\"/>\n"
      "<ViewPart Name=\"Bar\" Factory=\"CreateToolbarViewPart\"><ExtData><Toolbar>"
      "<Item Caption=\"a&#10;b\"/></Toolbar></ExtData></ViewPart>\n"
      "</WorkItem>\n</Workbench>\n");
  const TWorkbenchRun run = RunWorkbench({file.Path()});
  EXPECT_EQ(run.Status, 0) << run.Err;
  // One line per control: the window, two labels, the toolbar.
  EXPECT_EQ(Count(run.Out, "\n"), 4u) << run.Out;
  EXPECT_THAT(run.Out, HasSubstr("[\"Evil\\nTTBXLabel \\\"Forged\\\"\"]"));
  EXPECT_THAT(run.Out, HasSubstr("[Plain]"));
  EXPECT_THAT(run.Out, HasSubstr("Items=[\"a\\nb\"]"));
}

TEST(WorkbenchScriptGestures, AViewPartInAFinalizedWorkSpaceTakesNoGestures) {
  const std::string panels = std::string(NUV_SOURCE_DIR) + "/examples/panels.xml";
  const TWorkbenchRun run = RunWorkbench({"--script", "-", panels},
                                         "run Main\nclick Selection\nfinalize Explorer\nclick Selection\n"
                                         "popup Selection\nfinalize SideDock\nclick Explorer\n");
  EXPECT_EQ(run.Status, 0) << run.Err;
  std::vector<std::string> lines;
  for (const auto& event : run.Events())
    if (event["event"] == "error")
      lines.push_back(event["message"].get<std::string>());
    else if (event["event"] == "click")
      lines.push_back("click " + event["viewPart"].get<std::string>());
  EXPECT_THAT(lines,
              ::testing::ElementsAre(
                  "click Selection",
                  "<stdin>:4: view part 'Selection' takes no gestures: its work space 'Explorer' has been finalized",
                  "<stdin>:5: view part 'Selection' takes no gestures: its work space 'Explorer' has been finalized",
                  "<stdin>:7: view part 'Explorer' has been finalized or was never created"));
}

}  // namespace
