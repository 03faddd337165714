#pragma once
// Reading values off the graph: the point under a client pixel in graph
// units, the texts the overlay shows for it, the short labels of the points
// of interest, and the values of the labelled ticks.

#include <string>
#include <string_view>
#include <vector>

#include "core/model/CurveFacts.h"
#include "core/plot/Geometry.h"

namespace explore {

struct GraphPoint {
    double x = 0, y = 0;
    bool operator==(const GraphPoint&) const = default;
};

// The point under client pixel (px, py): ((px − ox)/l1, (oy − py)/l1).
GraphPoint pointUnder(const plot::PlotGeometry& geometry, int px, int py);

// The point on `curve` at the abscissa of client column px: (x, f(x)), f in
// the tracing's arithmetic.
GraphPoint snappedPoint(const plot::PlotGeometry& geometry, const plot::Coefficients& curve, int px);

// "(1.5,-1.25)", in the info box's number text.
std::string pointText(const GraphPoint& point, std::string_view decimalSeparator);

// "y=x²-3x+1  (1.5,-1.25)".
std::string snappedText(std::string_view formula, const GraphPoint& point, std::string_view decimalSeparator);

// A point of interest's label beside its mark: "顶点 (3/2,-5/4)", "(0.382,0)",
// "(0,1)". Exact where the form is a short fraction, else three decimals.
std::string markLabel(const model::PointOfInterest& point, std::string_view decimalSeparator);

// A value to three decimals, trailing zeros dropped ("0.382", "-2", "1.5");
// beyond a million or below a thousandth (not 0), three significant digits
// in the number text's scientific form ("1.23E7").
std::string shortNumber(double value, std::string_view decimalSeparator);

// The ticks that carry a value: every second one on each axis, out to xn and
// yn, the origin once. `pixel` is where the tick meets its axis.
struct TickLabel {
    enum class Axis { X, Y, Origin };
    Axis axis = Axis::X;
    int pixel = 0;  // x for the x axis, y for the y axis
    std::string text;
};
std::vector<TickLabel> tickLabels(const plot::PlotGeometry& geometry);

}  // namespace explore
