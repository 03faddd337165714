#pragma once
// The pixels one stored curve inks on the drawing area, as runs along its
// rows: what the explorer paints over to highlight the curve. On a screen
// with N device pixels to a client pixel, the device pixels the graph's
// picture at scale N inks for it (see core/raster/WidePen.h).

#include <vector>

#include "core/plot/RecordedTrace.h"
#include "core/raster/PixelSurface.h"

namespace explore {

struct PixelRun {
    int left = 0, right = 0;  // right exclusive
    int y = 0;
    bool operator==(const PixelRun&) const = default;
};

class CurvePixels {
public:
    // The pixels `trace` inks on a drawing area of width × height client
    // pixels at `scale` (1 to 8), row by row from the top, each row's runs
    // from the left, in the scale's device pixels.
    std::vector<PixelRun> runsOf(const plot::RecordedTrace& trace, int width, int height, int scale = 1);

private:
    // Kept blank between calls.
    core::PixelSurface client_, device_;
};

}  // namespace explore
