// The native window of the runner: --screenshot draws it offscreen into a PNG, --window opens it
// on the display and runs until the user (or SIGINT/SIGTERM) closes it.
#pragma once

#include <memory>
#include <string>

#include "WbApplication.h"

class QApplication;
class QWidget;
class TQtBackend;

// Qt for one run; made before the application so that it outlives every control with a peer.
class TWbNative {
 public:
  // Offscreen needs no display; otherwise the display must be there (see HasDisplay). Errors of
  // what the user does go to reporter. scale: the device pixels per logical pixel
  // (QT_SCALE_FACTOR), 0 to leave it to the environment.
  TWbNative(bool offscreen, const std::string& appFile, TWbReporter& reporter, double scale = 0);
  ~TWbNative();
  TWbNative(const TWbNative&) = delete;
  TWbNative& operator=(const TWbNative&) = delete;

  // Writes the window and its floating windows as they stand to a PNG file; raises EWbLoadError
  // when the file cannot be written.
  void Screenshot(TWbApplication& app, const std::string& title, const std::string& pngFile);
  // Shows the window and runs until it is closed; SIGINT and SIGTERM close it as the user would.
  // closeAfterFirstFrame: once the window's first frame is painted, FirstFrameLine goes to
  // stderr and the window closes, for timing a start (bench/first_frame.py).
  void RunWindow(TWbApplication& app, const std::string& title, bool closeAfterFirstFrame = false);
  // The window's accessibility tree as Qt's accessibility layer reports it (WbAccessibilityTree.h).
  TWbJson AccessibilityTree(TWbApplication& app, const std::string& title);

 private:
  // Gives the window its peers and decodes its images, as what the application file causes:
  // with --strict an image that does not decode ends the run here, before the window shows.
  QWidget& Attach(TWbApplication& app, const std::string& title);

  std::unique_ptr<QApplication> FQtApp;
  std::unique_ptr<TQtBackend> FBackend;
  std::string FAppFile;
  TWbReporter* FImageWarnings;  // the application's while it is attached, which counts them
};

// Whether there is a display for --window: X11 (DISPLAY) or Wayland (WAYLAND_DISPLAY).
bool HasDisplay();
