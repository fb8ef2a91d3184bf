// The events of the user's gestures on the window as a whole: resizing it, and docking and
// floating toolbars and panels (window-resize, dock, float).
#include "WbApplication.h"
#include "WbControlWriters.h"

namespace {

TWbJson NameOrNull(const std::string& name) { return name.empty() ? TWbJson() : TWbJson(name); }

TWbJson DockJson(const TTBDock* dock) { return dock ? TWbJson(dock->GetName()) : TWbJson(); }

std::string NamingViewPartIn(const TControl& control, const std::unordered_map<const TControl*, std::string>& owners) {
  if (auto owner = owners.find(&control); owner != owners.end()) return owner->second;
  if (const auto* windowed = KindCast<TWinControl>(&control))
    for (int i = 0; i < windowed->GetControlCount(); ++i)
      if (std::string name = NamingViewPartIn(*windowed->GetControl(i), owners); !name.empty()) return name;
  return {};
}

}  // namespace

void TWbApplication::ReportWindowGestures() {
  FWindow->OnResize = [this](TObject*) {
    TWbJson event = NewEvent("window-resize");
    event["width"] = FWindow->GetWidth();
    event["height"] = FWindow->GetHeight();
    FReporter.Emit(event);
  };
  FWindow->OnDock = [this](TTBCustomDockableWindow& window, TTBDock* from, TTBDock* to) {
    TWbJson event = NewEvent("dock");
    event["control"] = window.GetName();
    event["viewPart"] = NameOrNull(NamingViewPart(window));
    event["from"] = DockJson(from);
    event["to"] = DockJson(to);
    event["row"] = window.GetDockRow();
    event["pos"] = window.GetDockPos();
    FReporter.Emit(event);
  };
  FWindow->OnFloat = [this](TTBCustomDockableWindow& window) {
    TWbJson event = NewEvent("float");
    event["control"] = window.GetName();
    event["viewPart"] = NameOrNull(NamingViewPart(window));
    event["bounds"] = BoundsJson(window.GetWindowRect());
    FReporter.Emit(event);
  };
}

std::string TWbApplication::NamingViewPart(const TControl& control) const {
  return NamingViewPartIn(control, ControlOwners());
}
