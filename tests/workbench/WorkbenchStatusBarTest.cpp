// The status bar example: panel clicks, panel keys, simple text, and the dump of the panels with
// the controls placed in them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "PinnedFont.h"
#include "WorkbenchRunner.h"

using ::testing::HasSubstr;
using json = nlohmann::json;

namespace {

const std::string Examples = std::string(NUV_SOURCE_DIR) + "/examples/";

json Topic(const std::string& event) {
  return {
      {"event", "topic"}, {"topic", "Topic://ViewPart/Status/" + event}, {"viewPart", "Status"}, {"sender", nullptr}};
}
json Value(const std::string& key, json value) { return {{"event", "value"}, {"key", key}, {"value", value}}; }

const json& Child(const json& parent, const std::string& name) {
  for (const auto& child : parent["Controls"])
    if (child["Name"] == name) return child;
  throw std::runtime_error("no control " + name);
}

TEST(WorkbenchStatusBar, PanelClicksKeysAndTheDumpOfPanelsWithTheirControls) {
  const TWorkbenchRun run = RunWorkbench({"--script", Examples + "statusbar.script", Examples + "statusbar.xml"});
  EXPECT_EQ(run.Status, 0);
  EXPECT_EQ(run.Err, "");
  const auto events = run.Events();
  ASSERT_EQ(events.size(), 8u) << run.Out;
  EXPECT_EQ(events[0], Value("Status_Msg_Caption", "Welcome to Demo"));
  EXPECT_EQ(events[1], Topic("OnClick"));  // the panel without ID in between fired nothing
  EXPECT_EQ(events[2], Topic("OnDblClick"));
  EXPECT_EQ(events[3], Value("Status_Clock_Size", 0));
  EXPECT_EQ(events[4]["class"], "EWbScriptError");
  EXPECT_THAT(events[4]["message"].get<std::string>(), HasSubstr("has no panel 9 (it has 4)"));
  EXPECT_EQ(events[5], Value("Hint_SimpleText", "Ready"));
  EXPECT_EQ(events[6]["class"], "EWbScriptError");

  const json& window = events[7]["window"];
  const json& status = Child(window, "Status");
  EXPECT_EQ(status["SimplePanel"], false);
  const json& panels = status["Panels"];
  ASSERT_EQ(panels.size(), 4u);
  EXPECT_EQ(panels[0]["ID"], "Msg");
  EXPECT_EQ(panels[0]["Caption"], "Saved ${AppTitle}");
  EXPECT_EQ(panels[0]["TextTruncation"], "twEndEllipsis");
  EXPECT_EQ(panels[1]["ID"], "");
  EXPECT_EQ(panels[1]["Alignment"], "taCenter");
  EXPECT_EQ(panels[2]["Control"], "Clock");
  EXPECT_EQ(panels[2]["Size"], 70);  // shown again with its size
  EXPECT_EQ(panels[3]["Control"], "Caps");
  EXPECT_EQ(panels[3]["Size"], 120);
  EXPECT_EQ(panels[0]["Control"], nullptr);
  EXPECT_EQ(Child(status, "Caps")["Class"], "TTBXCheckBox");
  const json& hint = Child(window, "Hint");
  EXPECT_EQ(hint["SimplePanel"], true);
  EXPECT_EQ(hint["SimpleText"], "Ready");
  EXPECT_EQ(hint["Panels"], json::array());
}

TEST(WorkbenchStatusBar, TheTextTreeListsThePanelsAndTheSimpleText) {
  SKIP_UNLESS_DEFAULT_FONT_IS_PINNED();
  const TWorkbenchRun run = RunWorkbench({Examples + "statusbar.xml"});
  EXPECT_EQ(run.Status, 0);
  // Both bars at the bottom, the first one lowest; the panels' controls fill their panels.
  EXPECT_THAT(run.Out, HasSubstr("TTBXStatusBar \"Status\" [Status] Align=alBottom 0x575+800x25 "
                                 "Panels=[Msg:50,#1:60,Clock:70,Keys:80]\n"
                                 "    TTBXLabel \"Clock\" [Clock] Text=\"12:00\" Align=alNone 636x3+66x20\n"
                                 "    TTBXCheckBox \"Caps\" [Caps] Text=\"CAPS\" Align=alNone 706x3+76x20\n"));
  EXPECT_THAT(run.Out, HasSubstr("TTBXStatusBar \"Hint\" [Hint] Align=alBottom 0x550+800x25 SimpleText=\"\""));
}

}  // namespace
