#include "SvgDrawing.h"

#include <algorithm>
#include <map>

#include "TbxDockablePanels.h"
#include "TbxDocks.h"
#include "TbxStatusBars.h"
#include "TbxTextMetrics.h"
#include "TbxTextObjects.h"
#include "TbxToolbars.h"

namespace {

constexpr int Scale = 2;        // the drawing shows every pixel as two
constexpr int Margin = 12;      // around the window
constexpr int LegendLine = 16;  // one legend entry per line, below the window
constexpr int LegendFont = 12;

std::string Escape(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    if (c == '&')
      escaped += "&amp;";
    else if (c == '<')
      escaped += "&lt;";
    else if (c == '>')
      escaped += "&gt;";
    else if (c == '"')
      escaped += "&quot;";
    else
      escaped += c;
  }
  return escaped;
}

const std::map<std::string, std::string>& Colours() {
  static const std::map<std::string, std::string> colours{
      {"control", "#1f5fbf"}, {"item", "#2e8b57"}, {"part", "#c0392b"}, {"text", "#8e44ad"}};
  return colours;
}

std::string RectText(const TRect& r) {
  return std::to_string(r.Left) + "," + std::to_string(r.Top) + " " + std::to_string(r.Width) + "×" +
         std::to_string(r.Height);
}

TRect Offset(TRect r, TPoint origin) { return r.Offset(origin.X, origin.Y); }

std::string Label(const TControl& control) {
  return control.ClassName() + (control.GetName().empty() ? "" : " " + control.GetName());
}

// A text in its rectangle: from the left edge, or bottom to top in an upright caption bar.
std::string PartText(const TDrawnPart& part) {
  const TRect& r = part.Bounds;
  const std::string size = "\" font-size=\"" + std::to_string(std::max(1, part.FontPixels)) + "\"";
  if (part.Name.find("(vertical)") != std::string::npos) {
    const std::string x = std::to_string(r.Left + r.Width / 2), y = std::to_string(r.Top + r.Height / 2);
    return "<text x=\"" + x + "\" y=\"" + y + "\" transform=\"rotate(-90 " + x + " " + y +
           ")\" text-anchor=\"middle\" dominant-baseline=\"middle" + size + ">" + Escape(part.Text) + "</text>\n";
  }
  return "<text x=\"" + std::to_string(r.Left) + "\" y=\"" + std::to_string(r.Top + r.Height / 2) +
         "\" dominant-baseline=\"middle" + size + ">" + Escape(part.Text) + "</text>\n";
}

}  // namespace

void TSvgDrawing::AddControlTree(const TControl& root) { AddParts(root, {0, 0}); }

// origin: where the control's parent's client area starts in the window.
void TSvgDrawing::AddParts(const TControl& control, TPoint origin) {
  if (!control.GetVisible()) return;
  const TRect bounds = Offset(control.GetBoundsRect(), origin);
  const TPoint corner{bounds.Left, bounds.Top};
  AddPart(Label(control), bounds, "control");
  const int pixels = TextMetrics().Resolve(control.Font()).PixelSize;
  if (const auto* text = dynamic_cast<const TTBXTextObject*>(&control)) {
    const auto lines = text->GetTextLines();
    std::string joined;
    for (const auto& line : lines) joined += (joined.empty() ? "" : " / ") + line;
    AddPart("text", Offset(text->GetTextRect(), corner), "text", joined, pixels);
  }
  if (const auto* box = dynamic_cast<const TTBXCustomCheckBox*>(&control))
    AddPart("glyph", Offset(box->GetGlyphRect(), corner), "part");
  if (const auto* radio = dynamic_cast<const TTBXCustomRadioButton*>(&control))
    AddPart("glyph", Offset(radio->GetGlyphRect(), corner), "part");
  if (const auto* link = dynamic_cast<const TTBXCustomLink*>(&control))
    AddPart("image", Offset(link->GetImageRect(), corner), "part");
  if (const auto* window = dynamic_cast<const TTBCustomDockableWindow*>(&control)) {
    const TDockableFrame frame = window->GetFrame();
    AddPart(frame.CaptionVertical ? "caption bar (vertical)" : "caption bar", Offset(frame.Caption, corner), "part",
            window->GetText(), pixels);
    AddPart("close button", Offset(frame.CloseButton, corner), "part");
    AddPart("drag handle", Offset(frame.DragHandle, corner), "part");
    AddPart("resize edge", Offset(frame.ResizeEdge, corner), "part");
  }
  if (const auto* toolbar = dynamic_cast<const TTBCustomToolbar*>(&control)) {
    for (int i = 0; i < toolbar->Items()->Count(); ++i) {
      const TTBCustomItem& item = *toolbar->Items()->GetItem(i);
      const std::string caption = item.GetCaption().empty() ? item.ClassName() : item.GetCaption();
      AddPart("item " + caption, Offset(item.GetBounds(), corner), "item");
      const TTBItemParts parts = toolbar->GetItemParts(item);
      AddPart("image", Offset(parts.Image, corner), "part");
      AddPart("caption", Offset(parts.Caption, corner), "text", item.GetCaption(), pixels);
      AddPart("arrow", Offset(parts.Arrow, corner), "part");
    }
  }
  if (const auto* bar = dynamic_cast<const TTBXCustomStatusBar*>(&control)) {
    for (int i = 0; i < bar->Panels().Count(); ++i) {
      const TTBXStatusPanel& panel = *bar->Panels().GetItem(i);
      AddPart("panel " + std::to_string(i), Offset(panel.GetBounds(), corner), "item");
      AddPart("image", Offset(panel.GetImageRect(), corner), "part");
      if (!panel.GetControl())
        AddPart("text", Offset(panel.GetTextRect(), corner), "text", panel.GetDisplayText(), pixels);
    }
    AddPart("size grip", Offset(bar->GetSizeGripRect(), corner), "part");
  }
  if (const auto* parent = dynamic_cast<const TWinControl*>(&control)) {
    const TRect client = parent->GetClientRect();
    const TPoint inner{corner.X + client.Left, corner.Y + client.Top};
    for (int i = 0; i < parent->GetControlCount(); ++i) AddParts(*parent->GetControl(i), inner);
  }
}

std::string TSvgDrawing::Svg() const {
  std::vector<const TDrawnPart*> shown;
  for (const auto& part : FParts)
    if (!part.Bounds.Empty()) shown.push_back(&part);
  const int width = std::max(FWindow.Width * Scale + 2 * Margin, 420);
  const int pictureHeight = FWindow.Height * Scale + 2 * Margin + 20;
  const int height = pictureHeight + static_cast<int>(shown.size()) * LegendLine + Margin;
  std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(width) + "\" height=\"" +
                    std::to_string(height) + "\" font-family=\"DejaVu Sans, sans-serif\">\n";
  svg += "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
  svg += "<text x=\"" + std::to_string(Margin) + "\" y=\"16\" font-size=\"13\" font-weight=\"bold\">" + Escape(FTitle) +
         "</text>\n";
  svg += "<g transform=\"translate(" + std::to_string(Margin) + " " + std::to_string(Margin + 20) + ") scale(" +
         std::to_string(Scale) + ")\">\n";
  svg += "<rect width=\"" + std::to_string(FWindow.Width) + "\" height=\"" + std::to_string(FWindow.Height) +
         "\" fill=\"#f0f0f0\"/>\n";
  for (size_t i = 0; i < shown.size(); ++i) {
    const TDrawnPart& part = *shown[i];
    const TRect& r = part.Bounds;
    const std::string colour = Colours().at(part.Kind);
    svg += "<rect x=\"" + std::to_string(r.Left) + "\" y=\"" + std::to_string(r.Top) + "\" width=\"" +
           std::to_string(r.Width) + "\" height=\"" + std::to_string(r.Height) + "\" fill=\"" + colour +
           "\" fill-opacity=\"0.06\" stroke=\"" + colour + "\" stroke-width=\"0.5\"/>\n";
    if (!part.Text.empty()) svg += PartText(part);
    svg += "<text x=\"" + std::to_string(r.Right() - 1) + "\" y=\"" + std::to_string(r.Top + 4) +
           "\" text-anchor=\"end\" font-size=\"4\" fill=\"" + colour + "\">" + std::to_string(i + 1) + "</text>\n";
  }
  svg += "</g>\n";
  for (size_t i = 0; i < shown.size(); ++i) {
    const TDrawnPart& part = *shown[i];
    svg += "<text x=\"" + std::to_string(Margin) + "\" y=\"" +
           std::to_string(pictureHeight + static_cast<int>(i) * LegendLine + LegendFont) + "\" font-size=\"" +
           std::to_string(LegendFont) + "\" fill=\"" + Colours().at(part.Kind) + "\">" + std::to_string(i + 1) + "  " +
           Escape(part.Name) + "  at " + RectText(part.Bounds) + "</text>\n";
  }
  return svg + "</svg>\n";
}
