#pragma once
// The per-point arithmetic of curve tracing, shared by the plain tracer and
// the compact one so that both compute every point the same way. Internal to
// src/core/plot.

#include <cstddef>
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

// The abscissae of one pass: t = 0, then t advanced by the signed step after
// every point, while `inRange(t)`. The one walk over the abscissae that the
// plain tracer and the abscissa tables share:
//     for (double t : Abscissae(signedStep, inRange)) ...
template <class InRange>
class Abscissae {
public:
    Abscissae(double signedStep, InRange inRange) : signedStep_(signedStep), inRange_(inRange) {}

    // Holds its own copies, so the loop keeps them in registers.
    class Iterator {
    public:
        double operator*() const { return t_; }
        Iterator& operator++()
        {
            t_ = nextAbscissa(t_, signedStep_);
            return *this;
        }
        bool operator!=(std::nullptr_t) const { return inRange_(t_); }

    private:
        friend class Abscissae;
        Iterator(double signedStep, InRange inRange) : signedStep_(signedStep), inRange_(inRange) {}
        double signedStep_;
        InRange inRange_;
        double t_ = 0.0;
    };

    Iterator begin() const { return Iterator(signedStep_, inRange_); }
    std::nullptr_t end() const { return nullptr; }

private:
    double signedStep_;
    InRange inRange_;
};

}  // namespace arithmetic
}  // namespace VELTRANO_EXTENDED_NAMESPACE
}  // namespace plot
