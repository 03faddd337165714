#pragma once
// The per-point arithmetic of curve tracing, shared by the plain tracer and
// the compact one so that both compute every point the same way. Internal to
// src/core/plot.

#include <cstdint>
#include <limits>

#include "core/number/ExtendedRounding.h"
#include "core/plot/Curve.h"

namespace plot {
inline namespace VELTRANO_EXTENDED_NAMESPACE {
namespace arithmetic {

using core::Extended;

// Pixel offsets come from ceilings anywhere in the int64 range; the sums are
// pinned to the range instead of overflowing (only ceilings within a few
// hundred of ±2^63 get there, far outside any surface).
inline std::int64_t saturatingAdd(std::int64_t lhs, std::int64_t rhs) {
    std::int64_t sum;
    if (!__builtin_add_overflow(lhs, rhs, &sum)) return sum;
    return rhs > 0 ? std::numeric_limits<std::int64_t>::max() : std::numeric_limits<std::int64_t>::min();
}

inline std::int64_t saturatingSubtract(std::int64_t lhs, std::int64_t rhs) {
    std::int64_t difference;
    if (!__builtin_sub_overflow(lhs, rhs, &difference)) return difference;
    return rhs < 0 ? std::numeric_limits<std::int64_t>::max() : std::numeric_limits<std::int64_t>::min();
}

// t·t as the tracing computes it: the exact square rounded to extended.
inline Extended squareOf(double t) {
    return Extended(t) * t;
}

// The ordinate at t, given t·t: each product and sum in extended precision,
// one rounding to double at the end.
[[gnu::always_inline]] inline double ordinateAt(const Extended& square, double t, double a, double b, double c) {
    return static_cast<double>((square * a + Extended(t) * b) + c);
}

// t advanced by the signed step in extended precision, stored as a double.
inline double nextAbscissa(double t, double signedStep) {
    return static_cast<double>(Extended(t) + signedStep);
}

}  // namespace arithmetic
}  // namespace VELTRANO_EXTENDED_NAMESPACE
}  // namespace plot
