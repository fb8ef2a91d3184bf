// An example application in process with its native window attached and shown offscreen.
#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "TbxQt.h"
#include "WorkbenchInProcess.h"

class TNativeWindow {
 public:
  // Loads examples/NAME.xml; attaches and shows the window before anything runs, so that its
  // peers follow every change from the start.
  explicit TNativeWindow(const std::string& example);

  TWinControl& Window() { return Workbench->App.Window(); }
  QWidget& Root() { return *PeerWidget(Window()); }
  TControl& ControlOf(const std::string& viewPart) { return Workbench->App.ControlOf(viewPart); }
  QWidget& WidgetOf(const std::string& viewPart) { return *PeerWidget(ControlOf(viewPart)); }
  // The events reported since the last call.
  std::vector<nlohmann::json> NewEvents();

  TQtBackend Backend;
  std::unique_ptr<TInProcessWorkbench> Workbench;

 private:
  size_t FSeen = 0;
};

// Where the widget of a control must stand: in its parent's widget at the control's bounds plus
// the parent's client origin, or, for a floating window, on the screen over the main window.
QRect ExpectedGeometry(const TControl& control, const QWidget& root);
