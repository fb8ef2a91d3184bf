#include "WbHtmlRender.h"

#include "WbHtmlPainter.h"
#include "WbHtmlText.h"

namespace {

// The look of every drawn control; scoped to .nuv-window so that a page can hold other things.
const char* const KStyle = R"css(
.nuv-window{display:flex;flex-direction:column;box-sizing:border-box;border:1px solid #6d6d6d;background:#f0f0f0;
  font:8pt Tahoma,Verdana,sans-serif;color:#000;box-shadow:0 2px 8px rgba(0,0,0,.25);overflow:hidden}
.nuv-window *{box-sizing:border-box}
.nuv-window .nuv-titlebar{padding:4px 8px;background:#99b4d1;font-weight:bold;white-space:nowrap}
.nuv-window .nuv-body,.nuv-window .nuv-edges,.nuv-window .nuv-fill,.nuv-window .nuv-container,
.nuv-window .nuv-panel-body{display:flex;flex-direction:column;flex:1 1 auto;min-height:0;min-width:0}
.nuv-window .nuv-middle{display:flex;flex-direction:row;flex:1 1 auto;min-height:0}
.nuv-window .nuv-client{display:flex;flex-direction:column;flex:1 1 auto;position:relative;min-width:0}
.nuv-window .nuv-flow{display:flex;flex-direction:column;align-items:flex-start;gap:6px;padding:8px}
.nuv-window .nuv-floating{position:absolute;top:8px;right:8px;display:flex;flex-direction:column;gap:8px;z-index:2}
.nuv-window .nuv-floating-window{border:1px solid #6d6d6d;background:#f0f0f0;box-shadow:0 2px 6px rgba(0,0,0,.3)}
.nuv-window .nuv-dock{display:flex;flex-direction:column;background:#e8e8e8;padding:1px}
.nuv-window .nuv-dock-Left,.nuv-window .nuv-dock-Right{flex-direction:row}
.nuv-window .nuv-dock-row{display:flex;flex-direction:row;gap:2px;padding:1px}
.nuv-window .nuv-dock-Left>.nuv-dock-row,.nuv-window .nuv-dock-Right>.nuv-dock-row{flex-direction:column}
.nuv-window .nuv-toolbar{display:flex;flex-direction:column;border:1px solid #c8c8c8;background:#f7f7f7}
.nuv-window .nuv-toolbar.nuv-fullsize{flex:1 1 auto}
.nuv-window .nuv-items{display:flex;flex-direction:row;align-items:center;padding:1px 2px}
.nuv-window .nuv-vertical .nuv-items{flex-direction:column;align-items:stretch}
.nuv-window .nuv-item{display:inline-flex;align-items:center;gap:3px;padding:3px 6px;border:1px solid transparent;white-space:nowrap}
.nuv-window .nuv-item:hover{border-color:#3399ff;background:#cce4f7}
.nuv-window .nuv-toggle.nuv-pressed{border-color:#3399ff;background:#b6d7f5;box-shadow:inset 1px 1px 2px rgba(0,0,0,.2)}
.nuv-window .nuv-separator{align-self:stretch;width:1px;margin:2px 3px;background:#a0a0a0}
.nuv-window .nuv-vertical .nuv-separator{width:auto;height:1px}
.nuv-window .nuv-marker{font-size:80%;margin-left:2px}
.nuv-window .nuv-submenu{position:relative;display:inline-flex}
.nuv-window .nuv-menu{display:none;position:absolute;top:100%;left:0;z-index:3;flex-direction:column;align-items:stretch;
  background:#fff;border:1px solid #a0a0a0;box-shadow:2px 2px 4px rgba(0,0,0,.2);padding:2px}
.nuv-window .nuv-menu .nuv-separator{width:auto;height:1px}
.nuv-window .nuv-submenu:hover>.nuv-menu,.nuv-window .nuv-submenu:focus-within>.nuv-menu{display:flex}
.nuv-window .nuv-control-item{display:inline-flex;align-items:center;padding:0 4px}
.nuv-window .nuv-panel{display:flex;flex-direction:column;border:1px solid #b4b4b4;background:#fff;min-height:60px;flex:1 1 auto}
.nuv-window .nuv-dock-Top .nuv-panel,.nuv-window .nuv-dock-Bottom .nuv-panel,.nuv-window .nuv-floating .nuv-panel{flex:0 0 auto}
.nuv-window .nuv-vertical-caption{flex-direction:row}
.nuv-window .nuv-caption{display:flex;align-items:center;gap:4px;padding:2px 4px;background:#d7e4f2;border-bottom:1px solid #b4b4b4}
.nuv-window .nuv-vertical-caption>.nuv-caption{writing-mode:vertical-rl;transform:rotate(180deg);border-bottom:0;border-left:1px solid #b4b4b4}
.nuv-window .nuv-caption-text{flex:1 1 auto;font-weight:bold;white-space:nowrap;overflow:hidden;text-overflow:ellipsis}
.nuv-window .nuv-close{padding:0 3px;font-weight:bold;border:1px solid transparent}
.nuv-window .nuv-close:hover{border-color:#a0a0a0;background:#e0e0e0}
.nuv-window .nuv-panel-body{padding:4px}
.nuv-window .nuv-label,.nuv-window .nuv-link,.nuv-window .nuv-check,.nuv-window .nuv-radio,.nuv-window .nuv-control{
  display:inline-flex;align-items:center;gap:4px;white-space:nowrap}
.nuv-window .nuv-fill>.nuv-label,.nuv-window .nuv-panel-body .nuv-label{display:block}
.nuv-window .nuv-link:hover{text-decoration:underline}
.nuv-window .nuv-checkmark{display:inline-block;width:13px;height:13px;border:1px solid #333;background:#fff;position:relative}
.nuv-window .nuv-Checked .nuv-checkmark::after{content:"";position:absolute;left:3px;top:0;width:4px;height:8px;
  border:solid #000;border-width:0 2px 2px 0;transform:rotate(45deg)}
.nuv-window .nuv-Grayed .nuv-checkmark::after{content:"";position:absolute;left:2px;top:2px;width:7px;height:7px;background:#808080}
.nuv-window .nuv-dot{display:inline-block;width:13px;height:13px;border:1px solid #333;border-radius:50%;background:#fff;position:relative}
.nuv-window .nuv-on .nuv-dot::after{content:"";position:absolute;left:3px;top:3px;width:5px;height:5px;border-radius:50%;background:#000}
.nuv-window .nuv-image{width:16px;height:16px;flex:0 0 16px;object-fit:contain}
.nuv-window .nuv-image-missing{display:inline-block;border:1px dashed #c00;background:repeating-linear-gradient(45deg,#fdd 0 3px,#fff 3px 6px)}
.nuv-window .nuv-statusbar{display:flex;flex-direction:row;align-items:stretch;gap:2px;padding:2px;background:#f0f0f0;border-top:1px solid #c8c8c8;min-height:22px}
.nuv-window .nuv-status-panel{display:flex;align-items:center;gap:4px;padding:1px 4px;overflow:hidden;white-space:nowrap;min-width:0}
.nuv-window .nuv-status-panel.nuv-framed{border:1px solid;border-color:#a0a0a0 #fff #fff #a0a0a0}
.nuv-window .nuv-panel-text{overflow:hidden}
.nuv-window .nuv-ellipsis{text-overflow:ellipsis}
.nuv-window .nuv-simple-text{flex:1 1 auto;padding:1px 4px}
.nuv-window .nuv-sizegrip{flex:0 0 12px;align-self:flex-end;height:12px;background:linear-gradient(135deg,transparent 50%,#a0a0a0 50%,#a0a0a0 60%,transparent 60%,transparent 70%,#a0a0a0 70%,#a0a0a0 80%,transparent 80%)}
.nuv-window [data-command]{cursor:pointer}
)css";

}  // namespace

std::string RenderWindowFragment(const nlohmann::json& window, const TWbRenderOptions& options) {
  return std::string("<style>") + KStyle + "</style>\n" + TWbHtmlPainter(window, options).Window() + "\n";
}

std::string RenderWindowPage(const nlohmann::json& window, const TWbRenderOptions& options) {
  return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
         HtmlEscape(window.value("Name", std::string("Workbench"))) +
         "</title>\n<style>body{margin:16px;background:#fff}</style>\n</head>\n<body>\n" +
         RenderWindowFragment(window, options) + "</body>\n</html>\n";
}
