#include "NativeWindow.h"

#include <QApplication>

#include "TbxDocks.h"

TNativeWindow::TNativeWindow(const std::string& example)
    : Backend(TQtBackendOptions{std::string(NUV_SOURCE_DIR) + "/examples", {}, {}}),
      Workbench(std::make_unique<TInProcessWorkbench>(ExampleFile(example))) {
  Backend.Attach(Window(), example);
  Backend.Show(Window());
  QApplication::processEvents();
}

std::vector<nlohmann::json> TNativeWindow::NewEvents() {
  const auto& events = Workbench->Reporter.Events;
  std::vector<nlohmann::json> fresh(events.begin() + static_cast<std::ptrdiff_t>(FSeen), events.end());
  FSeen = events.size();
  return fresh;
}

QRect ExpectedGeometry(const TControl& control, const QWidget& root) {
  const TWinControl* parent = control.GetParent();
  const auto* window = dynamic_cast<const TTBCustomDockableWindow*>(&control);
  if (window && window->GetFloating() && parent) {
    const TRect at = control.GetWindowRect();
    return {root.mapToGlobal(QPoint(at.Left, at.Top)), QSize(at.Width, at.Height)};
  }
  TRect bounds = control.GetBoundsRect();
  if (parent) bounds = bounds.Offset(parent->GetClientRect().Left, parent->GetClientRect().Top);
  return {bounds.Left, bounds.Top, bounds.Width, bounds.Height};
}
