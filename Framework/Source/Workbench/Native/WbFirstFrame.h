// The moment a window's first frame is on the screen, for the first-frame benchmark
// (bench/first_frame.py), which compares it with a plain Qt program that uses the same watch.
// Qt paints all of a top-level window's widgets and flushes them to the window in one go when
// the window is first exposed; a call queued from the first of those paints therefore runs once
// the frame is out, whatever the window holds.
#pragma once

#include <functional>
#include <string>

class QWidget;

// Calls done once, after the first frame of window (a top-level widget) has been painted and
// flushed. Watch before the window shows: QWidget::render paints as well.
void WhenFirstFramePainted(QWidget& window, std::function<void()> done);

// "first frame painted at 123456789 ns (monotonic clock)": now on CLOCK_MONOTONIC, which
// another process (the benchmark's script) reads the same, so it can tell the time since it
// started this one.
std::string FirstFrameLine();
