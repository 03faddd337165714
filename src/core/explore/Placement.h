#pragma once
// Where a label box goes beside something it must not cover (the mouse
// cursor, a mark) without leaving the drawing area.

#include <vector>

#include "core/raster/PixelSurface.h"

namespace explore {

// The cursor's own pixels around its hot spot, generously: an arrow cursor
// of up to 16 × 24 logical pixels.
core::PixelRect cursorBox(int x, int y);

// A width × height box beside `avoid`: to its right, else its left, else
// below or above it, each moved along the free direction to stay inside
// `area`; of those that fit inside `area` without touching `avoid`, the
// first that covers least of `taken`. Where none fits (an area too small),
// the first, pushed inside as far as it goes.
core::PixelRect placeBeside(const core::PixelRect& area, const core::PixelRect& avoid, int width, int height,
                            const std::vector<core::PixelRect>& taken = {});

}  // namespace explore
