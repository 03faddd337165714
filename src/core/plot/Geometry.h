#pragma once
// Where the coordinate system sits in the client area and how many pixels a
// unit spans.

#include <cstdint>

namespace plot {

struct PlotGeometry {
    std::int32_t ox = 300;  // x of the origin
    std::int32_t oy = 360;  // y of the origin
    std::int32_t l1 = 20;   // pixels per unit, and the tick spacing
    std::int32_t l2 = 3;    // tick length
    std::int32_t lx = 250;  // half-length of the x axis
    std::int32_t ly = 250;  // half-length of the y axis
    std::int32_t xn = 10;   // ticks on each half of the x axis; x range of tracing
    std::int32_t yn = 10;   // ticks on each half of the y axis

    bool operator==(const PlotGeometry&) const = default;
};

}  // namespace plot
