#include "WbHtmlPainter.h"

#include <vector>

#include "WbHtmlText.h"

using TJson = nlohmann::json;

namespace WbHtmlKinds {
bool IsDock(const TJson& control) { return control.contains("Position") && control.contains("LimitToOneRow"); }
bool IsDockableWindow(const TJson& control) { return control.contains("DockMode"); }
bool IsToolbar(const TJson& control) { return IsDockableWindow(control) && control.contains("Items"); }
}  // namespace WbHtmlKinds

using namespace WbHtmlKinds;

namespace {

std::string Text(const TJson& control, const char* key = "Text") {
  return HtmlEscape(control.value(key, std::string()));
}

// Font, background and text layout of the TBX text controls.
std::string TextStyle(const TJson& control) {
  std::string css = FontCss(Field(control, "Font"));
  if (const std::string back = CssColor(Field(control, "Color")); !back.empty()) css += "background:" + back + ";";
  if (control.value("Alignment", std::string()) == "taRightJustify") css += "text-align:right;";
  const std::string wrapping = control.value("Wrapping", std::string("twNone"));
  if (wrapping == "twWrap") css += "white-space:normal;";
  if (wrapping == "twEndEllipsis" || wrapping == "twPathEllipsis") css += "overflow:hidden;text-overflow:ellipsis;";
  if (const int width = control.value("Width", 0); !control.value("AutoSize", true) && width > 0)
    css += "width:" + std::to_string(width) + "px;";
  return css;
}

std::string StyleAttribute(const std::string& css) { return css.empty() ? "" : " style=\"" + css + "\""; }

bool IsAlign(const TJson& control, const char* align) { return control.value("Align", std::string()) == align; }

}  // namespace

TWbHtmlPainter::TWbHtmlPainter(const TJson& window, const TWbRenderOptions& options)
    : FWindow(window), FOptions(options) {
  IndexControls(window);
}

void TWbHtmlPainter::IndexControls(const TJson& control) {
  const std::string name = control.value("Name", std::string());
  if (!name.empty()) FNamed.emplace(name, &control);
  for (const auto& panel : Field(control, "Panels"))
    if (Field(panel, "Control").is_string()) FHosted.insert(Field(panel, "Control").get<std::string>());
  std::vector<const TJson*> items;
  for (const auto& item : Field(control, "Items")) items.push_back(&item);
  while (!items.empty()) {
    const TJson& item = *items.back();
    items.pop_back();
    if (Field(item, "Control").is_string() && !item.contains("FontSettings"))
      FHosted.insert(Field(item, "Control").get<std::string>());
    for (const auto& sub : Field(item, "Items")) items.push_back(&sub);
  }
  for (const auto& child : Field(control, "Controls")) IndexControls(child);
}

std::string TWbHtmlPainter::Window() const {
  return "<div class=\"nuv-window\" style=\"width:" + std::to_string(FWindow.value("Width", 800)) +
         "px;height:" + std::to_string(FWindow.value("Height", 600)) + "px\">" + "<div class=\"nuv-titlebar\">" +
         Text(FWindow, "Name") + "</div>" + "<div class=\"nuv-body\">" + Children(FWindow) + "</div></div>";
}

std::string TWbHtmlPainter::Control(const TJson& control, const TJson* dock) const {
  if (!control.value("Visible", false)) return "";
  if (IsDock(control)) return Dock(control);
  if (IsToolbar(control)) return Toolbar(control, dock);
  if (IsDockableWindow(control)) return DockablePanel(control, dock);
  if (control.contains("Panels")) return StatusBar(control);
  if (control.contains("State")) return CheckBox(control);
  if (control.contains("GroupIndex") && control.contains("Checked")) return RadioButton(control);
  if (control.contains("ImageIndex")) return Link(control);
  if (control.contains("Underline")) return Label(control);
  if (!Field(control, "Controls").empty() || control.value("Class", std::string()) == "TWinControl")
    return Container(control);
  return OtherControl(control);
}

// Like the toolkit's alignment: top and bottom controls take the full width, from the edge
// inwards in order; left and right ones the height between; client controls the rest, where
// unaligned controls flow as a form and floating windows lie on top.
std::string TWbHtmlPainter::Children(const TJson& container) const {
  std::string tops, bottoms, lefts, rights, clients, flow, floating;
  for (const auto& child : Field(container, "Controls")) {
    if (FHosted.count(child.value("Name", std::string()))) continue;
    const std::string html = Control(child);
    if (html.empty()) continue;
    if (IsAlign(child, "alTop"))
      tops += html;
    else if (IsAlign(child, "alBottom"))
      bottoms.insert(0, html);
    else if (IsAlign(child, "alLeft"))
      lefts += html;
    else if (IsAlign(child, "alRight"))
      rights.insert(0, html);
    else if (IsAlign(child, "alClient"))
      clients.append("<div class=\"nuv-fill\">").append(html).append("</div>");
    else if (IsDockableWindow(child))
      floating += html;
    else
      flow += html;
  }
  std::string client = "<div class=\"nuv-client\">";
  if (!flow.empty()) client += "<div class=\"nuv-flow\">" + flow + "</div>";
  client += clients;
  if (!floating.empty()) client += "<div class=\"nuv-floating\">" + floating + "</div>";
  client += "</div>";
  return "<div class=\"nuv-edges\">" + tops + "<div class=\"nuv-middle\">" + lefts + client + rights + "</div>" +
         bottoms + "</div>";
}

std::string TWbHtmlPainter::Container(const TJson& control) const {
  return "<div class=\"nuv-container\"" + ViewPartAttributes(control, "") + ">" + Children(control) + "</div>";
}

std::string TWbHtmlPainter::Label(const TJson& label) const {
  std::string css = TextStyle(label);
  if (label.value("Underline", false)) {
    css += "text-decoration:underline;";
    if (const std::string color = CssColor(Field(label, "UnderlineColor")); !color.empty())
      css += "text-decoration-color:" + color + ";";
  }
  return "<span class=\"nuv-label\"" + ViewPartAttributes(label, "click") + StyleAttribute(css) + ">" + Text(label) +
         "</span>";
}

std::string TWbHtmlPainter::CheckBox(const TJson& box) const {
  const std::string state = box.value("State", std::string("cbUnchecked"));
  return "<span class=\"nuv-check nuv-" + state.substr(2) + "\" data-state=\"" + HtmlEscape(state) + "\"" +
         ViewPartAttributes(box, "click") + StyleAttribute(TextStyle(box)) + "><span class=\"nuv-checkmark\"></span>" +
         Text(box) + "</span>";
}

std::string TWbHtmlPainter::RadioButton(const TJson& button) const {
  const bool checked = button.value("Checked", false);
  return std::string("<span class=\"nuv-radio") + (checked ? " nuv-on" : "") + "\" data-checked=\"" +
         (checked ? "true" : "false") + "\"" + ViewPartAttributes(button, "click") + StyleAttribute(TextStyle(button)) +
         "><span class=\"nuv-dot\"></span>" + Text(button) + "</span>";
}

std::string TWbHtmlPainter::Link(const TJson& link) const {
  return "<span class=\"nuv-link\"" + ViewPartAttributes(link, "click") + StyleAttribute(TextStyle(link)) + ">" +
         Image(Field(link, "ImageFile")) + Text(link) + "</span>";
}

std::string TWbHtmlPainter::OtherControl(const TJson& control) const {
  return "<span class=\"nuv-control\" title=\"" + Text(control, "Class") + "\"" + ViewPartAttributes(control, "click") +
         ">" + Text(control) + "</span>";
}

std::string TWbHtmlPainter::Image(const TJson& file) const {
  return file.is_string() ? ImageHtml(file.get<std::string>(), FOptions.BaseDir) : "";
}

std::string TWbHtmlPainter::Command(const TJson& viewPart, const std::string& line) const {
  if (!FOptions.Interactive || !viewPart.is_string()) return "";
  return " data-command=\"" + HtmlEscape(line) + "\"";
}

// data-viewpart names the view part whose control this is; verb, when given, is the script
// command a click on it stands for.
std::string TWbHtmlPainter::ViewPartAttributes(const TJson& control, const std::string& verb) const {
  const TJson& viewPart = Field(control, "ViewPart");
  if (!viewPart.is_string()) return "";
  const std::string name = viewPart.get<std::string>();
  std::string attributes = " data-viewpart=\"" + HtmlEscape(name) + "\"";
  if (!verb.empty()) attributes += Command(viewPart, verb + " " + ScriptArg(name));
  return attributes;
}

const TJson* TWbHtmlPainter::Named(const TJson& name) const {
  if (!name.is_string()) return nullptr;
  auto it = FNamed.find(name.get<std::string>());
  return it == FNamed.end() ? nullptr : it->second;
}
