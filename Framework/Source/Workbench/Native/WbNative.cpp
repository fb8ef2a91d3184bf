#include "WbNative.h"

#include <QApplication>
#include <QImageWriter>
#include <QSocketNotifier>
#include <QWidget>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sys/socket.h>
#include <unistd.h>

#include "TbxQt.h"
#include "WbAccessibilityTree.h"
#include "WbErrors.h"
#include "WbFirstFrame.h"
#include "WbImageFiles.h"
#include "WbPhaseTimes.h"

namespace {

// QApplication keeps references to these for its lifetime.
int GArgc = 1;
char GProgram[] = "nuv-workbench";
char* GArgv[] = {GProgram, nullptr};

// A signal handler may only write to a socket: the window closes on the event loop's side.
int GSignalPipe[2] = {-1, -1};

extern "C" void OnStopSignal(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = write(GSignalPipe[1], &byte, 1);
  errno = saved;
}

}  // namespace

bool HasDisplay() {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 && *x11) || (wayland && *wayland);
}

TWbNative::TWbNative(bool offscreen, const std::string& appFile, TWbReporter& reporter, double scale)
    : FAppFile(appFile), FImageWarnings(&reporter) {
  // Qt reads the factor when the application is made; the toolkit's geometry stays in logical pixels.
  if (scale > 0) qputenv("QT_SCALE_FACTOR", QByteArray::number(scale));
  PrepareQtApplication(offscreen);
  FQtApp = std::make_unique<QApplication>(GArgc, GArgv);
  TQtBackendOptions options;
  options.ImageDir = std::filesystem::path(appFile).parent_path().string();
  // The runner reads the files itself: only those it accepts, and never by an open that blocks.
  options.ReadImage = [dir = options.ImageDir](const std::string& file) {
    return ReadImageFile(ResolveImageFile(file, dir));
  };
  options.OnImageError = [this](const std::string& file, const std::string& why) {
    TWbWarning warning;
    warning.File = FAppFile;
    warning.Message = "the image file '" + file + "' cannot be decoded (" + why + "); it shows no image";
    FImageWarnings->Warning(warning);
  };
  options.OnError = [&reporter](const std::exception& e) { reporter.Error(ErrorOf(e)); };
  FBackend = std::make_unique<TQtBackend>(options);
}

QWidget& TWbNative::Attach(TWbApplication& app, const std::string& title) {
  FImageWarnings = &app.Faults();
  QWidget* window = nullptr;
  app.Faults().Caused([&] {
    window = &FBackend->Attach(app.Window(), title);
    if (const TCustomImageList* images = app.ImageList()) FBackend->LoadImages(*images);
  });
  return *window;
}

TWbNative::~TWbNative() = default;

void TWbNative::Screenshot(TWbApplication& app, const std::string& title, const std::string& pngFile) {
  Attach(app, title);
  FBackend->Show(app.Window());
  QApplication::processEvents();
  const QImage image = FBackend->Render(app.Window());
  QImageWriter writer(QString::fromStdString(pngFile), "png");
  if (!writer.write(image))
    throw EWbLoadError(pngFile + ": cannot write the screenshot (" + writer.errorString().toStdString() + ")");
}

void TWbNative::RunWindow(TWbApplication& app, const std::string& title, bool closeAfterFirstFrame) {
  QWidget& window = Attach(app, title);
  WbPhaseEnds("peers");
  WhenFirstFramePainted(window, [&window, closeAfterFirstFrame] {
    WbPhaseEnds("frame");
    if (!closeAfterFirstFrame) return;
    std::cerr << "nuv-workbench: " << FirstFrameLine() << std::endl;
    window.close();
  });
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, GSignalPipe) != 0)
    throw EWbLoadError("cannot set up the signal handling for the window");
  QSocketNotifier notifier(GSignalPipe[0], QSocketNotifier::Read);
  QObject::connect(&notifier, &QSocketNotifier::activated, &window, [&window] {
    char byte = 0;
    [[maybe_unused]] const ssize_t got = read(GSignalPipe[0], &byte, 1);
    window.close();
  });
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  FBackend->Show(app.Window());
  QApplication::exec();
  signal(SIGINT, SIG_DFL);
  signal(SIGTERM, SIG_DFL);
  close(GSignalPipe[0]);
  close(GSignalPipe[1]);
  GSignalPipe[0] = GSignalPipe[1] = -1;
}

TWbJson TWbNative::AccessibilityTree(TWbApplication& app, const std::string& title) {
  QWidget& window = FBackend->Attach(app.Window(), title);
  FBackend->Show(app.Window());
  QApplication::processEvents();
  return AccessibleTreeJson(window);
}
