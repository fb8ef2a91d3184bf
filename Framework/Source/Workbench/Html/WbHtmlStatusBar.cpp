// The status bar: its simple text, or its panels at their bounds with what they hold; the
// controls of the panels are the bar's children and draw as such.
#include "WbHtmlPainter.h"
#include "WbHtmlText.h"

using TJson = nlohmann::json;
using namespace WbHtmlBoxes;

namespace {

std::string AlignmentCss(const TJson& panel) {
  const std::string alignment = StringField(panel, "Alignment");
  if (alignment == "taCenter") return "text-align:center;";
  if (alignment == "taRightJustify") return "text-align:right;";
  return "";
}

}  // namespace

std::string TWbHtmlPainter::StatusBar(const TJson& bar) const {
  std::string html = Part("nuv-status-line", TJson::array({0, 0, bar.value("Width", 0), 1}));
  if (bar.value("SimplePanel", false)) {
    html += Part("nuv-panel-text", Field(bar, "SimpleTextRect"), HtmlEscape(StringField(bar, "SimpleText")));
  } else {
    const TJson& panels = Field(bar, "Panels");
    for (size_t i = 0; i < panels.size(); ++i) html += StatusPanel(panels[i], bar, i);
  }
  return html + Part("nuv-sizegrip", Field(bar, "SizeGripRect"));
}

// A hidden panel (no size, no stretch) has empty bounds and is not drawn.
std::string TWbHtmlPainter::StatusPanel(const TJson& panel, const TJson& bar, size_t index) const {
  const TJson& bounds = Field(panel, "Bounds");
  if (IsEmpty(bounds)) return "";
  std::string content = Image(Field(panel, "ImageFile"), Relative(Field(panel, "ImageRect"), bounds));
  if (Field(panel, "Control").is_null())
    content += Part("nuv-panel-text", Relative(Field(panel, "TextRect"), bounds),
                    HtmlEscape(StringField(panel, "DisplayText")), AlignmentCss(panel));
  const std::string hint = StringField(panel, "Hint");
  const std::string name = StringField(bar, "ViewPart");
  return std::string("<div class=\"nuv-status-panel") + (panel.value("Framed", true) ? " nuv-framed" : "") + "\"" +
         (hint.empty() ? "" : " title=\"" + HtmlEscape(hint) + "\"") +
         Command(Field(bar, "ViewPart"), "click-panel " + ScriptArg(name) + " " + std::to_string(index)) +
         Command(Field(bar, "ViewPart"), "dblclick-panel " + ScriptArg(name) + " " + std::to_string(index),
                 "data-dblclick-command") +
         BoundsAttribute(bounds) + " style=\"" + BoxCss(bounds) + "\">" + content + "</div>";
}
