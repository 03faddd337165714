#pragma once
// Tracing a curve for a pixel surface with as little work as gives the same
// pixels: the polyline of traceCurve without the operations that cannot change
// a pixel, and without computing the points that only such operations need.

#include <cstdint>
#include <optional>

#include "core/plot/Geometry.h"

namespace plot {

// The pixels that drawing may change; right and bottom exclusive.
struct PixelBox {
    std::int64_t left = 0, top = 0, right = 0, bottom = 0;
};

struct TraceOutcome {
    std::int64_t pointsTraced = 0;     // points of both passes computed; on failure, those before it
    bool failed = false;               // a rounding failed, where traceCurve throws
    std::optional<double> yIntercept;  // the ordinate at x = 0 of the rightward pass, once reached
};

// Traces like traceCurve(a, b, c, step, geometry, pen, ...) for a pen that
// draws each lineTo within the bounding box of its two ends, end pixel
// excluded (so nothing for a zero-length one), such as the window's canvas.
// It issues only some of the operations: a point equal to the pen's position
// is dropped, and so is a point between two others beyond one same edge of
// `visible`, since the segments joining them cannot reach it. Where the
// computed ordinates are monotone along a pass (all of it when a·t² and b·t
// move the same way, else all but a few points around the vertex), only the
// first and last point of each pixel column are computed and issued, since
// the vertical segments between them add up to one, and none once the rest
// of the pass lies beyond one edge.
// The pixels drawn inside `visible`, the pen's final position, the count of
// points traced (so where a failure stops the tracing) and the y-axis
// ordinate are exactly those of traceCurve. A failing rounding is reported in
// the outcome, not thrown. Throws std::invalid_argument, before any
// operation, unless step > 0.
TraceOutcome traceCurveCompact(double a, double b, double c, double step, const PlotGeometry& geometry,
                               const PixelBox& visible, Pen& pen);

}  // namespace plot
