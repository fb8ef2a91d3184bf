// The window as an HTML picture: the control tree of a dump drawn with inline CSS, every element
// placed absolutely where the toolkit put it.
#pragma once

#include <nlohmann/json.hpp>

#include <functional>
#include <ostream>
#include <string>

struct TWbRenderOptions {
  std::string BaseDir;       // where image files are looked up
  bool Interactive = false;  // add data-command="<script command line>" to clickable elements:
                             // "click VP", "click-item VP PATH", "click-panel VP N", "click-toggle VP N",
                             // "click-close VP"; data-dblclick-command and data-popup-command for a
                             // double-click and a right-click; data-resize-command="resize-docked VP"
                             // with data-dock and data-size on a docked panel's resize edge
};

// Where the picture finds the children of a dumped control. This one reads the dump's "Controls",
// a whole tree in memory; a subclass can make each child's node as it is drawn and drop it after,
// so that a large window is never held whole.
class TWbHtmlChildren {
 public:
  // each(child) for the children of control in order, until it returns false; child lives for
  // the call.
  using TEach = std::function<bool(const nlohmann::json& child)>;
  virtual ~TWbHtmlChildren() = default;
  virtual void ForEach(const nlohmann::json& control, const TEach& each) const;
};

// A <style> block and one <div class="nuv-window">...</div>; window is the root of a dump.
std::string RenderWindowFragment(const nlohmann::json& window, const TWbRenderOptions& options);
// A whole self-contained HTML document around the fragment, written to out as it is drawn.
void WriteWindowPage(std::ostream& out, const nlohmann::json& window, const TWbRenderOptions& options,
                     const TWbHtmlChildren& children);
std::string RenderWindowPage(const nlohmann::json& window, const TWbRenderOptions& options);
