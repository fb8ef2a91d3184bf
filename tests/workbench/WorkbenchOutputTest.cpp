// Without a script the runner prints the window: a text tree for people, or JSON with --json.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "PinnedFont.h"
#include "WorkbenchRunner.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using json = nlohmann::json;

namespace fs = std::filesystem;

namespace {

TEST(WorkbenchOutput, TextTreeIndentsChildrenAndShowsTheUsefulProperties) {
  SKIP_UNLESS_DEFAULT_FONT_IS_PINNED();
  const TWorkbenchRun run = RunWorkbench({"label-app.xml"});
  EXPECT_EQ(run.Status, 0);
  EXPECT_EQ(run.Err, "");
  std::istringstream lines(run.Out);
  std::vector<std::string> tree;
  for (std::string line; std::getline(lines, line);) tree.push_back(line);
  // The window stacks its labels from the top left, 8 in and 6 apart; the client area takes the rest.
  EXPECT_THAT(tree, ElementsAre("TForm \"Shell\" Align=alNone 0x0+800x600",
                                "  TTBXLabel \"Title\" [Title] Text=\"Hello\" Align=alNone 8x8+47x19 "
                                "Alignment=taRightJustify Underline=True",
                                "  TTBXLabel \"Open\" [Open] Text=\"Open\" Align=alNone 8x33+30x14 Action=File.Open",
                                "  TStackPanel \"Editor\" Align=alClient 0x55+800x545",
                                "    TTBXLabel \"Status\" [Status] Text=\"Ready\" Align=alNone 8x8+35x14"));
}

TEST(WorkbenchOutput, JsonWritesTheWholeTreeWithEachClassesProperties) {
  const TWorkbenchRun run = RunWorkbench({"--json", "label-app.xml"});
  EXPECT_EQ(run.Status, 0);
  // Parsed keeping the order of members, which is part of what is checked.
  const nlohmann::ordered_json window = nlohmann::ordered_json::parse(run.Out);
  EXPECT_EQ(window["Class"], "TForm");
  EXPECT_EQ(window["Name"], "Shell");
  EXPECT_EQ(window["ViewPart"], nullptr);
  EXPECT_EQ(window["Width"], 800);
  EXPECT_EQ(window["Height"], 600);
  ASSERT_EQ(window["Controls"].size(), 3u);

  const auto& title = window["Controls"][0];
  std::vector<std::string> keys;
  for (const auto& item : title.items()) keys.push_back(item.key());
  // Common properties, the label's own in their documented order, then the children.
  EXPECT_THAT(keys, ElementsAre("Class", "Name", "ViewPart", "Visible", "Align", "Text", "Hint", "Left", "Top", "Width",
                                "Height", "ClientRect", "Alignment", "AutoSize", "Underline", "UnderlineColor", "Color",
                                "Font", "Wrapping", "Action", "OnClick", "TextRect", "Lines", "Controls"));
  // The first of the window's stacked controls, and the text as one line over the whole label.
  EXPECT_EQ(title["Left"], 8);
  EXPECT_EQ(title["Top"], 8);
  EXPECT_EQ(title["ClientRect"], (nlohmann::ordered_json{0, 0, title["Width"], title["Height"]}));
  EXPECT_EQ(title["TextRect"], title["ClientRect"]);
  EXPECT_EQ(title["Lines"], nlohmann::ordered_json{"Hello"});
  EXPECT_EQ(title["Class"], "TTBXLabel");
  EXPECT_EQ(title["ViewPart"], "Title");
  EXPECT_EQ(title["Visible"], true);
  EXPECT_EQ(title["Align"], "alNone");
  EXPECT_EQ(title["Alignment"], "taRightJustify");
  EXPECT_EQ(title["Underline"], true);
  EXPECT_EQ(title["UnderlineColor"], 0xFF000010u);  // clBtnShadow, as a number
  EXPECT_EQ(title["Color"], 0x1FFFFFFFu);           // clDefault
  // The font as configured, then what it resolved to: 12 points are 16 pixels at 96 dpi.
  nlohmann::ordered_json font = title["Font"];
  EXPECT_TRUE(font["Family"].is_string());
  EXPECT_EQ(font["PixelSize"], 16);
  EXPECT_GE(font["LineHeight"], font["Ascent"]);
  for (const char* resolved : {"Family", "PixelSize", "Ascent", "LineHeight"}) font.erase(resolved);
  EXPECT_EQ(font, (nlohmann::ordered_json{
                      {"Name", "Verdana"}, {"Size", 12}, {"Color", 0xFF000008u}, {"Style", {"fsBold", "fsItalic"}}}));
  EXPECT_EQ(title["Wrapping"], "twNone");
  EXPECT_EQ(title["Action"], nullptr);
  EXPECT_EQ(title["OnClick"], true);

  const auto& open = window["Controls"][1];
  EXPECT_EQ(open["Action"], "File.Open");
  EXPECT_EQ(open["OnClick"], false);  // the action handles the click

  const auto& editor = window["Controls"][2];
  EXPECT_EQ(editor["Name"], "Editor");
  EXPECT_EQ(editor["ViewPart"], nullptr);
  EXPECT_EQ(editor["Align"], "alClient");
  ASSERT_EQ(editor["Controls"].size(), 1u);
  EXPECT_EQ(editor["Controls"][0]["ViewPart"], "Status");
}

TEST(WorkbenchOutput, AViewPartErrorGoesToStderrAndTheRunGoesOn) {
  const TWorkbenchRun run = RunWorkbench({"viewpart-error.xml"});
  EXPECT_EQ(run.Status, 1);  // the run went on; the file caused an error
  ASSERT_EQ(run.ErrLines().size(), 1u) << run.Err;
  EXPECT_THAT(run.ErrLines()[0], ::testing::StartsWith("viewpart-error.xml:4:5: EConfigurationError: "));
  EXPECT_THAT(run.ErrLines()[0], HasSubstr("'Center' is not valid"));
  // The next view part ran all the same.
  EXPECT_THAT(run.Out, ::testing::ContainsRegex("TTBXLabel \"Plain\" \\[Plain\\] Text=\"Plain\" Align=alNone "
                                                "[0-9]+x[0-9]+\\+[0-9]+x[0-9]+ Underline=True"));
}

TEST(WorkbenchOutput, WithoutFontsTheRunnerWarnsThatDrawnTextWillNotMatch) {
  const std::string config = testing::TempDir() + "nuv-no-fonts.conf";
  std::ofstream(config) << "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n";
  setenv("FONTCONFIG_FILE", config.c_str(), 1);
  const TWorkbenchRun run = RunWorkbench({"label-app.xml"});
  unsetenv("FONTCONFIG_FILE");
  EXPECT_EQ(run.Status, 0);
  EXPECT_THAT(run.Err, HasSubstr("nuv-workbench: warning: fontconfig finds no font; sizes come from built-in metrics"));
  EXPECT_THAT(run.Out, HasSubstr("TTBXLabel \"Title\""));  // the run goes on
}

TEST(WorkbenchOutput, VersionNamesTheRunnerAndTheModule) {
  const TWorkbenchRun run = RunWorkbench({"--version"});
  EXPECT_EQ(run.Status, 0);
  EXPECT_EQ(run.Out, "nuv-workbench 1.0.0.0\nNUV.ViewParts.TBX.so 1.0.0.0\n");

  const TWorkbenchRun missing = RunWorkbench({"--version", "--module", "no-such-module.so"});
  EXPECT_EQ(missing.Status, 2);
  EXPECT_THAT(missing.Err, HasSubstr("no-such-module.so"));
}

// The Module attribute is a path relative to the application file, not to the working directory;
// --module overrides it.
TEST(WorkbenchOutput, TheModuleAttributeIsRelativeToTheApplicationFile) {
  const fs::path dir = fs::temp_directory_path() / ("nuv-workbench-module-" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "plugins");
  fs::create_symlink(fs::path(NUV_BIN_DIR) / "NUV.ViewParts.TBX.so", dir / "plugins" / "Labels.so");
  std::ofstream(dir / "app.xml") << "<Workbench Module=\"plugins/Labels.so\"><WorkItem ID=\"Main\">"
                                    "<ViewPart Name=\"Title\" Factory=\"CreateLabelViewPart\" Caption=\"Hi\"/>"
                                    "</WorkItem></Workbench>";
  const std::string app = (dir / "app.xml").string();

  const TWorkbenchRun run = RunWorkbench({app});
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_THAT(run.Out, HasSubstr("[Title] Text=\"Hi\""));

  const TWorkbenchRun overridden = RunWorkbench({"--module", "elsewhere/Labels.so", app});
  EXPECT_EQ(overridden.Status, 2);
  EXPECT_THAT(overridden.Err, HasSubstr("cannot load module elsewhere/Labels.so"));
  fs::remove_all(dir);
}

}  // namespace
