#pragma once
// The arithmetic of tracing one curve y = a·x² + b·x + c and of its axis
// intersections. Qt-free: the traced polyline goes to a Pen, the texts are
// returned; Unit28's drawfx hands them to the window's canvas and labels.
//
// All arithmetic is x87 extended precision (long double), rounded to double
// exactly where the tracing stores into a Double.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "plot/Geometry.h"

namespace plot {

// Rounding modes, numbered as the x87 rounding-control field.
enum RoundMode : int { RoundNearest = 0, RoundDown = 1, RoundUp = 2, RoundTowardZero = 3 };

// Rounds `value` to a signed 64-bit integer under `roundMode` (nearest rounds
// half to even). Throws platform::InvalidFloatOpError for NaN or a result
// outside the signed 64-bit range. Does not touch the FPU rounding mode.
std::int64_t cl45(int roundMode, long double value);

// Traces the curve: the rightward pass from x = 0 while xn >= t, then the
// leftward pass from x = 0 while -xn <= t, t advancing by `step` stored as a
// Double after every point. Each pass starts with moveTo(first point) and every
// point is then joined with lineTo. `onYIntercept` receives the ordinate of
// the rightward pass's point x = 0, after its moveTo and before its lineTo.
// Throws platform::InvalidFloatOpError where a pixel coordinate's ceiling
// leaves the signed 64-bit range; the points before it have been issued.
void traceCurve(double a, double b, double c, double step, const PlotGeometry& geometry,
                Pen& pen, const std::function<void(double)>& onYIntercept);

// The caption of the y-axis intersection label: "(0," + F(ty) + ")".
std::string yAxisText(double ty, std::string_view decimalSeparator);

// The captions of the two x-axis intersection labels; `second` is empty unless
// there are two distinct roots. "无" for none, "无数" for infinitely many.
struct XAxisTexts {
    std::string first;
    std::string second;
};
XAxisTexts xAxisTexts(double a, double b, double c, std::string_view decimalSeparator);

}  // namespace plot
