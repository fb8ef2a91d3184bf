// The window as an HTML picture: the control tree of a dump drawn with inline CSS, every element
// placed absolutely where the toolkit put it.
#pragma once

#include <nlohmann/json.hpp>

#include <string>

struct TWbRenderOptions {
  std::string BaseDir;       // where image files are looked up
  bool Interactive = false;  // add data-command="<script command line>" to clickable elements:
                             // "click VP", "click-item VP PATH", "click-panel VP N", "click-toggle VP N",
                             // "click-close VP"; data-dblclick-command and data-popup-command for a
                             // double-click and a right-click; data-resize-command="resize-docked VP"
                             // with data-dock and data-size on a docked panel's resize edge
};

// A <style> block and one <div class="nuv-window">...</div>; window is the root of a dump.
std::string RenderWindowFragment(const nlohmann::json& window, const TWbRenderOptions& options);
// A whole self-contained HTML document around the fragment.
std::string RenderWindowPage(const nlohmann::json& window, const TWbRenderOptions& options);
