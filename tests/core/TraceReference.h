#pragma once
// A deliberately plain model of curve tracing, for tests only: it rounds by
// setting the FPU rounding mode around llrintl, the obvious way, and spells
// every step out in core::Extended. Optimised tracing code must match it operation for operation.

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <random>
#include <utility>
#include <vector>

#include "core/number/Extended.h"
#include "core/plot/Geometry.h"
#include "core/plot/SegmentSink.h"
#include "core/plot/Trace.h"

namespace tracereference {

struct PenOp {
    enum Kind { Move, Line };
    Kind kind;
    std::int64_t x;
    std::int64_t y;
    bool operator==(const PenOp&) const = default;
};

// Records every operation, and the ordinates reported for the y-axis label.
class RecordingPen : public plot::SegmentSink {
public:
    std::vector<PenOp> ops;
    std::vector<double> yIntercepts;
    void moveTo(std::int64_t x, std::int64_t y) override { ops.push_back({PenOp::Move, x, y}); }
    void lineTo(std::int64_t x, std::int64_t y) override { ops.push_back({PenOp::Line, x, y}); }
    void reachedYAxis(double ordinate) override { yIntercepts.push_back(ordinate); }
};

// Everything one tracing produced.
struct TraceRecord {
    std::vector<PenOp> ops;
    std::vector<double> yIntercepts;  // ordinates reported for the y-axis label
    bool failed = false;              // ended with the invalid-operation error
    bool operator==(const TraceRecord&) const = default;
};

// Rounds `value` under rounding mode 0 nearest, 1 down, 2 up, 3 toward zero
// by switching the FPU mode for this one rounding. Empty where the rounding
// raises the invalid-operation flag (NaN, infinities, out of int64 range).
// The volatile operand and result keep the compiler from moving the rounding
// outside the window in which the mode is set.
[[gnu::noinline]] inline std::optional<std::int64_t> roundUnderFpuMode(int roundMode, const core::Extended& value) {
    const int fpuModes[] = {FE_TONEAREST, FE_DOWNWARD, FE_UPWARD, FE_TOWARDZERO};
    volatile long double operand = static_cast<long double>(value);  // exact: long double holds every value
    volatile long long result = 0;
    const int savedMode = std::fegetround();
    std::feclearexcept(FE_INVALID);
    std::fesetround(fpuModes[roundMode]);
    result = std::llrintl(operand);
    std::fesetround(savedMode);
    if (std::fetestexcept(FE_INVALID)) return std::nullopt;
    return static_cast<std::int64_t>(result);
}

inline std::int64_t clampToInt64(__int128 value) {
    const __int128 lowest = std::numeric_limits<std::int64_t>::min();
    const __int128 highest = std::numeric_limits<std::int64_t>::max();
    if (value < lowest) return std::numeric_limits<std::int64_t>::min();
    if (value > highest) return std::numeric_limits<std::int64_t>::max();
    return static_cast<std::int64_t>(value);
}

inline TraceRecord referenceTrace(double a, double b, double c, double step, const plot::PlotGeometry& g) {
    TraceRecord record;
    record.ops.push_back({PenOp::Move, g.ox, g.oy});
    for (const bool rightward : {true, false}) {
        double t = 0;
        while (rightward ? double(g.xn) >= t : -double(g.xn) <= t) {
            const double tx = t;

            using core::Extended;
            Extended y = Extended(t) * Extended(t);
            y = y * Extended(a);
            y = y + Extended(t) * Extended(b);
            y = y + Extended(c);
            const double ty = static_cast<double>(y);

            const std::optional<std::int64_t> ceilX = roundUnderFpuMode(2, core::Extended(g.l1) * tx);
            if (!ceilX) {
                record.failed = true;
                return record;
            }
            const std::optional<std::int64_t> ceilY = roundUnderFpuMode(2, core::Extended(g.l1) * ty);
            if (!ceilY) {
                record.failed = true;
                return record;
            }
            const std::int64_t ttx = clampToInt64(__int128{g.ox} + *ceilX);
            const std::int64_t tty = clampToInt64(__int128{g.oy} - *ceilY);

            if (tx == 0) {
                record.ops.push_back({PenOp::Move, ttx, tty});
                if (rightward) record.yIntercepts.push_back(ty);
            }
            record.ops.push_back({PenOp::Line, ttx, tty});

            if (rightward) {
                t = static_cast<double>(core::Extended(t) + core::Extended(step));
            } else {
                t = static_cast<double>(core::Extended(t) - core::Extended(step));
            }
        }
    }
    return record;
}

// Runs the program's plot::traceEveryPoint into a record of the same shape.
inline TraceRecord recordTraceCurve(double a, double b, double c, double step, const plot::PlotGeometry& g) {
    RecordingPen pen;
    TraceRecord record;
    const plot::TraceResult result = plot::traceEveryPoint({a, b, c}, step, g, pen);
    record.failed = result.failed;
    record.ops = std::move(pen.ops);
    record.yIntercepts = std::move(pen.yIntercepts);
    return record;
}

// Coefficients over many magnitudes, some zero, some large enough to fail.
inline double randomCoefficient(std::mt19937_64& random) {
    std::uniform_int_distribution<int> kind(0, 9);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> decade(-20, 19);
    if (kind(random) == 0) return 0.0;
    const double magnitude = mantissa(random) * std::pow(10.0, decade(random));
    return kind(random) < 5 ? -magnitude : magnitude;
}

}  // namespace tracereference
