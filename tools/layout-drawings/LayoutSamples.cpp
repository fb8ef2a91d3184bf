#include "LayoutSamples.h"

#include <memory>

#include "TbxDockablePanels.h"
#include "TbxDocks.h"
#include "TbxStackPanels.h"
#include "TbxStatusBars.h"
#include "TbxTextObjects.h"
#include "TbxToolbars.h"

namespace {

// A window of the given size that holds what the sample puts into it; children go first.
struct TSampleWindow {
  explicit TSampleWindow(TSize size) { Window.SetBounds(0, 0, size.Width, size.Height); }
  ~TSampleWindow() {
    while (!Owned.empty()) Owned.pop_back();
  }
  template <class T>
  T& Make(TWinControl* parent) {
    auto control = std::make_unique<T>(nullptr);
    T& made = *control;
    Owned.push_back(std::move(control));
    if (parent) made.SetParent(parent);
    return made;
  }
  TSvgDrawing Draw(const std::string& title) {
    TSvgDrawing drawing(title, Window.GetBoundsRect().Size());
    drawing.AddControlTree(Window);
    return drawing;
  }
  TWinControl Window{nullptr};
  TCustomImageList Images{nullptr};
  std::vector<std::unique_ptr<TControl>> Owned;
};

TTBCustomItem& AddItem(TTBCustomToolbar& toolbar, TTBCustomItem* item, const std::string& caption, int image = -1) {
  item->SetCaption(caption);
  item->SetImageIndex(image);
  toolbar.Items()->Add(item);
  return *item;
}

void AddButtons(TTBCustomToolbar& toolbar, std::initializer_list<const char*> captions) {
  for (const char* caption : captions) AddItem(toolbar, new TTBXItem(&toolbar), caption);
}

TSvgDrawing Labels() {
  TSampleWindow sample({260, 60});
  auto& autoSized = sample.Make<TTBXLabel>(&sample.Window);
  autoSized.SetText("An auto-sized label");
  autoSized.SetBounds(4, 4, 0, 0);
  auto& wrapped = sample.Make<TTBXLabel>(&sample.Window);
  wrapped.SetWrapping(twWrap);
  wrapped.SetAutoSize(false);
  wrapped.SetText("A wrapped label breaks its text at spaces");
  wrapped.SetBounds(140, 4, 110, 50);
  return sample.Draw("Labels: auto-sized, and wrapped in a fixed width");
}

TSvgDrawing Links() {
  TSampleWindow sample({240, 48});
  sample.Images.Add("help.png");
  auto& withImage = sample.Make<TTBXLink>(&sample.Window);
  withImage.SetImages(&sample.Images);
  withImage.SetImageIndex(0);
  withImage.SetText("Read the manual");
  withImage.SetBounds(4, 4, 0, 0);
  auto& plain = sample.Make<TTBXLink>(&sample.Window);
  plain.SetText("A plain link");
  plain.SetBounds(4, 28, 0, 0);
  return sample.Draw("Links: image, gap and text; text alone");
}

TSvgDrawing Buttons() {
  TSampleWindow sample({220, 44});
  auto& box = sample.Make<TTBXCheckBox>(&sample.Window);
  box.SetText("Word wrap");
  box.SetBounds(4, 4, 0, 0);
  auto& radio = sample.Make<TTBXRadioButton>(&sample.Window);
  radio.SetText("Large icons");
  radio.SetBounds(110, 4, 0, 0);
  auto& tall = sample.Make<TTBXCheckBox>(&sample.Window);
  tall.SetText("In a taller box");
  tall.SetAutoSize(false);
  tall.SetBounds(4, 22, 120, 20);
  return sample.Draw("Check box and radio button: glyph, gap and text, both in the middle");
}

TSvgDrawing Toolbar(TTBDockPosition position, bool floating, const std::string& title) {
  const bool side = position == dpLeft || position == dpRight;
  TSampleWindow sample(side ? TSize{120, 200} : TSize{320, 60});
  sample.Images.Add("new.png");
  sample.Images.Add("open.png");
  TTBXDock* dock = nullptr;
  if (!floating) {
    dock = &sample.Make<TTBXDock>(&sample.Window);
    dock->SetPosition(position);
  }
  auto& toolbar = sample.Make<TTBXToolbar>(floating ? &sample.Window : dock);
  toolbar.SetText("Main");
  toolbar.SetImages(&sample.Images);
  toolbar.BeginUpdate();
  AddItem(toolbar, new TTBXItem(&toolbar), "New", 0);
  AddItem(toolbar, new TTBXItem(&toolbar), "", 1);
  toolbar.Items()->Add(new TTBXSeparatorItem(&toolbar));
  auto& format = AddItem(toolbar, new TTBXSubmenuItem(&toolbar), "Format");
  auto* bold = new TTBXItem(&toolbar);
  bold->SetCaption("Bold");
  format.Add(bold);
  auto& page = sample.Make<TTBXLabel>(nullptr);
  page.SetText("Page 1");
  toolbar.Items()->Add(new TTBControlItem(&toolbar, &page));
  toolbar.EndUpdate();
  if (floating) toolbar.SetBounds(8, 8, toolbar.GetWidth(), toolbar.GetHeight());
  return sample.Draw(title);
}

TSvgDrawing DockRows() {
  TSampleWindow sample({320, 90});
  auto& dock = sample.Make<TTBXDock>(&sample.Window);
  dock.SetBoundLines({blBottom});
  auto& first = sample.Make<TTBXToolbar>(&dock);
  AddButtons(first, {"New", "Open"});
  auto& second = sample.Make<TTBXToolbar>(&dock);
  AddButtons(second, {"Cut", "Copy", "Paste"});
  auto& full = sample.Make<TTBXToolbar>(&dock);
  AddButtons(full, {"Row 1, full size"});
  full.SetDockRow(1);
  full.SetFullSize(true);
  return sample.Draw("A top dock: row 0 holds two toolbars by DockPos, row 1 a FullSize one");
}

TTBXDockablePanel& Panel(TSampleWindow& sample, TWinControl* parent, const std::string& caption) {
  auto& panel = sample.Make<TTBXDockablePanel>(parent);
  panel.SetText(caption);
  panel.SetDockedWidth(120);
  panel.SetDockedHeight(70);
  auto& content = sample.Make<TTBXLabel>(&panel);
  content.SetText(caption + " content");
  content.SetAlign(alClient);
  return panel;
}

TSvgDrawing DockedPanels() {
  TSampleWindow sample({330, 200});
  auto& top = sample.Make<TTBXDock>(&sample.Window);
  auto& left = sample.Make<TTBXDock>(&sample.Window);
  left.SetPosition(dpLeft);
  auto& side = Panel(sample, &left, "Files");
  side.SetCloseButtonWhenDocked(true);
  auto& across = Panel(sample, &top, "Output");
  across.SetDockedHeight(60);
  return sample.Draw("Docked panels: DockedWidth across a left dock, DockedHeight across a top one");
}

TSvgDrawing FloatingPanel() {
  TSampleWindow sample({220, 140});
  auto& panel = Panel(sample, &sample.Window, "Properties");
  panel.SetBounds(8, 8, panel.GetWidth(), panel.GetHeight());
  return sample.Draw("A floating panel: border, caption bar, close button, DockedWidth × DockedHeight inside");
}

TSvgDrawing MultiDock() {
  TSampleWindow sample({240, 180});
  auto& dock = sample.Make<TTBXMultiDock>(&sample.Window);
  dock.SetPosition(dpLeft);
  dock.SetAllowDrag(false);
  auto& toggles = sample.Make<TTBXToolbar>(&dock);
  toggles.SetFullSize(true);
  auto& files = Panel(sample, &dock, "Files");
  files.SetDockRow(1);
  auto& search = Panel(sample, &dock, "Search");
  search.SetDockRow(1);
  search.Hide();
  for (TTBXDockablePanel* panel : {&files, &search}) {
    auto* toggle = new TTBXVisibilityToggleItem(&toggles);
    toggle->SetCaption(panel->GetText());
    toggle->SetControl(panel);
    toggles.Items()->Add(toggle);
  }
  return sample.Draw("A multi-dock panel: its toggle buttons in row 0, the shown panel in row 1");
}

TSvgDrawing StatusBar() {
  TSampleWindow sample({400, 60});
  sample.Images.Add("caps.png");
  auto& bar = sample.Make<TTBXStatusBar>(&sample.Window);
  bar.SetImages(&sample.Images);
  auto* message = bar.Panels().Add();
  message->SetCaption("Ready");
  message->SetSize(60);
  message->SetStretchPriority(1);
  auto* position = bar.Panels().Add();
  position->SetCaption("Ln 12, Col 4");
  position->SetSize(90);
  position->SetImageIndex(0);
  auto* caps = bar.Panels().Add();
  caps->SetSize(70);
  auto& box = sample.Make<TTBXCheckBox>(nullptr);
  box.SetText("CAPS");
  caps->SetControl(&box);
  return sample.Draw("A status bar: panels by Size and StretchPriority, a control filling its panel, the size grip");
}

TSvgDrawing Stack() {
  TSampleWindow sample({300, 170});
  auto& window = sample.Make<TStackPanel>(&sample.Window);
  window.SetAlign(alClient);
  auto& dock = sample.Make<TTBXDock>(&window);
  auto& toolbar = sample.Make<TTBXToolbar>(&dock);
  AddButtons(toolbar, {"New", "Open"});
  for (const char* caption : {"Document name:", "Untitled 1"}) {
    auto& label = sample.Make<TTBXLabel>(&window);
    label.SetText(caption);
  }
  auto& client = sample.Make<TStackPanel>(&window);
  client.SetAlign(alClient);
  auto& text = sample.Make<TTBXLabel>(&client);
  text.SetText("The client area takes the rest");
  return sample.Draw("The runner's window: edges, then a column of the other controls, then the client area");
}

}  // namespace

const std::vector<TLayoutSample>& LayoutSamples() {
  static const std::vector<TLayoutSample> samples{
      {"labels", "Labels", Labels},
      {"links", "Links", Links},
      {"buttons", "Check boxes and radio buttons", Buttons},
      {"toolbar-top", "Toolbar on a top dock",
       [] { return Toolbar(dpTop, false, "A toolbar docked at the top: drag handle, border, items left to right"); }},
      {"toolbar-left", "Toolbar on a left dock",
       [] {
         return Toolbar(dpLeft, false, "A toolbar docked at the left: items top to bottom, as wide as the widest");
       }},
      {"toolbar-floating", "Floating toolbar",
       [] { return Toolbar(dpTop, true, "A floating toolbar: border, caption bar with close button, items"); }},
      {"dock-rows", "Dock rows", DockRows},
      {"panels-docked", "Docked panels", DockedPanels},
      {"panel-floating", "Floating panel", FloatingPanel},
      {"multidock", "Multi-dock panel", MultiDock},
      {"statusbar", "Status bar", StatusBar},
      {"window", "The runner's window", Stack},
  };
  return samples;
}
