#include "WbFirstFrame.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <chrono>
#include <utility>

namespace {

// Sees every widget's paint event; lives as a child of the window it watches.
class TFirstFrameWatch : public QObject {
 public:
  TFirstFrameWatch(QWidget& window, std::function<void()> done)
      : QObject(&window), FWindow(&window), FDone(std::move(done)) {
    QApplication::instance()->installEventFilter(this);
  }

  bool eventFilter(QObject* target, QEvent* event) override {
    if (event->type() != QEvent::Paint || !target->isWidgetType() || static_cast<QWidget*>(target)->window() != FWindow)
      return false;
    QApplication::instance()->removeEventFilter(this);
    // Queued: it runs when the loop is back, after this paint, its siblings' and the flush.
    QMetaObject::invokeMethod(
        this,
        [this] {
          const auto done = std::move(FDone);
          deleteLater();
          done();
        },
        Qt::QueuedConnection);
    return false;
  }

 private:
  QWidget* FWindow;
  std::function<void()> FDone;
};

}  // namespace

void WhenFirstFramePainted(QWidget& window, std::function<void()> done) {
  new TFirstFrameWatch(window, std::move(done));
}

std::string FirstFrameLine() {
  // steady_clock is CLOCK_MONOTONIC with glibc.
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return "first frame painted at " + std::to_string(std::chrono::nanoseconds(now).count()) + " ns (monotonic clock)";
}
