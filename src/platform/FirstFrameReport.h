#pragma once
// For timing the start-up from outside: with VELTRANO_REPORT_FIRST_FRAME set
// in the environment, the program writes one line "first-frame <wall> <cpu>"
// to stdout once its first complete frame is on the screen (the X server
// having taken it) and quits: the wall clock in microseconds since 1970, and
// the processor time all its threads have used so far, in microseconds.
// Without the variable nothing is installed.

#include <QWidget>
#include <functional>

namespace platform {

// Watches `widget`'s paint events; the first one that happens while
// `complete()` holds is the first complete frame. `complete` may be empty
// (every frame of the widget is complete).
void reportFirstFrameWhenAsked(QWidget* widget, std::function<bool()> complete = {});

}  // namespace platform
