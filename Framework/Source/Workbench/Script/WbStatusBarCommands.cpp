// Script commands for the user's clicks on status panels: `click-panel VP INDEX` and
// `dblclick-panel VP INDEX`, with INDEX counted from 0.
#include "TbxStatusBars.h"
#include "WbErrors.h"
#include "WbScriptCommands.h"

namespace {

TTBXCustomStatusBar& StatusBarOf(TWbApplication& app, const std::string& viewPart) {
  auto* bar = KindCast<TTBXCustomStatusBar>(&app.GestureControlOf(viewPart));
  if (!bar) throw EWbScriptError("the control of view part '" + viewPart + "' is no status bar");
  return *bar;
}

int PanelIndex(const TTBXCustomStatusBar& bar, const std::string& viewPart, const std::string& text) {
  const int index = ScriptCountArg(text, "panel index");
  if (index >= bar.Panels().Count())
    throw EWbScriptError("the status bar of view part '" + viewPart + "' has no panel " + text + " (it has " +
                         std::to_string(bar.Panels().Count()) + ")");
  return index;
}

using TPanelGesture = void (TTBXCustomStatusBar::*)(int);

void OnPanel(TWbScriptContext& context, const TWbScriptArgs& args, TPanelGesture gesture) {
  TTBXCustomStatusBar& bar = StatusBarOf(context.App, args[0]);
  (bar.*gesture)(PanelIndex(bar, args[0], args[1]));
}

}  // namespace

void ClickPanel(TWbScriptContext& context, const TWbScriptArgs& args) {
  OnPanel(context, args, &TTBXCustomStatusBar::PanelClick);
}

void DblClickPanel(TWbScriptContext& context, const TWbScriptArgs& args) {
  OnPanel(context, args, &TTBXCustomStatusBar::PanelDblClick);
}
