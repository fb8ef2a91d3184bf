// Script commands for the gestures of a living window: resizing it (`resize-window W H`),
// docking and floating toolbars and panels (`drag-toolbar`, `dock`, `float`, `dblclick-caption`,
// `resize-floating`) and a drag step by step (`drag-start`, `drag-move`, `drag-end`,
// `drag-cancel`), as the native window's pointer does them. Positions are in the window's
// coordinates; what the settings forbid is refused by the toolkit with EDockError.
#include "TbxForms.h"
#include "TbxToolbars.h"
#include "WbErrors.h"
#include "WbScriptCommands.h"

namespace {

// Docking moves a window whatever its view part has wired, as the native window does: the work
// item need not run.
TTBCustomDockableWindow& GestureWindowOf(TWbApplication& app, const std::string& viewPart) {
  return DockableWindowOf(app, viewPart);
}

TTBDock& DockOf(TWbApplication& app, const std::string& viewPart) {
  TControl& control = app.ControlOf(viewPart);
  TTBDock* dock = KindCast<TTBDock>(&control);
  if (!dock) throw EWbScriptError("view part '" + viewPart + "' is no dock: its control is a " + control.ClassName());
  return *dock;
}

TPoint PointArgs(const std::string& x, const std::string& y) { return {ScriptIntArg(x, "x"), ScriptIntArg(y, "y")}; }

void DockAt(TWbScriptContext& context, TTBCustomDockableWindow& window, const TWbScriptArgs& args) {
  TTBDock& dock = DockOf(context.App, args[1]);
  window.DockTo(dock, ScriptCountArg(args[2], "row"), ScriptIntArg(args[3], "position"));
}

}  // namespace

void ResizeWindow(TWbScriptContext& context, const TWbScriptArgs& args) {
  context.App.Form().Resize(ScriptCountArg(args[0], "width"), ScriptCountArg(args[1], "height"));
}

// The user drags a toolbar by its handle into a dock's row, at a position along it.
void DragToolbar(TWbScriptContext& context, const TWbScriptArgs& args) {
  TTBCustomDockableWindow& window = GestureWindowOf(context.App, args[0]);
  if (!KindCast<TTBCustomToolbar>(&window))
    throw EWbScriptError(WindowName(window, args[0]) + " is no toolbar (drag a panel with dock or float)");
  DockAt(context, window, args);
}

// The user drags a toolbar or panel over a dock and lets it go there.
void DockWindow(TWbScriptContext& context, const TWbScriptArgs& args) {
  DockAt(context, GestureWindowOf(context.App, args[0]), args);
}

void FloatWindow(TWbScriptContext& context, const TWbScriptArgs& args) {
  GestureWindowOf(context.App, args[0]).FloatAt(PointArgs(args[1], args[2]));
}

void DblClickCaption(TWbScriptContext& context, const TWbScriptArgs& args) {
  TTBCustomDockableWindow& window = GestureWindowOf(context.App, args[0]);
  if (window.CaptionDblClick()) return;
  const std::string why =
      window.GetFloating()
          ? (window.GetLastDock() ? window.DockRefusal(*window.GetLastDock()) : "it has not floated out of a dock")
          : (window.GetDblClickUndock() ? window.FloatRefusal() : "its DblClickUnDock is False");
  throw EWbScriptError("a double-click on the caption of " + WindowName(window, args[0]) + " does nothing: " + why);
}

// The user drags the borders of a floating panel until it is W x H; its top-left corner stays.
void ResizeFloating(TWbScriptContext& context, const TWbScriptArgs& args) {
  TTBCustomDockableWindow& window = GestureWindowOf(context.App, args[0]);
  const TRect at = window.GetBoundsRect();
  window.ResizeFloating({at.Left, at.Top, ScriptCountArg(args[1], "width"), ScriptCountArg(args[2], "height")});
}

// The press of a drag, on the drag handle or the caption bar of VP's window.
void DragStart(TWbScriptContext& context, const TWbScriptArgs& args) {
  TTBCustomDockableWindow& window = GestureWindowOf(context.App, args[0]);
  const TPoint point = PointArgs(args[1], args[2]);
  const TRect at = window.GetWindowRect();
  const TDockableHit hit = window.HitTest({point.X - at.Left, point.Y - at.Top});
  if (hit != dhCaption && hit != dhDragHandle)
    throw EWbScriptError(std::to_string(point.X) + "," + std::to_string(point.Y) +
                         " is not on the drag handle or caption bar of " + WindowName(window, args[0]) + " (it is on " +
                         EnumIdentifier(hit) + ")");
  context.App.Form().BeginDockDrag(window, point);
}

void DragMove(TWbScriptContext& context, const TWbScriptArgs& args) {
  context.App.Form().DockDragTo(PointArgs(args[0], args[1]));
}

void DragEnd(TWbScriptContext& context, const TWbScriptArgs&) { context.App.Form().EndDockDrag(); }

void DragCancel(TWbScriptContext& context, const TWbScriptArgs&) {
  if (!context.App.Form().GetDockDrag()) throw EWbScriptError("no window is being dragged");
  context.App.Form().CancelDockDrag();
}
