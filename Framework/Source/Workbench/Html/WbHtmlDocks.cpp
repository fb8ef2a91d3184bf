// Dockable windows' frames, and toolbars with their items, at the toolkit's numbers.
#include "WbHtmlPainter.h"
#include "WbHtmlText.h"

using TJson = nlohmann::json;
using namespace WbHtmlKinds;
using namespace WbHtmlBoxes;

namespace {

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
  const std::string caption = StringField(items[index], "Caption");
  bool first = !caption.empty() && caption[0] != '#' && caption.find('/') == std::string::npos;
  for (size_t i = 0; first && i < index; ++i)
    first = !(items[i].value("Visible", false) && StringField(items[i], "Caption") == caption);
  return first ? caption : "#" + std::to_string(index);
}

std::string JoinPath(const std::string& path, const std::string& step) {
  return path.empty() ? step : path + "/" + step;
}

bool IsSeparator(const TJson& item) { return StringField(item, "Class").find("Separator") != std::string::npos; }
bool IsSubmenu(const TJson& item) {
  return !Field(item, "Items").empty() || StringField(item, "Class").find("Submenu") != std::string::npos;
}

TJson WholeBox(const TJson& control) {
  return TJson::array({0, 0, control.value("Width", 0), control.value("Height", 0)});
}

bool AcrossTheDock(const std::string& position) { return position == "dpLeft" || position == "dpRight"; }

}  // namespace

TJson TWbHtmlPainter::NamingViewPart(const TJson& control) const {
  if (Field(control, "ViewPart").is_string()) return Field(control, "ViewPart");
  TJson found;
  FChildren.ForEach(control, [&](const TJson& child) {
    found = NamingViewPart(child);
    return !found.is_string();
  });
  return found.is_string() ? found : TJson();
}

// The border, the caption bar with its close button, the drag handle and the resize edge.
std::string TWbHtmlPainter::Frame(const TJson& window, const TJson* dock) const {
  const TJson viewPart = NamingViewPart(window);
  const TJson& frame = Field(window, "Frame");
  std::string html;
  if (const int border = frame.value("Border", 0); border > 0)
    html += Part("nuv-frame", WholeBox(window), "", "box-shadow:inset 0 0 0 " + std::to_string(border) + "px #a0a0a0;");
  const bool vertical = frame.value("CaptionVertical", false);
  const std::string name = viewPart.is_string() ? ScriptArg(viewPart.get<std::string>()) : "";
  // A drag on the caption or the handle moves the window (drag-start VP X Y, the page adds where);
  // a double-click docks or floats it.
  const std::string drag = Command(viewPart, "drag-start " + name, "data-drag-command") +
                           Command(viewPart, "dblclick-caption " + name, "data-dblclick-command");
  html += Part(vertical ? "nuv-caption nuv-caption-vertical" : "nuv-caption", Field(frame, "Caption"),
               "<span class=\"nuv-caption-text\">" + HtmlEscape(StringField(window, "Text")) + "</span>", "", drag);
  html += Part("nuv-close", Field(frame, "CloseButton"), "&#215;", "", Command(viewPart, "click-close " + name));
  html += Part("nuv-handle", Field(frame, "DragHandle"), "", "", drag);
  return html + ResizeEdge(window, dock, viewPart) + FloatingBorders(window, viewPart);
}

// A floating panel that resizes: a drag on its border resizes it (float and resize-floating).
std::string TWbHtmlPainter::FloatingBorders(const TJson& window, const TJson& viewPart) const {
  if (!window.value("Floating", false) || !window.value("ResizesWhenFloating", false) || !viewPart.is_string())
    return "";
  return Part("nuv-floating-border", WholeBox(window), "", "",
              Command(viewPart, ScriptArg(viewPart.get<std::string>()), "data-floating-resize"));
}

// A drag on it sends "resize-docked VP SIZE"; the page reads the edge's side and the panel's
// thickness from data-dock and data-size.
std::string TWbHtmlPainter::ResizeEdge(const TJson& window, const TJson* dock, const TJson& viewPart) const {
  const TJson& edge = Field(Field(window, "Frame"), "ResizeEdge");
  const std::string position = dock ? StringField(*dock, "Position") : "";
  if (position.empty() || !viewPart.is_string()) return Part("nuv-resize", edge);
  const int size = window.value(AcrossTheDock(position) ? "DockedWidth" : "DockedHeight", 0);
  return Part(
      "nuv-resize", edge, "", "",
      Command(viewPart, "resize-docked " + ScriptArg(viewPart.get<std::string>()), "data-resize-command") +
          (FOptions.Interactive ? " data-dock=\"" + position + "\" data-size=\"" + std::to_string(size) + "\"" : ""));
}

// Top-level items at their bounds; a control item's control is a child of the toolbar and draws
// as one.
std::string TWbHtmlPainter::Items(const TJson& toolbar, const TJson* parent) const {
  const TJson& items = Field(toolbar, "Items");
  std::string html;
  for (size_t i = 0; i < items.size(); ++i)
    if (items[i].value("Visible", false) && !IsEmpty(Field(items[i], "Bounds")))
      html += Item(items[i], toolbar, parent, PathStep(items, i), i);
  return html;
}

std::string TWbHtmlPainter::Item(const TJson& item, const TJson& toolbar, const TJson* parent, const std::string& path,
                                 size_t index) const {
  const TJson& bounds = Field(item, "Bounds");
  const std::string place = BoundsAttribute(bounds) + " style=\"" + BoxCss(bounds);
  if (IsSeparator(item)) {
    const bool across = bounds[2].get<int>() > bounds[3].get<int>();
    return "<div class=\"nuv-item nuv-separator" + std::string(across ? " nuv-across" : "") + "\"" + place +
           "\"></div>";
  }
  if (item.contains("Control") && !item.contains("FontSettings")) return "";
  const std::string name = StringField(toolbar, "ViewPart");
  if (item.contains("FontSettings")) {
    // A multi-dock's toggle button: the script names it by the multi-dock's view part, the dock's.
    const bool pressed = item.value("Checked", false);
    const TJson& viewPart = parent ? Field(*parent, "ViewPart") : Field(toolbar, "ViewPart");
    const std::string owner = viewPart.is_string() ? viewPart.get<std::string>() : "";
    return std::string("<div class=\"nuv-item nuv-toggle") + (pressed ? " nuv-pressed" : "") + "\" data-checked=\"" +
           (pressed ? "true" : "false") + "\"" +
           Command(viewPart, "click-toggle " + ScriptArg(owner) + " " + std::to_string(index)) + place +
           FontSettingsCss(Field(item, "FontSettings")) + "\">" + ItemParts(item) + "</div>";
  }
  // The keyboard on this toolbar highlights the item, and may have opened its menu.
  std::vector<int> keyboard = KeyboardPath(toolbar);
  const bool hot = !keyboard.empty() && keyboard.front() == static_cast<int>(index);
  keyboard.erase(keyboard.begin(), keyboard.begin() + (hot ? 1 : static_cast<long>(keyboard.size())));
  const std::string state = std::string(hot ? " nuv-hot" : "") + (hot && !keyboard.empty() ? " nuv-open" : "") + "\"" +
                            TitleAttribute(StringField(item, "Hint"));
  if (IsSubmenu(item))
    return "<div class=\"nuv-item nuv-submenu" + state + " tabindex=\"0\"" + place + "\">" + ItemParts(item) +
           Menu(Field(item, "Items"), toolbar, path, keyboard) + "</div>";
  return "<div class=\"nuv-item" + state +
         Command(Field(toolbar, "ViewPart"), "click-item " + ScriptArg(name) + " " + ScriptArg(path)) + place + "\">" +
         ItemParts(item) + "</div>";
}

std::vector<int> TWbHtmlPainter::KeyboardPath(const TJson& toolbar) const {
  const TJson& keyboard = Field(FWindow, "ToolbarKeyboard");
  std::vector<int> path;
  if (!keyboard.is_object() || Field(keyboard, "Toolbar") != Field(toolbar, "Name")) return path;
  for (const auto& index : Field(keyboard, "Indexes"))
    if (index.is_number_integer()) path.push_back(index.get<int>());
  return path;
}

// Image, caption and arrow, in the item's own box.
std::string TWbHtmlPainter::ItemParts(const TJson& item) const {
  const TJson& bounds = Field(item, "Bounds");
  const TJson& parts = Field(item, "Parts");
  std::string html = Image(Field(item, "ImageFile"), Relative(Field(parts, "Image"), bounds));
  const TJson caption = Relative(Field(parts, "Caption"), bounds);
  const std::string text = CaptionHtml(StringField(item, "Caption"));
  html += Part("nuv-item-caption", caption, text, "line-height:" + std::to_string(caption[3].get<int>()) + "px;");
  html += Part("nuv-arrow", Relative(Field(parts, "Arrow"), bounds), "&#9662;");
  return html;
}

// A submenu's popup: it shows on hover, apart from the window's layout, as a column of its visible
// items.
std::string TWbHtmlPainter::Menu(const TJson& items, const TJson& toolbar, const std::string& path,
                                 const std::vector<int>& keyboard) const {
  const std::string name = StringField(toolbar, "ViewPart");
  std::string html = "<div class=\"nuv-menu\">";
  for (size_t i = 0; i < items.size(); ++i) {
    const TJson& item = items[i];
    if (!item.value("Visible", false)) continue;
    const std::string itemPath = JoinPath(path, PathStep(items, i));
    const TJson& file = Field(item, "ImageFile");
    const std::string image = file.is_string() ? ImageHtml(file.get<std::string>(), FOptions.BaseDir) : "";
    const bool hot = !keyboard.empty() && keyboard.front() == static_cast<int>(i);
    const std::vector<int> below = hot ? std::vector<int>(keyboard.begin() + 1, keyboard.end()) : std::vector<int>();
    const std::string state = std::string(hot ? " nuv-hot" : "") + (!below.empty() ? " nuv-open" : "") + "\"" +
                              TitleAttribute(StringField(item, "Hint"));
    const std::string caption = "<span>" + CaptionHtml(StringField(item, "Caption")) + "</span>";
    if (IsSeparator(item))
      html += "<div class=\"nuv-menu-separator\"></div>";
    else if (IsSubmenu(item))
      html += "<div class=\"nuv-menu-entry nuv-submenu" + state + " tabindex=\"0\">" + image + caption +
              Menu(Field(item, "Items"), toolbar, itemPath, below) + "</div>";
    else
      html += "<div class=\"nuv-menu-entry" + state +
              Command(Field(toolbar, "ViewPart"), "click-item " + ScriptArg(name) + " " + ScriptArg(itemPath)) + ">" +
              image + caption + "</div>";
  }
  return html + "</div>";
}
