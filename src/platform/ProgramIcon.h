#pragma once
// The program's picture: a parabola on a pair of axes, 32 × 32 pixels in the
// sixteen colours of the classic palette.

#include <QIcon>
#include <QImage>

namespace platform {

QImage programPicture();
QIcon programIcon();

}  // namespace platform
