// The events of the keyboard on the window: the focus moving from control to control, and the
// keyboard on a toolbar (keyboard-focus, toolbar-keyboard).
#include "WbApplication.h"

namespace {
TWbJson NameOrNull(const std::string& name) { return name.empty() ? TWbJson() : TWbJson(name); }
}  // namespace

void TWbApplication::ReportKeyboard() {
  // The controls Tab reaches: a press on a toolbar or a label moves the focus too, unannounced.
  FWindow->OnFocusChange = [this](TWinControl*, TWinControl& focused) {
    if (!focused.GetTabStop()) return;
    TWbJson event = NewEvent("keyboard-focus");
    event["control"] = focused.GetName();
    event["viewPart"] = NameOrNull(NamingViewPart(focused));
    FReporter.Emit(event);
  };
  FWindow->OnToolbarKeyboard = [this](TObject*) {
    const TToolbarKeyboard& keyboard = FWindow->ToolbarKeyboard();
    TWbJson event = NewEvent("toolbar-keyboard");
    TWbJson path = TWbJson::array();
    for (const TTBCustomItem* item : keyboard.Path()) path.push_back(item->GetCaption());
    event["toolbar"] = keyboard.Active() ? TWbJson(keyboard.Toolbar()->GetName()) : TWbJson();
    event["viewPart"] = keyboard.Active() ? NameOrNull(NamingViewPart(*keyboard.Toolbar())) : TWbJson();
    event["path"] = path;
    FReporter.Emit(event);
  };
}
