#pragma once
// The trace point the keyboard moves along a chosen curve: where each key
// takes it, what a screen reader says of it, and where it is drawn when it
// lies beyond the drawing area.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/CurveFacts.h"
#include "core/plot/Geometry.h"
#include "core/raster/PixelSurface.h"

namespace explore {

enum class TraceMove {
    Left,           // one pixel column, 1/l1
    Right,
    UnitLeft,       // one unit
    UnitRight,
    Home,           // −xn
    End,            // xn
    PreviousPoint,  // the point of interest before, in x order
    NextPoint,
};

// Where `move` takes a trace point at `from` (none: not placed yet, as if
// it were just left of the y axis for Right and just right of it for Left,
// so that the first step lands on x = 0). Column moves land on the columns'
// abscissae k/l1 and stay within [−xn, xn]; the point-of-interest moves stay
// put where there is none further.
double movedAbscissa(std::optional<double> from, TraceMove move, const plot::PlotGeometry& geometry,
                     const std::vector<model::PointOfInterest>& points);

// The trace point's coordinates: the point of interest's own where it is one
// ("(2.61803398874989,0)", not a rounding error's ordinate), else (x, f(x)).
std::string traceCoordinates(const model::CurveFacts& facts, double x, std::string_view decimalSeparator);

// What a screen reader says of the trace point at x on the curve: its
// coordinates, or what the points of interest there are; that it lies
// above, below, left or right of `area` when it does; and the exact value
// when there is one ("x=1/2 时 y=-1/4").
std::string traceSpeech(const model::CurveFacts& facts, double x, const plot::PlotGeometry& geometry,
                        const core::PixelRect& area, std::string_view decimalSeparator,
                        const std::string& exactValue = std::string());

// Where the trace point is drawn: at its pixel inside `area`, or on the
// area's edge nearest it with an arrow pointing out toward it.
struct TraceMarker {
    enum class Arrow { None, Up, Down, Left, Right };
    int x = 0, y = 0;
    Arrow arrow = Arrow::None;
    bool operator==(const TraceMarker&) const = default;
};
TraceMarker traceMarker(const plot::Coefficients& curve, double x, const plot::PlotGeometry& geometry,
                        const core::PixelRect& area);

}  // namespace explore
