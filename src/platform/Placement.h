#pragma once
// Where a window goes on the screen.

#include <QPoint>
#include <QSize>

namespace platform {

// The top-left corner that centres a window of the given outer size in a work
// area of the given size (the work area's origin is not added; halves are
// truncated toward zero, so a window larger than the work area sticks out).
inline QPoint centredInWorkArea(const QSize& workArea, const QSize& outer)
{
    // C++ integer division truncates toward zero, as the placement requires.
    return {(workArea.width() - outer.width()) / 2, (workArea.height() - outer.height()) / 2};
}

}  // namespace platform
