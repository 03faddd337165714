#include "core/explore/TracePoint.h"

#include <algorithm>
#include <cmath>

#include "core/explore/GraphReading.h"
#include "core/number/Concat.h"
#include "core/plot/Trace.h"

namespace explore {

namespace {

// The nearest column abscissa k/l1 above (direction +1) or below (−1) x.
double nextColumn(double x, int direction, int l1)
{
    double k = std::floor(x * l1) - direction;
    while (direction > 0 ? !(k / l1 > x) : !(k / l1 < x)) k += direction;
    return k / l1;
}

// x moved by one unit: along the columns where x is one of them.
double unitStep(double x, int direction, int l1)
{
    const double k = std::nearbyint(x * l1);
    if (k / l1 == x) return (k + double(direction) * l1) / l1;
    return x + direction;
}

enum class Side { Inside, Above, Below, Left, Right };

Side sideOf(const std::optional<plot::PixelPoint>& pixel, double y, const core::PixelRect& area)
{
    if (!pixel) return y > 0 ? Side::Above : Side::Below;
    if (pixel->y < area.top) return Side::Above;
    if (pixel->y >= area.bottom) return Side::Below;
    if (pixel->x < area.left) return Side::Left;
    if (pixel->x >= area.right) return Side::Right;
    return Side::Inside;
}

}  // namespace

double movedAbscissa(std::optional<double> from, TraceMove move, const plot::PlotGeometry& geometry,
                     const std::vector<model::PointOfInterest>& points)
{
    const double low = -geometry.xn, high = geometry.xn;
    const auto within = [low, high](double x) { return std::clamp(x, low, high); };
    // A typed abscissa far outside comes back in from the nearer end.
    if (from && move != TraceMove::PreviousPoint && move != TraceMove::NextPoint)
        from = std::clamp(*from, low - 1, high + 1);
    switch (move) {
    case TraceMove::Home:
        return low;
    case TraceMove::End:
        return high;
    case TraceMove::Left:
        return from ? within(nextColumn(*from, -1, geometry.l1)) : 0.0;
    case TraceMove::Right:
        return from ? within(nextColumn(*from, +1, geometry.l1)) : 0.0;
    case TraceMove::UnitLeft:
        return from ? within(unitStep(*from, -1, geometry.l1)) : 0.0;
    case TraceMove::UnitRight:
        return from ? within(unitStep(*from, +1, geometry.l1)) : 0.0;
    case TraceMove::PreviousPoint:
        for (auto point = points.rbegin(); point != points.rend(); ++point)
            if (!from || point->x < *from) return point->x;
        return from.value_or(0.0);
    case TraceMove::NextPoint:
        for (const model::PointOfInterest& point : points)
            if (!from || point.x > *from) return point.x;
        return from.value_or(0.0);
    }
    return from.value_or(0.0);
}

std::string traceCoordinates(const model::CurveFacts& facts, double x, std::string_view separator)
{
    for (const model::PointOfInterest& point : facts.points)
        if (point.x == x) return point.decimals;
    return pointText({x, plot::ordinateAt(facts.curve, x)}, separator);
}

std::string traceSpeech(const model::CurveFacts& facts, double x, const plot::PlotGeometry& geometry,
                        const core::PixelRect& area, std::string_view separator, const std::string& exactValue)
{
    const double y = plot::ordinateAt(facts.curve, x);
    std::string said;
    for (const model::PointOfInterest& point : facts.points) {
        if (point.x != x) continue;
        if (!said.empty()) said += "，";
        said += point.spoken();
    }
    if (said.empty()) said = pointText({x, y}, separator);
    switch (sideOf(plot::pixelOf(geometry, x, y), y, area)) {
    case Side::Above:
        said += "，在图像上方";
        break;
    case Side::Below:
        said += "，在图像下方";
        break;
    case Side::Left:
        said += "，在图像左侧";
        break;
    case Side::Right:
        said += "，在图像右侧";
        break;
    case Side::Inside:
        break;
    }
    if (!exactValue.empty()) said = core::concat({said, "，", exactValue});
    return said;
}

TraceMarker traceMarker(const plot::Coefficients& curve, double x, const plot::PlotGeometry& geometry,
                        const core::PixelRect& area)
{
    const double y = plot::ordinateAt(curve, x);
    const std::optional<plot::PixelPoint> pixel = plot::pixelOf(geometry, x, y);
    const auto clampTo = [](std::int64_t value, int low, int high) {
        return int(std::clamp<std::int64_t>(value, low, high - 1));
    };
    // Beyond the 64-bit plane the point is far above or below, at its column.
    const std::int64_t px =
        pixel ? pixel->x : geometry.ox + std::int64_t(std::clamp(std::ceil(x * geometry.l1), -1e15, 1e15));
    const std::int64_t py = pixel ? pixel->y : (y > 0 ? std::int64_t(area.top) - 1 : std::int64_t(area.bottom));
    TraceMarker marker{clampTo(px, area.left, area.right), clampTo(py, area.top, area.bottom), TraceMarker::Arrow::None};
    switch (sideOf(plot::PixelPoint{px, py}, y, area)) {
    case Side::Above:
        marker.arrow = TraceMarker::Arrow::Up;
        break;
    case Side::Below:
        marker.arrow = TraceMarker::Arrow::Down;
        break;
    case Side::Left:
        marker.arrow = TraceMarker::Arrow::Left;
        break;
    case Side::Right:
        marker.arrow = TraceMarker::Arrow::Right;
        break;
    case Side::Inside:
        break;
    }
    return marker;
}

}  // namespace explore
