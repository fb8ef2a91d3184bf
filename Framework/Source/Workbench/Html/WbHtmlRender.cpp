#include "WbHtmlRender.h"

#include <sstream>

#include "WbHtmlPainter.h"
#include "WbHtmlText.h"

namespace {

// The look of every drawn control; scoped to .nuv-window so that a page can hold other things.
const char* const KStyle = R"css(
.nuv-window{display:inline-block;border:1px solid #6d6d6d;background:#f0f0f0;color:#000;
  font:11px 'DejaVu Sans',Tahoma,sans-serif;line-height:14px;box-shadow:0 2px 8px rgba(0,0,0,.25)}
.nuv-window *{box-sizing:border-box}
.nuv-window .nuv-titlebar{height:24px;padding:4px 8px;background:#99b4d1;font-weight:bold;white-space:nowrap;overflow:hidden}
.nuv-window .nuv-body{position:relative;overflow:hidden}
.nuv-window .nuv-c,.nuv-window .nuv-client,.nuv-window .nuv-part,.nuv-window .nuv-item,
.nuv-window .nuv-status-panel{position:absolute;overflow:hidden}
/* a client area lets clicks through to its owner's items and parts; the controls in it take theirs */
.nuv-window .nuv-client{pointer-events:none}
.nuv-window .nuv-c{pointer-events:auto}
.nuv-window .nuv-c.nuv-floating{z-index:2;overflow:visible;box-shadow:0 2px 6px rgba(0,0,0,.3)}
.nuv-window .nuv-line,.nuv-window .nuv-item-caption,.nuv-window .nuv-panel-text{white-space:pre;overflow:hidden}
.nuv-window .nuv-panel-text{line-height:inherit;display:flex;align-items:center}
.nuv-window .nuv-dock{background:#e8e8e8}
.nuv-window .nuv-toolbar{background:#f7f7f7;box-shadow:inset 0 0 0 1px #c8c8c8;overflow:visible}
.nuv-window .nuv-panel{background:#fff}
.nuv-window .nuv-caption{background:#d7e4f2;font-weight:bold;padding:0 4px;display:flex;align-items:center}
.nuv-window .nuv-caption-vertical{writing-mode:vertical-rl;transform:rotate(180deg);padding:4px 0}
.nuv-window .nuv-caption-text{white-space:nowrap;overflow:hidden;text-overflow:ellipsis}
.nuv-window .nuv-close{text-align:center;line-height:11px;font-weight:bold;border:1px solid transparent;z-index:1}
.nuv-window .nuv-close:hover{border-color:#a0a0a0;background:#e0e0e0}
.nuv-window .nuv-handle{background:repeating-linear-gradient(180deg,#a0a0a0 0 1px,transparent 1px 3px);margin:3px 2px}
.nuv-window .nuv-resize{background:#dcdcdc}
.nuv-window .nuv-drag-outline{border:2px solid #1a73e8;background:rgba(26,115,232,.12);z-index:5;pointer-events:none}
.nuv-window .nuv-floating-border{pointer-events:none;box-shadow:inset 0 0 0 1px #808080}
.nuv-window .nuv-window-grip{z-index:4;cursor:nwse-resize;background:linear-gradient(135deg,transparent 55%,#a0a0a0 55% 62%,transparent 62% 75%,#a0a0a0 75% 82%,transparent 82%)}
.nuv-window .nuv-item{border:1px solid transparent}
.nuv-window .nuv-item:hover,.nuv-window .nuv-item.nuv-hot{border-color:#3399ff;background:#cce4f7}
.nuv-window .nuv-toggle.nuv-pressed{border-color:#3399ff;background:#b6d7f5}
.nuv-window .nuv-item.nuv-separator,.nuv-window .nuv-item.nuv-separator:hover{border:0;background:none}
.nuv-window .nuv-separator::after{content:"";position:absolute;left:50%;top:3px;bottom:3px;width:1px;background:#a0a0a0}
.nuv-window .nuv-separator.nuv-across::after{left:3px;right:3px;top:50%;bottom:auto;width:auto;height:1px}
.nuv-window .nuv-arrow{text-align:center;font-size:80%}
.nuv-window .nuv-submenu{overflow:visible}
.nuv-window .nuv-menu{display:none;position:absolute;top:100%;left:-1px;z-index:3;min-width:120px;background:#fff;
  border:1px solid #a0a0a0;box-shadow:2px 2px 4px rgba(0,0,0,.2);padding:2px}
.nuv-window .nuv-menu .nuv-menu{top:-3px;left:100%}
.nuv-window .nuv-submenu:hover>.nuv-menu,.nuv-window .nuv-submenu:focus-within>.nuv-menu,
.nuv-window .nuv-submenu.nuv-open>.nuv-menu{display:block}
.nuv-window .nuv-menu-entry{position:relative;display:flex;align-items:center;gap:4px;padding:3px 20px 3px 6px;white-space:nowrap}
.nuv-window .nuv-menu-entry:hover,.nuv-window .nuv-menu-entry.nuv-hot{background:#cce4f7}
.nuv-window .nuv-focused .nuv-line{outline:1px dotted #000;outline-offset:-1px}
.nuv-window .nuv-menu-separator{height:1px;margin:3px 2px;background:#a0a0a0}
.nuv-window .nuv-checkmark,.nuv-window .nuv-dot{border:1px solid #333;background:#fff}
.nuv-window .nuv-dot{border-radius:50%}
.nuv-window .nuv-Checked .nuv-checkmark::after{content:"";position:absolute;left:3px;top:0;width:4px;height:8px;
  border:solid #000;border-width:0 2px 2px 0;transform:rotate(45deg)}
.nuv-window .nuv-Grayed .nuv-checkmark::after{content:"";position:absolute;left:2px;top:2px;width:7px;height:7px;background:#808080}
.nuv-window .nuv-on .nuv-dot::after{content:"";position:absolute;left:3px;top:3px;width:5px;height:5px;border-radius:50%;background:#000}
.nuv-window .nuv-link{color:#0066cc}
.nuv-window .nuv-link:hover .nuv-line{text-decoration:underline}
.nuv-window .nuv-image{display:block;width:100%;height:100%;object-fit:contain}
.nuv-window .nuv-image-missing{border:1px dashed #c00;background:repeating-linear-gradient(45deg,#fdd 0 3px,#fff 3px 6px)}
.nuv-window .nuv-statusbar{background:#f0f0f0}
.nuv-window .nuv-status-line{background:#c8c8c8}
.nuv-window .nuv-status-panel.nuv-framed{box-shadow:inset 1px 1px 0 #a0a0a0,inset -1px -1px 0 #fff}
.nuv-window .nuv-sizegrip{background:linear-gradient(135deg,transparent 50%,#a0a0a0 50%,#a0a0a0 60%,transparent 60%,transparent 70%,#a0a0a0 70%,#a0a0a0 80%,transparent 80%)}
.nuv-window [data-command]{cursor:pointer}
.nuv-window [data-resize-command]{cursor:ew-resize}
.nuv-window [data-resize-command][data-dock=dpTop],.nuv-window [data-resize-command][data-dock=dpBottom]{cursor:ns-resize}
)css";

}  // namespace

void TWbHtmlChildren::ForEach(const nlohmann::json& control, const TEach& each) const {
  for (const auto& child : Field(control, "Controls"))
    if (!each(child)) return;
}

namespace {

void WriteFragment(std::ostream& out, const nlohmann::json& window, const TWbRenderOptions& options,
                   const TWbHtmlChildren& children) {
  out << "<style>" << KStyle << "</style>\n";
  TWbHtmlPainter(window, options, children).Window(out);
  out << "\n";
}

}  // namespace

std::string RenderWindowFragment(const nlohmann::json& window, const TWbRenderOptions& options) {
  std::ostringstream out;
  WriteFragment(out, window, options, TWbHtmlChildren());
  return out.str();
}

void WriteWindowPage(std::ostream& out, const nlohmann::json& window, const TWbRenderOptions& options,
                     const TWbHtmlChildren& children) {
  out << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>"
      << HtmlEscape(window.value("Name", std::string("Workbench")))
      << "</title>\n<style>body{margin:16px;background:#fff}</style>\n</head>\n<body>\n";
  WriteFragment(out, window, options, children);
  out << "</body>\n</html>\n";
}

std::string RenderWindowPage(const nlohmann::json& window, const TWbRenderOptions& options) {
  std::ostringstream out;
  WriteWindowPage(out, window, options, TWbHtmlChildren());
  return out.str();
}
