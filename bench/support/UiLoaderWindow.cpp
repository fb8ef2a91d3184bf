// The other side of bench/first_frame.py: a plain Qt program that loads a window from a .ui file
// with QUiLoader, shows it, and prints the moment its first frame is painted (the runner's own
// watch, WbFirstFrame), then ends. What the .ui format cannot say is set here: the check box's
// third state, the Format button's menu, the status bar's size grip (QUiLoader makes no QSizeGrip),
// and the floating panel as a tool window over the main one.
//
// usage: uiloader-window FILE.ui [--keep-open]   (images are found relative to the .ui file's
// folder; --keep-open leaves the window open after the first frame, to look at it)
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QSizeGrip>
#include <QToolButton>
#include <QUiLoader>
#include <QWidget>
#include <iostream>
#include <memory>
#include <string_view>

#include "WbFirstFrame.h"

namespace {

// The showcase's floating panel is a window of its own, as the runner's is.
void FloatProperties(QWidget& window) {
  auto* properties = window.findChild<QWidget*>("Properties");
  if (!properties) return;
  const QPoint at = properties->pos();
  properties->setParent(&window, Qt::Tool);
  properties->move(window.mapToGlobal(at));
  properties->show();
}

void SetUpWhatUiCannot(QWidget& window) {
  if (auto* wordWrap = window.findChild<QCheckBox*>("WordWrap")) wordWrap->setCheckState(Qt::PartiallyChecked);
  auto* format = window.findChild<QToolButton*>("Format");
  auto* menu = window.findChild<QMenu*>("FormatMenu");
  if (format && menu) format->setMenu(menu);
  if (auto* status = window.findChild<QWidget*>("Status")) (new QSizeGrip(status))->setGeometry(786, 11, 14, 14);
}

}  // namespace

int main(int argc, char** argv) {
  const bool keepOpen = argc == 3 && std::string_view(argv[2]) == "--keep-open";
  if (argc != 2 && !keepOpen) {
    std::cerr << "usage: uiloader-window FILE.ui [--keep-open]" << std::endl;
    return 2;
  }
  // The runner's choice too (UseQtEventLoop): Qt's own event loop rather than GLib's.
  if (!qEnvironmentVariableIsSet("QT_NO_GLIB")) qputenv("QT_NO_GLIB", "1");
  QApplication app(argc, argv);
  QFile file(QString::fromLocal8Bit(argv[1]));
  if (!file.open(QFile::ReadOnly)) {
    std::cerr << argv[1] << ": cannot read the file" << std::endl;
    return 2;
  }
  // The window has no custom widgets, but QUiLoader's constructor loads every designer plug-in in
  // the library paths (on Debian libqquickwidget.so, with Qt Quick and QML: a sixth of its start).
  // A careful program spares that, and the runner is set against the faster start.
  const QStringList libraryPaths = QCoreApplication::libraryPaths();
  QCoreApplication::setLibraryPaths({});
  QUiLoader loader;
  QCoreApplication::setLibraryPaths(libraryPaths);
  loader.setWorkingDirectory(QFileInfo(file).absoluteDir());
  std::unique_ptr<QWidget> window(loader.load(&file));
  if (!window) {
    std::cerr << argv[1] << ": " << loader.errorString().toStdString() << std::endl;
    return 2;
  }
  SetUpWhatUiCannot(*window);
  WhenFirstFramePainted(*window, [&window, keepOpen] {
    std::cerr << "uiloader-window: " << FirstFrameLine() << std::endl;
    if (!keepOpen) window->close();
  });
  window->show();
  FloatProperties(*window);
  return QApplication::exec();
}
