// Draws the controls of one dumped window as HTML. Each kind of control is recognised by the
// properties its writer dumps, so subclasses (TNUVRadioButton, ...) draw like their base class.
#pragma once

#include <nlohmann/json.hpp>

#include <string>
#include <unordered_map>
#include <unordered_set>

#include "WbHtmlRender.h"

class TWbHtmlPainter {
 public:
  using TJson = nlohmann::json;

  TWbHtmlPainter(const TJson& window, const TWbRenderOptions& options);
  // <div class="nuv-window">: a title bar and the window's children.
  std::string Window() const;

 private:
  // One control and what it holds; "" for an invisible one. dock: the dock it lies in, if any.
  std::string Control(const TJson& control, const TJson* dock = nullptr) const;
  // The children of a container, placed at its edges by their Align, in order.
  std::string Children(const TJson& container) const;
  std::string Container(const TJson& control) const;
  std::string Label(const TJson& label) const;
  std::string CheckBox(const TJson& box) const;
  std::string RadioButton(const TJson& button) const;
  std::string Link(const TJson& link) const;
  std::string OtherControl(const TJson& control) const;

  // WbHtmlDocks.cpp
  std::string Dock(const TJson& dock) const;
  std::string DockablePanel(const TJson& panel, const TJson* dock) const;
  std::string Toolbar(const TJson& toolbar, const TJson* dock) const;
  std::string Items(const TJson& items, const TJson& toolbar, const TJson* dock, const std::string& path) const;
  std::string Item(const TJson& item, const TJson& toolbar, const TJson* dock, const std::string& path,
                   size_t index) const;
  std::string ToggleItem(const TJson& item, const TJson* dock, size_t index) const;

  // WbHtmlStatusBar.cpp
  std::string StatusBar(const TJson& bar) const;
  std::string StatusPanel(const TJson& panel, const TJson& bar, size_t index) const;

  // Shared forms.
  std::string Image(const TJson& file) const;  // "" for null
  // ' data-command="line"' when interactive and the line has a view part, else "".
  std::string Command(const TJson& viewPart, const std::string& line) const;
  std::string ViewPartAttributes(const TJson& control, const std::string& verb) const;
  const TJson* Named(const TJson& name) const;
  void IndexControls(const TJson& control);

  const TJson& FWindow;
  const TWbRenderOptions& FOptions;
  std::unordered_map<std::string, const TJson*> FNamed;
  // Controls that toolbar items and status panels draw in their place, not in their parent.
  std::unordered_set<std::string> FHosted;
};

// The kinds of dumped controls, recognised by their writers' properties.
namespace WbHtmlKinds {
bool IsDock(const nlohmann::json& control);
bool IsDockableWindow(const nlohmann::json& control);
bool IsToolbar(const nlohmann::json& control);
}  // namespace WbHtmlKinds
