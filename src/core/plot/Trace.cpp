#include "core/plot/Trace.h"

#include <stdexcept>

#include "core/plot/TraceArithmetic.h"

namespace plot {
inline namespace VELTRANO_EXTENDED_NAMESPACE {

namespace {

using arithmetic::Abscissae;
using arithmetic::ordinateAt;
using arithmetic::saturatingAdd;
using arithmetic::saturatingSubtract;
using arithmetic::squareOf;
using core::roundToInt64;
using core::RoundUp;

// One pass from x = 0 while `inRange(t)`, t advancing by the signed step in
// extended precision and stored back as a double after every point. False
// where a rounding fails.
template <class InRange>
bool tracePass(const Coefficients& curve, double signedStep, InRange inRange, const PlotGeometry& geometry,
               SegmentSink& sink, bool rightward, TraceResult& result)
{
    // Local copies: the sink's calls could otherwise force a reload every point.
    const core::Extended scale = geometry.l1;
    const std::int64_t ox = geometry.ox;
    const std::int64_t oy = geometry.oy;
    for (const double t : Abscissae(signedStep, inRange)) {
        const double ty = ordinateAt(squareOf(t), t, curve.a, curve.b, curve.c);
        std::int64_t column, row;
        if (!roundToInt64<RoundUp>(scale * t, column) || !roundToInt64<RoundUp>(scale * ty, row)) return false;
        const std::int64_t x = saturatingAdd(ox, column);
        const std::int64_t y = saturatingSubtract(oy, row);
        if (t == 0.0) {
            sink.moveTo(x, y);
            if (rightward) {
                result.yIntercept = ty;
                sink.reachedYAxis(ty);
            }
        }
        sink.lineTo(x, y);
        ++result.pointsTraced;
    }
    return true;
}

}  // namespace

core::Expected<std::int64_t> cl45(int roundMode, const core::Extended& value)
{
    std::int64_t result = 0;
    bool rounded = false;
    switch (roundMode) {
    case core::RoundNearest:
        rounded = roundToInt64<core::RoundNearest>(value, result);
        break;
    case core::RoundDown:
        rounded = roundToInt64<core::RoundDown>(value, result);
        break;
    case core::RoundUp:
        rounded = roundToInt64<core::RoundUp>(value, result);
        break;
    case core::RoundTowardZero:
        rounded = roundToInt64<core::RoundTowardZero>(value, result);
        break;
    default:
        throw std::invalid_argument("cl45: rounding mode must be 0 to 3");
    }
    if (!rounded) return core::UserError::invalidFloatOp();
    return result;
}

TraceResult traceEveryPoint(const Coefficients& curve, double step, const PlotGeometry& geometry,
                            SegmentSink& sink)
{
    if (!(step > 0.0)) throw std::invalid_argument("traceEveryPoint: the step must be positive");
    const double right = geometry.xn;
    const double left = -right;

    TraceResult result;
    sink.moveTo(geometry.ox, geometry.oy);
    result.failed = !tracePass(curve, step, [right](double t) { return right >= t; }, geometry, sink, true, result) ||
                    !tracePass(curve, -step, [left](double t) { return left <= t; }, geometry, sink, false, result);
    return result;
}

double ordinateAt(const Coefficients& curve, double x)
{
    return arithmetic::ordinateAt(squareOf(x), x, curve.a, curve.b, curve.c);
}

std::optional<PixelPoint> pixelOf(const PlotGeometry& geometry, double x, double y)
{
    const core::Extended scale = geometry.l1;
    std::int64_t column, row;
    if (!roundToInt64<RoundUp>(scale * x, column) || !roundToInt64<RoundUp>(scale * y, row)) return std::nullopt;
    return PixelPoint{saturatingAdd(geometry.ox, column), saturatingSubtract(geometry.oy, row)};
}

}  // namespace VELTRANO_EXTENDED_NAMESPACE
}  // namespace plot
