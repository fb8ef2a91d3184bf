// Script commands of the keyboard: `key KEY`, a key pressed in the window, and `focus VP`, the focus
// given to a view part's control as a click gives it.
#include "WbErrors.h"
#include "WbScriptCommands.h"

void PressKey(TWbScriptContext& context, const TWbScriptArgs& args) {
  TKeyStroke stroke;
  if (!ParseKeyStroke(args[0], stroke))
    throw EWbScriptError("'" + args[0] +
                         "' is no key: a key is Tab, Enter, Space, Escape, Left, Right, Up, Down, Home, End, F10, "
                         "Alt or one character, after modifiers such as Shift+, Alt+ or Ctrl+");
  context.App.Form().KeyDown(stroke.Key, stroke.Shift);
}

void FocusControl(TWbScriptContext& context, const TWbScriptArgs& args) {
  TControl& control = context.App.GestureControlOf(args[0]);
  auto* windowed = KindCast<TWinControl>(&control);
  if (!windowed || !windowed->CanFocus())
    throw EWbScriptError("view part '" + args[0] + "' cannot take the focus: its " + control.ClassName() +
                         (windowed ? " is hidden or disabled, or lies in a control that is" : " has no window"));
  windowed->SetFocus();
}
