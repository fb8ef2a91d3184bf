#include "WbHtmlPainter.h"

#include "WbHtmlText.h"

using TJson = nlohmann::json;

namespace WbHtmlKinds {
bool IsDock(const TJson& control) { return control.contains("Position") && control.contains("LimitToOneRow"); }
bool IsDockableWindow(const TJson& control) { return control.contains("DockMode"); }
bool IsToolbar(const TJson& control) { return IsDockableWindow(control) && control.contains("Items"); }
bool IsStatusBar(const TJson& control) { return control.contains("Panels"); }
bool IsCheckBox(const TJson& control) { return control.contains("State"); }
bool IsRadioButton(const TJson& control) { return control.contains("GroupIndex") && control.contains("Checked"); }
bool IsLink(const TJson& control) { return control.contains("ImageRect"); }
bool IsTextObject(const TJson& control) { return control.contains("Lines"); }
}  // namespace WbHtmlKinds

namespace WbHtmlBoxes {

namespace {
int At(const TJson& rect, size_t index) {
  return rect.is_array() && rect.size() == 4 && rect[index].is_number_integer() ? rect[index].get<int>() : 0;
}
}  // namespace

std::string BoxCss(const TJson& rect) {
  return "left:" + std::to_string(At(rect, 0)) + "px;top:" + std::to_string(At(rect, 1)) +
         "px;width:" + std::to_string(At(rect, 2)) + "px;height:" + std::to_string(At(rect, 3)) + "px;";
}

std::string BoundsAttribute(const TJson& rect) {
  return " data-bounds=\"" + std::to_string(At(rect, 0)) + "," + std::to_string(At(rect, 1)) + "," +
         std::to_string(At(rect, 2)) + "," + std::to_string(At(rect, 3)) + "\"";
}

bool IsEmpty(const TJson& rect) { return At(rect, 2) <= 0 || At(rect, 3) <= 0; }

TJson Relative(const TJson& rect, const TJson& origin) {
  return TJson::array({At(rect, 0) - At(origin, 0), At(rect, 1) - At(origin, 1), At(rect, 2), At(rect, 3)});
}

std::string Part(const std::string& cssClass, const TJson& rect, const std::string& inner, const std::string& css,
                 const std::string& attributes) {
  if (IsEmpty(rect)) return "";
  return "<div class=\"nuv-part " + cssClass + "\"" + attributes + " style=\"" + BoxCss(rect) + css + "\">" + inner +
         "</div>";
}

}  // namespace WbHtmlBoxes

using namespace WbHtmlKinds;
using namespace WbHtmlBoxes;

namespace {

TJson ControlBounds(const TJson& control) {
  return TJson::array(
      {control.value("Left", 0), control.value("Top", 0), control.value("Width", 0), control.value("Height", 0)});
}

std::string KindClass(const TJson& control) {
  if (IsDock(control)) return "nuv-dock";
  if (IsToolbar(control)) return "nuv-toolbar";
  if (IsDockableWindow(control)) return "nuv-panel";
  if (IsStatusBar(control)) return "nuv-statusbar";
  if (IsCheckBox(control)) {
    const std::string state = StringField(control, "State");  // cbChecked -> nuv-Checked
    return "nuv-check nuv-" + (state.size() > 2 ? state.substr(2) : "Unchecked");
  }
  if (IsRadioButton(control)) return control.value("Checked", false) ? "nuv-radio nuv-on" : "nuv-radio";
  if (IsLink(control)) return "nuv-link";
  if (control.contains("Underline")) return "nuv-label";
  if (IsTextObject(control)) return "nuv-text";
  return "nuv-container";
}

// Font, colours and alignment of the text controls; the lines inherit them.
std::string TextCss(const TJson& control) {
  std::string css = FontCss(Field(control, "Font"));
  if (const std::string back = CssColor(Field(control, "Color")); !back.empty()) css += "background:" + back + ";";
  const std::string alignment = StringField(control, "Alignment");
  if (alignment == "taRightJustify") css += "text-align:right;";
  if (alignment == "taCenter") css += "text-align:center;";
  if (control.value("Underline", false)) {
    css += "text-decoration:underline;";
    if (const std::string color = CssColor(Field(control, "UnderlineColor")); !color.empty())
      css += "text-decoration-color:" + color + ";";
  }
  return css;
}

bool Floating(const TJson& control) { return control.value("Floating", false); }

}  // namespace

TWbHtmlPainter::TWbHtmlPainter(const TJson& window, const TWbRenderOptions& options, const TWbHtmlChildren& children)
    : FWindow(window), FOptions(options), FChildren(children) {}

// The title bar stands above the window's own rectangle, which starts at 0,0 below it.
void TWbHtmlPainter::Window(std::ostream& out) const {
  const std::string width = std::to_string(FWindow.value("Width", 0));
  const std::string height = std::to_string(FWindow.value("Height", 0));
  out << "<div class=\"nuv-window\" style=\"width:" << width << "px\"><div class=\"nuv-titlebar\">"
      << HtmlEscape(StringField(FWindow, "Name")) << "</div><div class=\"nuv-body\" style=\"width:" << width
      << "px;height:" << height << "px\">";
  Control(out, FWindow, nullptr);
  out << DragOutline() << WindowGrip() << "</div></div>";
}

std::string TWbHtmlPainter::DragOutline() const {
  const TJson& drag = Field(FWindow, "Drag");
  if (!drag.is_object()) return "";
  return Part("nuv-drag-outline", Field(drag, "Outline"));
}

// The page resizes the window by its bottom-right corner (resize-window W H).
std::string TWbHtmlPainter::WindowGrip() const {
  if (!FOptions.Interactive) return "";
  const int width = FWindow.value("Width", 0), height = FWindow.value("Height", 0);
  const TJson& least = Field(FWindow, "MinimumSize");
  return Part("nuv-window-grip", TJson::array({width - 12, height - 12, 12, 12}), "", "",
              " data-window-resize=\"" + std::to_string(width) + "," + std::to_string(height) + "\"" +
                  (least.is_array() && least.size() == 2 ? " data-minimum=\"" + std::to_string(least[0].get<int>()) +
                                                               "," + std::to_string(least[1].get<int>()) + "\""
                                                         : ""));
}

void TWbHtmlPainter::Control(std::ostream& out, const TJson& control, const TJson* parent) const {
  if (!control.value("Visible", false)) return;
  out << Opening(control) << Content(control, parent);
  Children(out, control);
  out << "</div>";
}

std::string TWbHtmlPainter::Opening(const TJson& control) const {
  const TJson& focused = Field(FWindow, "Focused");
  const bool hasFocus = focused.is_string() && focused == Field(control, "Name");
  std::string html = "<div class=\"nuv-c " + KindClass(control) + (Floating(control) ? " nuv-floating" : "") +
                     (hasFocus ? " nuv-focused" : "") + "\"" + TitleAttribute(StringField(control, "Hint"));
  if (IsCheckBox(control)) html += " data-state=\"" + HtmlEscape(StringField(control, "State")) + "\"";
  if (IsRadioButton(control))
    html += std::string(" data-checked=\"") + (control.value("Checked", false) ? "true" : "false") + "\"";
  const TJson& viewPart = Field(control, "ViewPart");
  if (viewPart.is_string()) {
    const std::string name = ScriptArg(viewPart.get<std::string>());
    html += " data-viewpart=\"" + HtmlEscape(viewPart.get<std::string>()) + "\"";
    if (IsTextObject(control))
      html += Command(viewPart, "click " + name) + Command(viewPart, "dblclick " + name, "data-dblclick-command");
    html += Command(viewPart, "popup " + name, "data-popup-command");
  }
  if (const std::string name = StringField(control, "Name"); !name.empty())
    html += " data-name=\"" + HtmlEscape(name) + "\"";
  const TJson bounds = ControlBounds(control);
  html += BoundsAttribute(bounds) + " style=\"" + BoxCss(bounds);
  if (IsTextObject(control)) html += TextCss(control);
  return html + "\">";
}

std::string TWbHtmlPainter::Content(const TJson& control, const TJson* parent) const {
  if (IsToolbar(control)) return Frame(control, parent) + Items(control, parent);
  if (IsDockableWindow(control)) return Frame(control, parent);
  if (IsStatusBar(control)) return StatusBar(control);
  if (IsDock(control)) return "";
  std::string html;
  if (IsCheckBox(control)) html += Glyph(control, "nuv-checkmark");
  if (IsRadioButton(control)) html += Glyph(control, "nuv-dot");
  if (IsLink(control)) html += Image(Field(control, "ImageFile"), Field(control, "ImageRect"));
  if (IsTextObject(control)) html += TextLines(control);
  return html;
}

// The client area is written with the first child that shows; none shows without one.
void TWbHtmlPainter::Children(std::ostream& out, const TJson& control) const {
  bool opened = false;
  FChildren.ForEach(control, [&](const TJson& child) {
    if (!child.value("Visible", false)) return true;
    if (!opened) out << "<div class=\"nuv-client\" style=\"" << BoxCss(Field(control, "ClientRect")) << "\">";
    opened = true;
    Control(out, child, &control);
    return true;
  });
  if (opened) out << "</div>";
}

// One box per line, a line height apart, from the top of the text rectangle.
std::string TWbHtmlPainter::TextLines(const TJson& control) const {
  const TJson& rect = Field(control, "TextRect");
  if (!rect.is_array() || rect.size() != 4) return "";
  const int lineHeight = Field(control, "Font").value("LineHeight", 0);
  std::string html;
  int top = rect[1].get<int>();
  std::vector<std::string> lines;
  for (const auto& line : Field(control, "Lines")) lines.push_back(line.is_string() ? line.get<std::string>() : "");
  // The lines are shown text; an access key is found in them from the caption as configured.
  const std::string caption = Field(control, "AccessKey").is_string() ? StringField(control, "Text") : "";
  for (size_t i = 0; i < lines.size(); ++i) {
    const TJson box = TJson::array({rect[0], top, rect[2], lineHeight});
    html += Part("nuv-line", box, caption.empty() ? HtmlEscape(lines[i]) : CaptionLineHtml(caption, lines, i));
    top += lineHeight;
  }
  return html;
}

std::string TWbHtmlPainter::Glyph(const TJson& control, const char* kind) const {
  return Part(kind, Field(control, "GlyphRect"));
}

std::string TWbHtmlPainter::Image(const TJson& file, const TJson& rect) const {
  if (!file.is_string() || IsEmpty(rect)) return "";
  return Part("nuv-image-part", rect, ImageHtml(file.get<std::string>(), FOptions.BaseDir));
}

std::string TWbHtmlPainter::Command(const TJson& viewPart, const std::string& line, const char* attribute) const {
  if (!FOptions.Interactive || !viewPart.is_string()) return "";
  return std::string(" ") + attribute + "=\"" + HtmlEscape(line) + "\"";
}
