#pragma once
// The pixels one stored curve inks on the drawing area, as runs along its
// rows: what the explorer paints over to highlight the curve.

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
    // The pixels `trace` inks on an image of width × height, row by row from
    // the top, each row's runs from the left.
    std::vector<PixelRun> runsOf(const plot::RecordedTrace& trace, int width, int height);

private:
    core::PixelSurface scratch_;  // kept blank between calls
};

}  // namespace explore
