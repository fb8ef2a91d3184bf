// Draws the controls of one dumped window as HTML. Every element stands where the toolkit put it
// (position:absolute at the dumped numbers, written on it as data-bounds="L,T,W,H"); the picture
// does no layout of its own. Each kind of control is recognised by the properties its writer
// dumps, so subclasses (TNUVRadioButton, ...) draw like their base class.
#pragma once

#include <nlohmann/json.hpp>

#include <ostream>
#include <string>
#include <vector>

#include "WbHtmlRender.h"

class TWbHtmlPainter {
 public:
  using TJson = nlohmann::json;

  // children: where each control's children come from (TWbHtmlChildren: the dump's "Controls").
  TWbHtmlPainter(const TJson& window, const TWbRenderOptions& options, const TWbHtmlChildren& children);
  // <div class="nuv-window">: a title bar and the window's control, written as it is drawn.
  void Window(std::ostream& out) const;
  // Where a dragged window would land, over everything; "" while nothing is dragged.
  std::string DragOutline() const;
  std::string WindowGrip() const;

 private:
  // One control, its parts and its children; nothing for an invisible one. parent: the control it
  // lies in, if any.
  void Control(std::ostream& out, const TJson& control, const TJson* parent) const;
  // What a control of each kind draws inside its own box, before its children.
  std::string Content(const TJson& control, const TJson* parent) const;
  // The children, in the control's client rectangle.
  void Children(std::ostream& out, const TJson& control) const;
  // class, state and view part attributes, and the script command a click on it stands for.
  std::string Opening(const TJson& control) const;
  std::string TextLines(const TJson& control) const;
  std::string Glyph(const TJson& control, const char* kind) const;

  // WbHtmlDocks.cpp
  std::string Frame(const TJson& window, const TJson* dock) const;
  std::string FloatingBorders(const TJson& window, const TJson& viewPart) const;
  // The resize edge of a docked panel, which a drag resizes.
  std::string ResizeEdge(const TJson& window, const TJson* dock, const TJson& viewPart) const;
  std::string Items(const TJson& toolbar, const TJson* parent) const;
  std::string Item(const TJson& item, const TJson& toolbar, const TJson* parent, const std::string& path,
                   size_t index) const;
  // keyboard: the indexes of the items the keyboard highlights in this menu and the menus it opened
  // below; empty when it is elsewhere.
  std::string Menu(const TJson& items, const TJson& toolbar, const std::string& path,
                   const std::vector<int>& keyboard) const;
  // The indexes of the items the keyboard highlights on the toolbar and in its open menus; empty
  // when the keyboard is not on it.
  std::vector<int> KeyboardPath(const TJson& toolbar) const;
  std::string ItemParts(const TJson& item) const;

  // WbHtmlStatusBar.cpp
  std::string StatusBar(const TJson& bar) const;
  std::string StatusPanel(const TJson& panel, const TJson& bar, size_t index) const;

  // Shared forms.
  // An image drawn in rect; "" for a null file.
  std::string Image(const TJson& file, const TJson& rect) const;
  // ' data-command="line"' (or another attribute) when interactive and the line has a view part,
  // else "".
  std::string Command(const TJson& viewPart, const std::string& line, const char* attribute = "data-command") const;

  // The view part that names a dockable window in a script: its own, else the first one shown in
  // it (a multi-dock's panels have none of their own); null when there is none.
  TJson NamingViewPart(const TJson& control) const;

  const TJson& FWindow;
  const TWbRenderOptions& FOptions;
  const TWbHtmlChildren& FChildren;
};

// The kinds of dumped controls, recognised by their writers' properties.
namespace WbHtmlKinds {
bool IsDock(const nlohmann::json& control);
bool IsDockableWindow(const nlohmann::json& control);
bool IsToolbar(const nlohmann::json& control);
bool IsStatusBar(const nlohmann::json& control);
bool IsCheckBox(const nlohmann::json& control);
bool IsRadioButton(const nlohmann::json& control);
bool IsLink(const nlohmann::json& control);
bool IsTextObject(const nlohmann::json& control);
}  // namespace WbHtmlKinds

// Placement: "left:Lpx;top:Tpx;width:Wpx;height:Hpx;" of a dumped [L, T, W, H], and the
// data-bounds attribute that carries the same numbers.
namespace WbHtmlBoxes {
std::string BoxCss(const nlohmann::json& rect);
std::string BoundsAttribute(const nlohmann::json& rect);
bool IsEmpty(const nlohmann::json& rect);
// rect moved to the coordinates of a box whose corner stands at origin ([L, T, ...]).
nlohmann::json Relative(const nlohmann::json& rect, const nlohmann::json& origin);
// A part of a control: <div class="nuv-part cssClass" style="box + css">inner</div>; "" for an
// empty rectangle.
std::string Part(const std::string& cssClass, const nlohmann::json& rect, const std::string& inner = "",
                 const std::string& css = "", const std::string& attributes = "");
}  // namespace WbHtmlBoxes
