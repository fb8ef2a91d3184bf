// The buttons example: clicks as the user makes them, key writes, and the dump of radio buttons,
// check boxes and links.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "WorkbenchRunner.h"

using ::testing::HasSubstr;
using json = nlohmann::json;

namespace {

const std::string Examples = std::string(NUV_SOURCE_DIR) + "/examples/";

json Changed(const std::string& viewPart, const std::string& sender) {
  return {{"event", "topic"},
          {"topic", "Topic://ViewPart/" + viewPart + "/OnChange"},
          {"viewPart", viewPart},
          {"sender", sender}};
}
json Radio(const std::string& viewPart) { return Changed(viewPart, "TNUVRadioButton"); }
json Box() { return Changed("Bold", "TTBXCheckBox"); }
json Event(const char* name, const json& fields) {
  json event{{"event", name}};
  event.update(fields);
  return event;
}

const json& Child(const json& window, const std::string& name) {
  for (const auto& child : window["Controls"])
    if (child["Name"] == name) return child;
  throw std::runtime_error("no control " + name);
}

TEST(WorkbenchButtons, ClicksAndKeyWritesReportEveryChangeAndTheDumpShowsTheState) {
  const TWorkbenchRun run = RunWorkbench({"--script", Examples + "buttons.script", Examples + "buttons.xml"});
  EXPECT_EQ(run.Status, 0);
  EXPECT_EQ(run.Err, "");
  const auto events = run.Events();
  ASSERT_EQ(events.size(), 19u) << run.Out;
  // The click on the checked Medium reported nothing: the first events are Small's click.
  const std::vector<json> expected{Radio("Medium"),
                                   Radio("Small"),
                                   Event("click", {{"viewPart", "Small"}}),
                                   Event("value", {{"key", "Medium_Checked"}, {"value", false}}),
                                   Radio("Small"),
                                   Radio("Large"),
                                   Event("command", {{"id", "View.Large"}}),
                                   Radio("Large"),
                                   Radio("Medium"),
                                   Event("value", {{"key", "Bold_State"}, {"value", 2}}),
                                   Box(),
                                   Event("click", {{"viewPart", "Bold"}}),
                                   Box(),
                                   Event("click", {{"viewPart", "Bold"}}),
                                   Box()};
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(events[i], expected[i]) << i;

  EXPECT_EQ(events[15]["class"], "EConvertError");
  EXPECT_THAT(events[15]["message"].get<std::string>(), HasSubstr("Bold_State cannot take 3"));
  EXPECT_EQ(events[16], Event("value", {{"key", "Bold_Checked"}, {"value", false}}));
  EXPECT_EQ(events[17], Event("click", {{"viewPart", "Help"}}));

  const json& window = events[18]["window"];
  EXPECT_EQ(Child(window, "Medium")["Checked"], true);
  EXPECT_EQ(Child(window, "Large")["Checked"], false);
  EXPECT_EQ(Child(window, "Large")["GroupIndex"], 1);
  EXPECT_EQ(Child(window, "Bold")["State"], "cbGrayed");
  EXPECT_EQ(Child(window, "Bold")["AllowGrayed"], true);
  EXPECT_EQ(Child(window, "Help")["Images"], true);
  EXPECT_EQ(Child(window, "Help")["ImageIndex"], 0);
  EXPECT_EQ(Child(window, "Help")["Text"], "Read the guide");
}

}  // namespace
