// The showcase and --render: the window drawn as one self-contained HTML file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include <unistd.h>

#include "WbHtmlRender.h"
#include "WorkbenchRunner.h"

using ::testing::HasSubstr;

using json = nlohmann::json;

namespace {

const std::string Examples = std::string(NUV_SOURCE_DIR) + "/examples/";

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++count;
  return count;
}

// Renders with the runner and returns the file's text; the run itself must be clean but for the
// warnings expected.
std::string Rendered(std::vector<std::string> args, const std::string& warnings = "") {
  // One file per test: ctest runs the tests of this suite in parallel processes.
  const std::string file = testing::TempDir() + "nuv-render-" +
                           testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
                           std::to_string(getpid()) + ".html";
  std::filesystem::remove(file);
  args.insert(args.end(), {"--render", file});
  const TWorkbenchRun run = RunWorkbench(args);
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Err, warnings);
  return ReadFile(file);
}

void ExpectSelfContained(const std::string& html) {
  EXPECT_EQ(Count(html, "http://"), 0u) << "http://";
  EXPECT_EQ(Count(html, "https://"), 0u) << "https://";
  EXPECT_FALSE(std::regex_search(html, std::regex(R"((src|href)="(?!data:))"))) << "a resource outside the file";
  EXPECT_EQ(Count(html, "<link"), 0u) << "<link";
  EXPECT_EQ(Count(html, "<script"), 0u) << "<script";
}

TEST(WorkbenchShowcase, LoadsCleanlyAndShowsEveryKindWithTheDocumentToolbarMerged) {
  const TWorkbenchRun run = RunWorkbench({Examples + "showcase.xml"});
  EXPECT_EQ(run.Status, 0);
  EXPECT_EQ(run.Err, "");
  for (const char* line : {"TTBXDock \"TopDock\"", "TTBXDock \"Tools\"", "TTBXDockablePanel \"Properties\"",
                           "TTBXLabel \"Heading\"", "TTBXLink \"HelpLink\"", "TNUVRadioButton \"Medium\"",
                           "TTBXCheckBox \"WordWrap\"", "TTBXStatusBar \"Status\"", "TTBXToolbar \"DocToolbar\""})
    EXPECT_THAT(run.Out, HasSubstr(line));
  // Every work item ran: the main Save is hidden behind the document's, Print and the page label came.
  EXPECT_THAT(
      run.Out,
      HasSubstr("Items=[New Open Save- Save | Format(Bold Italic | \"Clear formatting\") <PageLabel> Print Help]"));
  EXPECT_THAT(run.Out, HasSubstr("Items=[Files Search Outline]"));
}

TEST(WorkbenchRender, DrawsTheShowcaseAfterItsScriptWithEveryVisibleCaptionOnce) {
  const std::string html = Rendered({"--script", Examples + "showcase.script", Examples + "showcase.xml"});
  ASSERT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_EQ(Count(html, "class=\"nuv-window\""), 1u);
  for (const char* caption : {"New",         "Open",
                              "Save",        "Bold",
                              "Italic",      "Clear formatting",
                              "Page 1 of 3", "Print",
                              "Help",        "Files",
                              "Outline",     "Properties",
                              "Word wrap",   "Document name:",
                              "Untitled 1",  "Read the manual",
                              "Small icons", "Medium icons",
                              "Large icons", "CAPS",
                              "12:00",       "Editing Untitled 1",
                              "Ln 12, Col 4"})
    EXPECT_EQ(Count(html, std::string(">") + caption + "<"), 1u) << caption;
  // Search shows now: its button, its panel's caption and its label.
  EXPECT_EQ(Count(html, ">Search<"), 3u);
  EXPECT_TRUE(std::regex_search(html, std::regex(R"(nuv-toggle nuv-pressed[^>]*>(<[^>]*>)*Search<)")));
  EXPECT_FALSE(std::regex_search(html, std::regex(R"(nuv-pressed[^>]*>(<[^>]*>)*Files<)")));
  // The hidden document toolbar is not drawn, nor the captions replaced by the script.
  EXPECT_EQ(Count(html, ">Document<"), 0u) << ">Document<";
  EXPECT_EQ(Count(html, "Welcome to Showcase"), 0u) << "Welcome to Showcase";
  EXPECT_EQ(Count(html, "Ln 1, Col 1"), 0u) << "Ln 1, Col 1";
  // States after the clicks.
  EXPECT_GE(Count(html, "data-state=\"cbUnchecked\" data-viewpart=\"WordWrap\""), 1u)
      << "data-state=\"cbUnchecked\" data-viewpart=\"WordWrap\"";
  EXPECT_GE(Count(html, "data-state=\"cbChecked\" data-viewpart=\"Caps\""), 1u)
      << "data-state=\"cbChecked\" data-viewpart=\"Caps\"";
  EXPECT_GE(Count(html, "nuv-radio nuv-on\" data-checked=\"true\" data-viewpart=\"Large\""), 1u)
      << "nuv-radio nuv-on\" data-checked=\"true\" data-viewpart=\"Large\"";
  EXPECT_GE(Count(html, "data-checked=\"false\" data-viewpart=\"Medium\""), 1u)
      << "data-checked=\"false\" data-viewpart=\"Medium\"";
  // The set caption is escaped; every element stands where the toolkit put it, without a layout of
  // the page's own.
  EXPECT_GE(Count(html, ">A tour of &lt;all&gt; nine kinds &amp; more<"), 1u)
      << ">A tour of &lt;all&gt; nine kinds &amp; more<";
  EXPECT_GE(Count(html, "data-bounds=\"0,0,800,600\" style=\"left:0px;top:0px;width:800px;height:600px;"), 1u);
  EXPECT_EQ(Count(html, "display:flex;flex-direction"), 0u);
  // Every image of the showcase exists and is embedded.
  EXPECT_EQ(Count(html, "src=\"data:image/png;base64,iVBORw0KGgo"), 6u);  // New Open Save Help, the link, Caps' panel
  EXPECT_EQ(Count(html, "class=\"nuv-image nuv-image-missing\""), 0u);
  EXPECT_EQ(Count(html, "data-command=\""), 0u);  // a file is a picture, not a page to drive
  ExpectSelfContained(html);
}

TEST(WorkbenchRender, DrawsMissingImagesAsPlaceholdersAndLeavesHiddenItemsOut) {
  // A file that does not exist is told as it comes into the image list, and drawn as a placeholder.
  const std::string html =
      Rendered({"render.xml"},
               "render.xml: warning: the image file 'gone.png' does not exist; it shows no image\n"
               "render.xml: warning: the image file 'missing.png' does not exist; it shows no image\n");
  EXPECT_GE(Count(html, "<title>Render &amp; test</title>"), 1u) << "<title>Render &amp; test</title>";
  EXPECT_GE(Count(html, ">Fish &lt;&amp;&gt; &quot;Chips&quot;<"), 1u) << ">Fish &lt;&amp;&gt; &quot;Chips&quot;<";
  EXPECT_EQ(Count(html, "<&>"), 0u) << "<&>";
  EXPECT_GE(Count(html, "title=\"gone.png (not found)\""), 1u) << "title=\"gone.png (not found)\"";
  EXPECT_GE(Count(html, "title=\"missing.png (not found)\""), 1u) << "title=\"missing.png (not found)\"";
  EXPECT_EQ(Count(html, "class=\"nuv-image nuv-image-missing\""), 2u);
  EXPECT_EQ(Count(html, "base64"), 0u) << "base64";
  EXPECT_GE(Count(html, ">Shown<"), 1u) << ">Shown<";
  EXPECT_EQ(Count(html, "Secret"), 0u) << "Secret";
  ExpectSelfContained(html);
}

// Names are not unique (the window takes the application's name): the picture walks the controls
// themselves, so a window named like a control in a status panel draws both once.
TEST(WorkbenchRender, AWindowNamedLikeAControlInAPanelDrawsEachOnce) {
  std::string app = ReadFile(Examples + "statusbar.xml");
  app.replace(app.find("<Workbench Name=\"Shell\">"), 25, "<Workbench Name=\"Clock\">");
  const std::string copy = testing::TempDir() + "nuv-clock-" + std::to_string(getpid()) + ".xml";
  std::ofstream(copy) << app;
  // The copy stands away from the example's images.
  const std::string html =
      Rendered({copy}, copy + ": warning: the image file 'images/keys.png' does not exist; it shows no image\n");
  EXPECT_EQ(Count(html, "data-name=\"Clock\""), 2u);  // the window and the label
  EXPECT_EQ(Count(html, ">12:00<"), 1u);
}

TEST(WorkbenchRender, AFileThatCannotBeWrittenEndsTheRunWithStatus2) {
  const std::string file = testing::TempDir() + "no-such-dir/window.html";
  const TWorkbenchRun run = RunWorkbench({Examples + "showcase.xml", "--render", file});
  EXPECT_EQ(run.Status, 2);
  EXPECT_EQ(run.Out, "");
  EXPECT_EQ(run.Err, file + ": cannot write the file\n");
}

TEST(WorkbenchRender, InteractiveFragmentsCarryTheScriptCommandOfEachClickableElement) {
  const TWorkbenchRun run = RunWorkbench({Examples + "showcase.xml", "--json"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  const json window = json::parse(run.Out);
  const std::string fragment = RenderWindowFragment(window, {Examples, true});
  EXPECT_EQ(fragment.rfind("<style>", 0), 0u);
  EXPECT_EQ(Count(fragment, "class=\"nuv-window\""), 1u);
  EXPECT_EQ(Count(fragment, "<html"), 0u) << "<html";
  for (const char* command :
       {"click-item MainToolbar Save", "click-item MainToolbar Format/Italic",
        "click-item MainToolbar &quot;Format/Clear formatting&quot;", "click-toggle Tools 2", "click-panel Status 1",
        "click Large", "click WordWrap", "click HelpLink", "click PageLabel"})
    EXPECT_EQ(Count(fragment, std::string("data-command=\"") + command + "\""), 1u) << command;
  // Separators and submenus are not clicked; hidden items have no element to click.
  EXPECT_EQ(Count(fragment, "data-command=\"click-item MainToolbar Format\""), 0u)
      << "data-command=\"click-item MainToolbar Format\"";
  EXPECT_EQ(Count(fragment, "data-command=\"click-item "), 8u);  // New Open Save Bold Italic Clear Print Help
  EXPECT_EQ(Count(RenderWindowFragment(window, {Examples, false}), "data-command=\""), 0u);
}

}  // namespace
