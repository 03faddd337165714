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

#include "core/plot/Geometry.h"

namespace plot {

// Rounding modes, numbered as the x87 rounding-control field.
enum RoundMode : int { RoundNearest = 0, RoundDown = 1, RoundUp = 2, RoundTowardZero = 3 };

// Rounds `value` to a signed 64-bit integer under `roundMode` (nearest rounds
// half to even). Throws core::InvalidFloatOpError for NaN, infinities or a
// result outside the signed 64-bit range, std::invalid_argument for a mode
// other than 0 to 3. Neither reads nor changes the FPU rounding mode.
std::int64_t cl45(int roundMode, long double value);

// Traces the curve and issues every pen operation of it: first moveTo(ox, oy),
// then the rightward pass from x = 0 while xn >= t, then the leftward pass from
// x = 0 while -xn <= t, t advancing by `step` in extended precision and stored
// as a Double after every point. Each pass starts with moveTo(first point) and
// every point is then joined with lineTo. A point (t, y) lies at pixel
// (ox + ceil(l1·t), oy − ceil(l1·y)), y being the curve at t stored as a
// Double; the pixels are full 64-bit values (not wrapped to 32 bits), pinned to
// the int64 range where the sum or difference would leave it.
// `onYIntercept` (may be empty) receives the ordinate of the rightward pass's
// point x = 0, after its moveTo and before its lineTo.
// Throws core::InvalidFloatOpError where a ceiling leaves the signed 64-bit
// range (or is of NaN): the operations before that point have been issued,
// none of it or after it. Throws std::invalid_argument, before any operation,
// unless step > 0.
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
