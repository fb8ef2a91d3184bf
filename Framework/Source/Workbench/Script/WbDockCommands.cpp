// Script commands for the frame of dockable windows, the gestures of the native window's frame:
// `click-close VP` and `resize-docked VP SIZE`.
#include "TbxDockablePanels.h"
#include "WbErrors.h"
#include "WbScriptCommands.h"

TTBCustomDockableWindow& DockableWindowOf(TWbApplication& app, const std::string& viewPart) {
  TControl& control = app.ControlOf(viewPart);
  for (TControl* around = &control; around; around = around->GetParent())
    if (auto* window = KindCast<TTBCustomDockableWindow>(around)) return *window;
  throw EWbScriptError("the control of view part '" + viewPart + "', a " + control.ClassName() +
                       ", is no dockable window and lies in none");
}

std::string WindowName(const TTBCustomDockableWindow& window, const std::string& viewPart) {
  return "the " + window.ClassName() + " of view part '" + viewPart + "'";
}

// Like the native window's close button: the window hides, and a multi-dock's toggle button with it.
void ClickClose(TWbScriptContext& context, const TWbScriptArgs& args) {
  TTBCustomDockableWindow& window = DockableWindowOf(context.App, args[0]);
  if (window.GetFrame().CloseButton.Empty())
    throw EWbScriptError(WindowName(window, args[0]) + " shows no close button");
  window.Hide();
}

// The user drags the resize edge of a docked panel until the panel is SIZE thick: its width in a
// left or right dock, its height in a top or bottom one.
void ResizeDocked(TWbScriptContext& context, const TWbScriptArgs& args) {
  TTBCustomDockableWindow& window = DockableWindowOf(context.App, args[0]);
  const int size = ScriptCountArg(args[1], "size");
  auto* panel = KindCast<TTBXCustomDockablePanel>(&window);
  const TTBDock* dock = window.GetCurrentDock();
  if (!panel || !dock || window.GetFrame().ResizeEdge.Empty())
    throw EWbScriptError(WindowName(window, args[0]) + " shows no resize edge: only a docked, resizable panel has one");
  if (dock->GetPosition() == dpLeft || dock->GetPosition() == dpRight)
    panel->SetDockedWidth(size);
  else
    panel->SetDockedHeight(size);
}
