#pragma once
// The two builds of the program's arithmetic, side by side in one binary:
// ExtendedSide.cpp is compiled once with the native extended type
// (long double) and once with the portable one (MPFR), and each compilation
// defines the functions below in the namespace named after its type. Values
// cross between the sides as x87 long doubles, which on x86-64 both types
// convert exactly.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/number/UserError.h"
#include "core/plot/Curve.h"
#include "core/plot/Geometry.h"
#include "core/plot/SegmentSink.h"

namespace crosscheck {

// One tracing to run, point by point or compact for a pixel box.
struct TracingRequest {
    plot::Coefficients curve;
    double step = 0.005;
    plot::PlotGeometry geometry;
    std::optional<plot::PixelBox> compactReach;  // empty for every point
};

// Everything a tracing gave: its operations, the failure point and the info
// box's labels after it (with "." and with ",").
struct TracedCurve {
    std::vector<std::int64_t> operations;  // 0 for moveTo or 1 for lineTo, then x and y
    std::vector<double> yAxisReports;
    std::int64_t pointsTraced = 0;
    bool failed = false;
    std::optional<double> yIntercept;
    std::vector<std::string> labels;
    bool operator==(const TracedCurve&) const = default;
};

enum class Operation { Add, Subtract, Multiply, Divide, SquareRoot, ToDouble };

namespace native_extended {
TracedCurve trace(const TracingRequest& request);
// The operation on x (and y) in the side's type, the result read back as a long double.
long double operate(Operation operation, long double x, long double y);
// cl45 of x in the rounding modes 0 to 3; empty where it fails.
std::vector<std::optional<std::int64_t>> roundings(long double x);
std::string text(long double x, const std::string& separator);
core::Expected<double> parse(const std::string& text, const std::string& separator);
}  // namespace native_extended

namespace portable_extended {
TracedCurve trace(const TracingRequest& request);
// The operation on x (and y) in the side's type, the result read back as a long double.
long double operate(Operation operation, long double x, long double y);
// cl45 of x in the rounding modes 0 to 3; empty where it fails.
std::vector<std::optional<std::int64_t>> roundings(long double x);
std::string text(long double x, const std::string& separator);
core::Expected<double> parse(const std::string& text, const std::string& separator);
}  // namespace portable_extended

}  // namespace crosscheck
