#pragma once
// For timing the start-up from outside: with VELTRANO_REPORT_FIRST_FRAME set
// in the environment, the program writes one line "first-frame <µs>" to
// stdout once its first complete frame is on the screen (the wall clock in
// microseconds since 1970, the X server having taken the frame) and quits.
// Without the variable nothing is installed.

#include <QWidget>
#include <functional>

namespace platform {

// Watches `widget`'s paint events; the first one that happens while
// `complete()` holds is the first complete frame. `complete` may be empty
// (every frame of the widget is complete).
void reportFirstFrameWhenAsked(QWidget* widget, std::function<bool()> complete = {});

}  // namespace platform
