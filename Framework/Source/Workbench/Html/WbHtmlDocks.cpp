// Docks and what lies in them: toolbars with their items, dockable panels with caption bars.
#include <cctype>
#include <map>

#include "WbHtmlPainter.h"
#include "WbHtmlText.h"

using TJson = nlohmann::json;
using namespace WbHtmlKinds;

namespace {

std::string Position(const TJson* dock) { return dock ? dock->value("Position", std::string("dpTop")) : ""; }
bool IsSideDock(const TJson* dock) { return Position(dock) == "dpLeft" || Position(dock) == "dpRight"; }

std::string BoundLines(const TJson& dock) {
  std::string css;
  for (const auto& line : Field(dock, "BoundLines")) {
    const std::string side = line.get<std::string>().substr(2);  // blTop -> Top
    std::string lower = side;
    lower[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(lower[0])));
    css += "border-" + lower + ":1px solid #a0a0a0;";
  }
  return css;
}

int Positive(int value, int otherwise) { return value > 0 ? value : otherwise; }

bool IsOn(const TJson& settings, const char* key) { return settings.value(key, std::string()) == "tsTrue"; }

// The look a toggle button's font settings give it.
std::string FontSettingsCss(const TJson& settings) {
  std::string css;
  if (IsOn(settings, "Bold")) css += "font-weight:bold;";
  if (IsOn(settings, "Italic")) css += "font-style:italic;";
  if (IsOn(settings, "Underline")) css += "text-decoration:underline;";
  if (IsOn(settings, "StrikeOut")) css += "text-decoration:line-through;";
  if (const int size = settings.value("Size", 100); size != 100) css += "font-size:" + std::to_string(size) + "%;";
  if (const std::string color = CssColor(Field(settings, "Color")); !color.empty()) css += "color:" + color + ";";
  return css;
}

// A path step of click-item: the caption when it finds this item (the first visible sibling with
// that caption, and a caption the path syntax leaves alone), else the index.
std::string PathStep(const TJson& items, size_t index) {
  const std::string caption = items[index].value("Caption", std::string());
  bool first = !caption.empty() && caption[0] != '#' && caption.find('/') == std::string::npos;
  for (size_t i = 0; first && i < index; ++i)
    first = !(items[i].value("Visible", false) && items[i].value("Caption", std::string()) == caption);
  return first ? caption : "#" + std::to_string(index);
}

}  // namespace

// Rows run along the dock's edge, numbered from the top or left; a row holds its windows in order.
std::string TWbHtmlPainter::Dock(const TJson& dock) const {
  std::map<int, std::string> rows;
  for (const auto& child : Field(dock, "Controls")) {
    const std::string html = Control(child, &dock);
    if (!html.empty()) rows[child.value("DockRow", 0)] += html;
  }
  if (rows.empty()) return "";  // an empty dock takes no room
  const std::string side = Position(&dock).substr(2);
  std::string html = "<div class=\"nuv-dock nuv-dock-" + side + "\"" + ViewPartAttributes(dock, "") + " style=\"" +
                     BoundLines(dock) + "\">";
  for (const auto& [row, windows] : rows) html += "<div class=\"nuv-dock-row\">" + windows + "</div>";
  return html + "</div>";
}

// A docked panel shows its caption bar and close button as its *WhenDocked settings say; the
// caption runs vertically when docked at the top or bottom, unless the rotation says otherwise.
std::string TWbHtmlPainter::DockablePanel(const TJson& panel, const TJson* dock) const {
  const bool docked = dock != nullptr;
  const bool caption = panel.value("ShowCaption", true) && (!docked || panel.value("ShowCaptionWhenDocked", false));
  const bool close = panel.value("CloseButton", true) && (!docked || panel.value("CloseButtonWhenDocked", false));
  const std::string rotation = panel.value("CaptionRotation", std::string("dpcrAuto"));
  const bool vertical = rotation == "dpcrAlwaysVert" || (rotation == "dpcrAuto" && docked && !IsSideDock(dock));
  std::string size;
  if (!docked)  // a window the toolkit has not sized yet takes its docked width and its content's height
    size = "width:" + std::to_string(Positive(panel.value("Width", 0), panel.value("DockedWidth", 128))) + "px;" +
           (panel.value("Height", 0) > 0 ? "height:" + std::to_string(panel.value("Height", 0)) + "px;" : "");
  else if (IsSideDock(dock))
    size = "width:" + std::to_string(panel.value("DockedWidth", panel.value("Width", 0))) + "px;";
  else
    size = "height:" + std::to_string(panel.value("DockedHeight", panel.value("Height", 0))) + "px;";
  std::string html = std::string("<div class=\"nuv-panel") + (vertical ? " nuv-vertical-caption" : "") +
                     (docked ? "" : " nuv-floating-window") + "\"" + ViewPartAttributes(panel, "") + " style=\"" +
                     size + "\">";
  if (caption || close) {
    html += "<div class=\"nuv-caption\"><span class=\"nuv-caption-text\">" +
            (caption ? HtmlEscape(panel.value("Text", std::string())) : "") + "</span>";
    if (close) html += "<span class=\"nuv-close\" title=\"Close\">&#215;</span>";
    html += "</div>";
  }
  return html + "<div class=\"nuv-panel-body\">" + Children(panel) + "</div></div>";
}

std::string TWbHtmlPainter::Toolbar(const TJson& toolbar, const TJson* dock) const {
  const bool vertical = IsSideDock(dock);
  std::string html = std::string("<div class=\"nuv-toolbar") + (vertical ? " nuv-vertical" : "") +
                     (toolbar.value("FullSize", false) ? " nuv-fullsize" : "") + (dock ? "" : " nuv-floating-window") +
                     "\"" + ViewPartAttributes(toolbar, "") + ">";
  if (!dock) {
    html += "<div class=\"nuv-caption\"><span class=\"nuv-caption-text\">" +
            HtmlEscape(toolbar.value("Text", std::string())) + "</span>";
    if (toolbar.value("CloseButton", true)) html += "<span class=\"nuv-close\" title=\"Close\">&#215;</span>";
    html += "</div>";
  }
  return html + "<div class=\"nuv-items\">" + Items(Field(toolbar, "Items"), toolbar, dock, "") + "</div></div>";
}

std::string TWbHtmlPainter::Items(const TJson& items, const TJson& toolbar, const TJson* dock,
                                  const std::string& path) const {
  std::string html;
  for (size_t i = 0; i < items.size(); ++i)
    if (items[i].value("Visible", false))
      html += Item(items[i], toolbar, dock, path + (path.empty() ? "" : "/") + PathStep(items, i), i);
  return html;
}

std::string TWbHtmlPainter::Item(const TJson& item, const TJson& toolbar, const TJson* dock, const std::string& path,
                                 size_t index) const {
  const std::string itemClass = item.value("Class", std::string());
  if (itemClass.find("Separator") != std::string::npos) return "<span class=\"nuv-separator\"></span>";
  if (item.contains("FontSettings")) return ToggleItem(item, dock, index);
  if (item.contains("Control")) {
    const TJson* control = Named(Field(item, "Control"));
    return control ? "<span class=\"nuv-control-item\">" + Control(*control) + "</span>" : "";
  }
  const std::string caption = Image(Field(item, "ImageFile")) + HtmlEscape(item.value("Caption", std::string()));
  const TJson& subItems = Field(item, "Items");
  if (!subItems.empty() || itemClass.find("Submenu") != std::string::npos)
    return "<span class=\"nuv-submenu\" tabindex=\"0\"><span class=\"nuv-item\">" + caption +
           "<span class=\"nuv-marker\">&#9662;</span></span><span class=\"nuv-menu\">" +
           Items(subItems, toolbar, dock, path) + "</span></span>";
  return "<span class=\"nuv-item\"" +
         Command(Field(toolbar, "ViewPart"),
                 "click-item " + ScriptArg(toolbar.value("ViewPart", std::string())) + " " + ScriptArg(path)) +
         ">" + caption + "</span>";
}

// A multi-dock's toggle button: pressed while its panel shows; the script names it by the
// multi-dock's view part, which is the dock's.
std::string TWbHtmlPainter::ToggleItem(const TJson& item, const TJson* dock, size_t index) const {
  const bool pressed = item.value("Checked", false);
  const TJson& viewPart = dock ? Field(*dock, "ViewPart") : Field(item, "ViewPart");
  const std::string name = viewPart.is_string() ? viewPart.get<std::string>() : "";
  const std::string css = FontSettingsCss(Field(item, "FontSettings"));
  return std::string("<span class=\"nuv-item nuv-toggle") + (pressed ? " nuv-pressed" : "") + "\" data-checked=\"" +
         (pressed ? "true" : "false") + "\"" +
         Command(viewPart, "click-toggle " + ScriptArg(name) + " " + std::to_string(index)) +
         (css.empty() ? "" : " style=\"" + css + "\"") + ">" + HtmlEscape(item.value("Caption", std::string())) +
         "</span>";
}
