#pragma once
// The tracing of one curve y = a·x² + b·x + c, point by point, as the
// program defines it: the reference every faster way of tracing must match.
//
// All arithmetic is in extended precision (core::Extended, the x87 80-bit
// format), rounded to double exactly where the tracing stores into a Double.

#include <cstdint>
#include <optional>

#include "core/number/ExtendedRounding.h"
#include "core/number/UserError.h"
#include "core/plot/Curve.h"
#include "core/plot/Geometry.h"
#include "core/plot/SegmentSink.h"

namespace plot {

inline namespace VELTRANO_EXTENDED_NAMESPACE {

// Rounds `value` to a signed 64-bit integer under `roundMode` (0 nearest, half
// to even; 1 down; 2 up; 3 toward zero). The invalid-operation error for NaN,
// infinities or a result outside the signed 64-bit range. Neither reads nor
// changes the FPU rounding mode. Throws std::invalid_argument for a mode other
// than 0 to 3 (a programming error, not the user's).
core::Expected<std::int64_t> cl45(int roundMode, const core::Extended& value);

}  // namespace VELTRANO_EXTENDED_NAMESPACE

// What a tracing did: how far it got, whether a rounding failed there, and
// the ordinate at x = 0 of the rightward pass once it was reached.
struct TraceResult {
    std::int64_t pointsTraced = 0;  // points of both passes computed; on failure, those before it
    bool failed = false;
    std::optional<double> yIntercept;

    core::Status status() const { return failed ? core::Status(core::UserError::invalidFloatOp()) : core::Status(); }
    bool operator==(const TraceResult&) const = default;
};

inline namespace VELTRANO_EXTENDED_NAMESPACE {

// Issues every operation of the tracing: first moveTo(ox, oy), then the
// rightward pass from x = 0 while xn >= t, then the leftward pass from x = 0
// while -xn <= t, t advancing by `step` in extended precision and stored as a
// Double after every point. Each pass starts with moveTo(first point) and
// every point is then joined with lineTo. A point (t, y) lies at pixel
// (ox + ceil(l1·t), oy − ceil(l1·y)), y being the curve at t stored as a
// Double; the pixels are full 64-bit values (not wrapped to 32 bits), pinned
// to the int64 range where the sum or difference would leave it. The sink
// hears reachedYAxis at the rightward pass's point x = 0.
// Where a ceiling leaves the signed 64-bit range (or is of NaN) the tracing
// stops, failed: the operations before that point have been issued, none of
// it or after it. Throws std::invalid_argument, before any operation, unless
// step > 0.
TraceResult traceEveryPoint(const Coefficients& curve, double step, const PlotGeometry& geometry,
                            SegmentSink& sink);

// The curve at x as the tracing computes it: ((x·x)·a + x·b) + c in extended
// precision, stored as a Double.
double ordinateAt(const Coefficients& curve, double x);

// Where the tracing puts the point (x, y): (ox + ⌈l1·x⌉, oy − ⌈l1·y⌉), pinned
// to the 64-bit plane; nothing where a ceiling leaves the 64-bit range.
std::optional<PixelPoint> pixelOf(const PlotGeometry& geometry, double x, double y);

}  // namespace VELTRANO_EXTENDED_NAMESPACE
}  // namespace plot
