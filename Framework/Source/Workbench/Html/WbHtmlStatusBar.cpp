// The status bar: its simple text, or its panels at their sizes with what they hold.
#include "WbHtmlPainter.h"
#include "WbHtmlText.h"

using TJson = nlohmann::json;

namespace {

// A panel keeps its size; the ones with a stretch priority share what is left, by priority.
std::string PanelCss(const TJson& panel) {
  const int size = panel.value("Size", 0), stretch = panel.value("StretchPriority", 0),
            maxSize = panel.value("MaxSize", 0);
  std::string css = "flex:" + std::to_string(stretch) + " 0 " + std::to_string(size) + "px;";
  if (maxSize > 0) css += "max-width:" + std::to_string(maxSize) + "px;";
  const std::string alignment = panel.value("Alignment", std::string());
  if (alignment == "taCenter") css += "text-align:center;justify-content:center;";
  if (alignment == "taRightJustify") css += "text-align:right;justify-content:flex-end;";
  return css;
}

}  // namespace

std::string TWbHtmlPainter::StatusBar(const TJson& bar) const {
  std::string html = "<div class=\"nuv-statusbar\"" + ViewPartAttributes(bar, "") + ">";
  if (bar.value("SimplePanel", false))
    html += "<span class=\"nuv-simple-text\">" + HtmlEscape(bar.value("SimpleText", std::string())) + "</span>";
  else {
    const TJson& panels = Field(bar, "Panels");
    for (size_t i = 0; i < panels.size(); ++i) html += StatusPanel(panels[i], bar, i);
  }
  if (bar.value("SizeGrip", false)) html += "<span class=\"nuv-sizegrip\"></span>";
  return html + "</div>";
}

// A hidden panel has neither size nor stretch: it takes no room and is not drawn.
std::string TWbHtmlPainter::StatusPanel(const TJson& panel, const TJson& bar, size_t index) const {
  if (panel.value("Size", 0) == 0 && panel.value("StretchPriority", 0) == 0) return "";
  const TJson* control = Named(Field(panel, "Control"));
  std::string content = control ? Control(*control) : "";
  if (content.empty()) {
    const bool truncate = panel.value("TextTruncation", std::string("twNone")) != "twNone";
    content = std::string("<span class=\"nuv-panel-text") + (truncate ? " nuv-ellipsis" : "") + "\">" +
              HtmlEscape(panel.value("Caption", std::string())) + "</span>";
  }
  const std::string hint = panel.value("Hint", std::string());
  const std::string name = bar.value("ViewPart", std::string());
  return std::string("<span class=\"nuv-status-panel") + (panel.value("Framed", true) ? " nuv-framed" : "") + "\"" +
         (hint.empty() ? "" : " title=\"" + HtmlEscape(hint) + "\"") +
         Command(Field(bar, "ViewPart"), "click-panel " + ScriptArg(name) + " " + std::to_string(index)) + " style=\"" +
         PanelCss(panel) + "\">" + Image(Field(panel, "ImageFile")) + content + "</span>";
}
