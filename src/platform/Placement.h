#pragma once
// Where a window goes on the screen.

#include <QPoint>
#include <QRect>
#include <algorithm>
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

// Where the main window goes: centred as above where it fits the work area;
// where it does not, at the work area's top-left corner, so that its title
// bar and menu stay on the screen. Never above or left of the work area.
inline QPoint placedInWorkArea(const QRect& workArea, const QSize& outer)
{
    if (outer.width() > workArea.width() || outer.height() > workArea.height())
        return workArea.topLeft();
    const QPoint centred = centredInWorkArea(workArea.size(), outer);
    return {std::max(centred.x(), workArea.left()), std::max(centred.y(), workArea.top())};
}

}  // namespace platform
