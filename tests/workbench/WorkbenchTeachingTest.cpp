// The runner teaches: --help names the factories and the script commands, --list-keys and `keys`
// show what a window offers to bind to, and a refusal says what was meant or what to do first.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "NUVModule.h"
#include "WbFactories.h"
#include "WbScript.h"
#include "WorkbenchRunner.h"
#include "WorkbenchServed.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
using json = nlohmann::json;

namespace {

const std::string Examples = ExamplesDir();

const char* const NineFactories[] = {
    "CreateLabelViewPart",          "CreateLinkViewPart",        "CreateRadioButtonViewPart",
    "CreateCheckBoxViewPart",       "CreateToolbarDockViewPart", "CreateDockablePanelViewPart",
    "CreateMultiDockPanelViewPart", "CreateToolbarViewPart",     "CreateStatusBarViewPart"};

TEST(WorkbenchHelp, ListsTheNineFactoriesAndEveryScriptCommand) {
  const TWorkbenchRun run = RunWorkbench({"--help"});
  EXPECT_EQ(run.Status, 0);
  for (const char* factory : NineFactories) EXPECT_THAT(run.Out, HasSubstr(std::string("\n  ") + factory + " "));
  for (const auto& row : ScriptCommandTable())
    EXPECT_THAT(run.Out, HasSubstr("\n  " + ScriptCommandUsage(row.Name, row.Command) + "\n"));
  EXPECT_THAT(run.Out, HasSubstr("--list-keys"));
}

// What --help lists and suggestions choose from is what the module defines.
TEST(WorkbenchHelp, TheKnownFactoriesAreTheNineTheModuleDefines) {
  const TNUVModule module(std::string(NUV_BIN_DIR) + "/NUV.ViewParts.TBX.so");
  std::vector<std::string> names;
  for (const auto& factory : KnownFactories()) {
    names.push_back(factory.Name);
    EXPECT_NE(module.FindFactory(factory.Name), nullptr) << factory.Name;
  }
  EXPECT_THAT(names, ::testing::UnorderedElementsAreArray(NineFactories));
}

TEST(WorkbenchSuggestions, AMisspeltFactoryGetsTheClosestNameAndAFarOneNone) {
  const TWorkbenchRun misspelt = RunWorkbench({"misspelt-factory.xml"});
  EXPECT_EQ(misspelt.Status, 2);
  ASSERT_EQ(misspelt.ErrLines().size(), 1u) << misspelt.Err;
  EXPECT_THAT(misspelt.ErrLines()[0], ::testing::StartsWith("misspelt-factory.xml:4:5: unknown factory "
                                                            "'CreateStatusbarViewPart' of view part 'Status'"));
  EXPECT_THAT(misspelt.ErrLines()[0],
              ::testing::EndsWith("(Create<Kind>ViewPart); did you mean CreateStatusBarViewPart?"));
  const TWorkbenchRun far = RunWorkbench({"unknown-factory.xml"});  // a Gauge is no Label
  EXPECT_EQ(far.Status, 2);
  EXPECT_THAT(far.Err, ::testing::EndsWith("(Create<Kind>ViewPart)\n"));
  // The kind alone is the factory that makes it.
  const TWorkbenchRun kind = RunWorkbench({"kind-factory.xml"});
  EXPECT_EQ(kind.Status, 2);
  EXPECT_THAT(kind.Err, ::testing::EndsWith("; did you mean CreateCheckBoxViewPart?\n"));
}

TEST(WorkbenchListKeys, PrintsEveryKeyTopicAndServiceOfTheRunningWindow) {
  const TWorkbenchRun run = RunWorkbench({"--list-keys", Examples + "buttons.xml"});
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Err, "");
  EXPECT_THAT(run.Out, ::testing::StartsWith("data keys (type: value):\n"));
  EXPECT_THAT(run.Out, HasSubstr("\n  Medium_Checked (boolean): true\n"));
  EXPECT_THAT(run.Out, HasSubstr("\n  Bold_State (integer): 2\n"));
  EXPECT_THAT(run.Out, HasSubstr("\n  Help_Caption (string): \"Read the manual\"\n"));
  EXPECT_THAT(run.Out, HasSubstr("topics:\n  Topic://ViewPart/Small/OnChange\n"));
  EXPECT_THAT(run.Out, HasSubstr("\n  Topic://ViewPart/Bold/OnChange\n"));
  EXPECT_THAT(run.Out,
              HasSubstr("services:\n  NUV.Service.Image INUVImageService\n  NUV.Service.Action INUVActionService\n"));
  EXPECT_THAT(run.Out, Not(HasSubstr("TForm")));  // the list instead of the window
}

TEST(WorkbenchListKeys, WithJsonIsOneObjectAndTheScriptCommandKeysTheSameAsAnEvent) {
  const TWorkbenchRun listed = RunWorkbench({"--list-keys", "--json", Examples + "toolbars.xml"});
  EXPECT_EQ(listed.Status, 0) << listed.Err;
  const json inventory = json::parse(listed.Out);
  EXPECT_THAT(inventory["services"],
              ::testing::Contains(
                  json{{"id", "Toolbar.Main"}, {"interface", "INUVToolbarService"}, {"viewPart", "MainToolbar"}}));

  const TWorkbenchRun scripted =
      RunWorkbench({"--script", "-", Examples + "toolbars.xml"}, "keys\nrun Main\nrun Editor\nkeys\n");
  const auto events = scripted.Events();
  ASSERT_EQ(events.size(), 2u) << scripted.Out;
  EXPECT_EQ(events[0]["event"], "keys");
  EXPECT_EQ(events[0]["keys"], json::array());  // nothing runs yet
  json last = events[1];
  EXPECT_EQ(last["event"], "keys");
  last.erase("event");
  EXPECT_EQ(last, inventory);
}

TEST(WorkbenchListKeys, GoesWithNeitherAScriptNorAServedOrNativeWindow) {
  for (const std::vector<std::string>& other :
       {std::vector<std::string>{"--script", "-"}, {"--serve", "0"}, {"--window"}}) {
    std::vector<std::string> args{"--list-keys"};
    args.insert(args.end(), other.begin(), other.end());
    args.push_back("label-app.xml");
    const TWorkbenchRun run = RunWorkbench(args);
    EXPECT_EQ(run.Status, 2) << other[0];
    EXPECT_THAT(run.Err, HasSubstr("excludes")) << other[0];
  }
}

// Before its work item runs a view part has wired nothing: a gesture would do nothing at all.
TEST(WorkbenchStoppedWorkItem, AGestureOrKeyOfItsViewPartSaysTheWorkItemIsNotRunning) {
  const TWorkbenchRun run = RunWorkbench({"--script", "-", "label-app.xml"},
                                         "click Title\nget Title_Caption\nrun Main\nclick Title\nstop Main\n"
                                         "popup Open\n");
  EXPECT_EQ(run.Status, 0) << run.Err;
  const auto events = run.Events();
  ASSERT_EQ(events.size(), 4u) << run.Out;
  EXPECT_EQ(events[0]["class"], "EWbScriptError");
  EXPECT_EQ(events[0]["message"],
            "<stdin>:1: view part 'Title' takes no gestures: its work item 'Main' is not running (run Main first)");
  EXPECT_EQ(events[1]["class"], "EDataKeyError");
  EXPECT_EQ(events[1]["message"],
            "data key 'Title_Caption' is not registered in any work item: view part 'Title' publishes it while its "
            "work item 'Main' runs, and it is not running (run Main first)");
  EXPECT_EQ(events[2], (json{{"event", "click"}, {"viewPart", "Title"}}));
  EXPECT_THAT(events[3]["message"].get<std::string>(), HasSubstr("'Open' takes no gestures: its work item 'Main'"));
}

// A listening socket on a free loopback port; closed with the test.
class TTakenPort {
 public:
  TTakenPort() : FSock(socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof(address);
    if (bind(FSock, reinterpret_cast<sockaddr*>(&address), size) != 0 || listen(FSock, 1) != 0 ||
        getsockname(FSock, reinterpret_cast<sockaddr*>(&address), &size) != 0)
      ADD_FAILURE() << "cannot take a port";
    FPort = ntohs(address.sin_port);
  }
  ~TTakenPort() { close(FSock); }
  TTakenPort(const TTakenPort&) = delete;
  TTakenPort& operator=(const TTakenPort&) = delete;
  int Port() const { return FPort; }

 private:
  int FSock;
  int FPort = 0;
};

TEST(WorkbenchServeRefusal, SaysWhyItCannotListen) {
  const TTakenPort taken;
  const std::string address = "127.0.0.1:" + std::to_string(taken.Port());
  const TWorkbenchRun inUse = RunWorkbench({"--serve", address, "label-app.xml"});
  EXPECT_EQ(inUse.Status, 2);
  EXPECT_EQ(inUse.Err,
            "--serve: cannot listen on " + address + ": the port is in use: another program listens on it\n");
  EXPECT_EQ(inUse.Out, "");

  const TWorkbenchRun foreign = RunWorkbench({"--serve", "192.0.2.1:8080", "--allow-remote", "label-app.xml"});
  EXPECT_EQ(foreign.Status, 2);
  EXPECT_THAT(foreign.Err,
              HasSubstr("--serve: cannot listen on 192.0.2.1:8080: the address is none of this machine's\n"));
}

}  // namespace
