// Every example, before and after its script: the layout keeps its invariants, and the HTML picture
// stands exactly where the dump says each control, toolbar item and status panel is.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <regex>

#include "LayoutInvariants.h"
#include "TbxLayoutCounters.h"
#include "WbHtmlRender.h"
#include "WorkbenchInProcess.h"
#include "WorkbenchRunner.h"

using json = nlohmann::json;

namespace {

std::vector<std::string> ExampleNames() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(std::string(NUV_SOURCE_DIR) + "/examples"))
    if (entry.path().extension() == ".xml") names.push_back(entry.path().stem().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string BoundsText(int left, int top, int width, int height) {
  return std::to_string(left) + "," + std::to_string(top) + "," + std::to_string(width) + "," + std::to_string(height);
}

std::string BoundsText(const json& rect) {
  return BoundsText(rect[0].get<int>(), rect[1].get<int>(), rect[2].get<int>(), rect[3].get<int>());
}

// What the picture must show, in document order: each visible control, then its visible items or
// panels with room, then its children.
void ExpectedBounds(const json& control, std::vector<std::string>& controls, std::vector<std::string>& parts) {
  if (!control.value("Visible", false)) return;
  controls.push_back(BoundsText(control["Left"].get<int>(), control["Top"].get<int>(), control["Width"].get<int>(),
                                control["Height"].get<int>()));
  for (const char* list : {"Items", "Panels"})
    if (control.contains(list))
      for (const auto& part : control[list]) {
        const json& bounds = part["Bounds"];
        const bool control_item = part.contains("Control") && !part.contains("FontSettings") && list[0] == 'I';
        if (part.value("Visible", true) && bounds[2] > 0 && bounds[3] > 0 && !control_item)
          parts.push_back(BoundsText(bounds));
      }
  for (const auto& child : control["Controls"]) ExpectedBounds(child, controls, parts);
}

std::vector<std::string> DrawnBounds(const std::string& html, const std::string& elementClass) {
  std::vector<std::string> found;
  const std::regex element("<div class=\"" + elementClass + "[ \"][^>]*data-bounds=\"([^\"]*)\"");
  for (auto it = std::sregex_iterator(html.begin(), html.end(), element); it != std::sregex_iterator(); ++it)
    found.push_back((*it)[1].str());
  return found;
}

class ExampleGeometry : public testing::TestWithParam<std::string> {};

TEST_P(ExampleGeometry, KeepsTheLayoutRulesAndDrawsAtTheDumpedBounds) {
  TInProcessWorkbench workbench(ExampleFile(GetParam()));
  workbench.App.RunAll();
  const auto check = [&](const std::string& when) {
    for (const auto& violation : LayoutViolations(workbench.App.Window())) ADD_FAILURE() << when << ": " << violation;
    const json window = workbench.App.WindowJson();
    std::vector<std::string> controls, parts;
    ExpectedBounds(window, controls, parts);
    const std::string html = RenderWindowFragment(window, {});
    EXPECT_EQ(DrawnBounds(html, "nuv-c"), controls) << when;
    std::vector<std::string> drawnParts = DrawnBounds(html, "nuv-item");
    for (auto& panel : DrawnBounds(html, "nuv-status-panel")) drawnParts.push_back(panel);
    std::sort(drawnParts.begin(), drawnParts.end());
    std::sort(parts.begin(), parts.end());
    EXPECT_EQ(drawnParts, parts) << when;
  };
  check("after loading");
  const std::string script = std::string(NUV_SOURCE_DIR) + "/examples/" + GetParam() + ".script";
  if (std::filesystem::exists(script)) {
    workbench.Run(ReadFile(script));
    check("after " + GetParam() + ".script");
  }
}

// The windowed control of that name at or under control, or nil.
TWinControl* FindArea(TWinControl& control, const std::string& name) {
  if (control.GetName() == name) return &control;
  for (int i = 0; i < control.GetControlCount(); ++i)
    if (auto* child = dynamic_cast<TWinControl*>(control.GetControl(i)))
      if (TWinControl* found = FindArea(*child, name)) return found;
  return nullptr;
}

// Finishing takes every view part's control away: the window and a nested work item's area are
// laid out once, when all have gone, and the area left fills the window.
TEST_P(ExampleGeometry, FinishingLaysEachAreaOutOnceWhenTheControlsHaveGone) {
  TInProcessWorkbench workbench(ExampleFile(GetParam()));
  workbench.App.RunAll();
  TWinControl& window = workbench.App.Window();
  TWinControl* editor = FindArea(window, "Editor");
  TTbxLayoutProbe windowProbe(window);
  std::optional<TTbxLayoutProbe> editorProbe;
  if (editor) editorProbe.emplace(*editor);
  workbench.App.Finish();
  EXPECT_EQ(windowProbe.AlignPasses(), 1);
  for (const auto& violation : LayoutViolations(window)) ADD_FAILURE() << "after finishing: " << violation;
  if (!editor) return;
  EXPECT_LE(editorProbe->AlignPasses(), 1);
  EXPECT_EQ(editor->GetControlCount(), 0);
  EXPECT_EQ(editor->GetBoundsRect(), window.GetClientArea());
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleGeometry, testing::ValuesIn(ExampleNames()),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
