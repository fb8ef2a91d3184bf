// The first-frame watch of the runner and of bench/first_frame.py's QUiLoader program: it fires
// once, after every widget of its window has painted, and not for other windows' paints; the
// runner's option for it needs --window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPainter>
#include <QWidget>
#include <chrono>
#include <string>
#include <vector>

#include "WbFirstFrame.h"
#include "WorkbenchRunner.h"

namespace {

// Notes its paints in a shared log.
class TLoggingWidget : public QWidget {
 public:
  TLoggingWidget(std::string name, std::vector<std::string>& log, QWidget* parent = nullptr)
      : QWidget(parent), FName(std::move(name)), FLog(log) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter(this).fillRect(rect(), Qt::white);
    FLog.push_back(FName);
  }

 private:
  std::string FName;
  std::vector<std::string>& FLog;
};

void ProcessEventsUntil(const std::function<bool()>& done) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < 5000) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

}  // namespace

TEST(FirstFrame, TheWatchFiresOnceAfterEveryWidgetOfItsWindowHasPainted) {
  std::vector<std::string> log;
  TLoggingWidget other("other", log);
  other.resize(50, 50);
  other.show();
  ProcessEventsUntil([&] { return !log.empty(); });
  log.clear();

  TLoggingWidget window("window", log);
  window.resize(200, 100);
  TLoggingWidget child("child", log, &window);
  child.setGeometry(10, 10, 50, 50);
  int fired = 0;
  WhenFirstFramePainted(window, [&] {
    ++fired;
    log.push_back("frame");
  });
  other.update();  // another window's paint is no frame of this one
  ProcessEventsUntil([&] { return std::count(log.begin(), log.end(), "other") > 0; });
  EXPECT_EQ(fired, 0);
  window.show();
  ProcessEventsUntil([&] { return fired > 0; });
  ASSERT_EQ(fired, 1);
  EXPECT_EQ(log.back(), "frame");
  EXPECT_NE(std::find(log.begin(), log.end(), "window"), log.end());
  EXPECT_NE(std::find(log.begin(), log.end(), "child"), log.end());
  window.update();
  ProcessEventsUntil([&] { return log.back() != "frame"; });
  QApplication::processEvents();
  EXPECT_EQ(fired, 1);
}

TEST(FirstFrame, TheLineTellsTheMonotonicClockInNanoseconds) {
  const auto before = std::chrono::steady_clock::now().time_since_epoch().count();
  const std::string line = FirstFrameLine();
  const auto after = std::chrono::steady_clock::now().time_since_epoch().count();
  const std::string prefix = "first frame painted at ";
  ASSERT_EQ(line.rfind(prefix, 0), 0u) << line;
  const long long stamp = std::stoll(line.substr(prefix.size()));
  EXPECT_GE(stamp, before);
  EXPECT_LE(stamp, after);
  EXPECT_NE(line.find(" ns (monotonic clock)"), std::string::npos) << line;
}

TEST(FirstFrame, TheRunnersOptionNeedsTheWindow) {
  const auto run = RunWorkbench({"--close-after-first-frame", "label-app.xml"});
  EXPECT_EQ(run.Status, 2);
  EXPECT_NE(run.Err.find("--close-after-first-frame requires --window"), std::string::npos) << run.Err;
}
