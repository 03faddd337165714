#include "core/plot/MonotonePieces.h"

#include <cmath>

namespace plot {
inline namespace VELTRANO_EXTENDED_NAMESPACE {

// The ordinate's computation is a chain of roundings, each a monotone
// function of its operands: t·t, its product with a, t·b, the sum of the two
// products (U), the sum with c, the rounding to double and the scaled
// ceiling. Along a pass |t| grows, so where U moves one way from point to
// point, so do the pixel rows (the columns always do).
//   If a·t² and b·t move the same way (a and b of equal signs on the right,
// of opposite signs on the left, or either zero), U is monotone over the
// whole pass. Otherwise it turns once, near the vertex. With ε = 2^-64 the
// computed U at t is a·t²(1 + α) + b·t(1 + β), |α| ≤ 2ε + ε², |β| ≤ ε, so
// between neighbours u, v (|u|, |v| ≤ T = |last t|):
//     U(v) − U(u) = (v − u)·q + r,  q = a·(u + v) + b,
//     |r| ≤ (4ε + 2ε²)·|a|·T² + 2ε·|b|·T < 5ε·(|a|·T² + |b|·T) = R.
// Where |q| > R / h (h the least |v − u|), U(v) − U(u) has the sign of
// (v − u)·q. Computed in extended precision, q is off by at most
// 3ε·|a|·|u + v| + ε·|b| < 8ε·(|a|·T + |b|) = E; so a computed |q| above
// 2·(R / h + E) guarantees that sign. That computed q is itself monotone
// along the pass: the neighbour pairs where it clears the bound on one side
// form a prefix, on the other side a suffix, and only the pairs between them,
// a few around the vertex, are left to trace point by point.
MonotonePieces monotonePieces(const AbscissaTable::Pass& pass, const Coefficients& curve, bool rightward) {
    const double a = curve.a, b = curve.b, c = curve.c;
    const std::size_t last = pass.size() - 1;
    const MonotonePieces pointByPoint{0, last}, monotone{last, last};
    if (!std::isfinite(a) || !std::isfinite(b) || !std::isfinite(c)) return pointByPoint;
    const bool sameSigns = (a >= 0 && b >= 0) || (a <= 0 && b <= 0);
    const bool oppositeSigns = (a >= 0 && b <= 0) || (a <= 0 && b >= 0);
    if (rightward ? sameSigns : oppositeSigns) return monotone;
    if (last < 2 || !(pass.smallestStep > 0)) return pointByPoint;

    using core::Extended;
    const Extended epsilon = 0x1p-64;
    const Extended absA = core::fabs(Extended(a)), absB = core::fabs(Extended(b));
    const Extended reach = core::fabs(Extended(pass.t[last]));
    const Extended roundingOfU = 5 * epsilon * (absA * reach * reach + absB * reach);
    const Extended roundingOfQ = 8 * epsilon * (absA * reach + absB);
    const Extended bound = 2 * (roundingOfU / pass.smallestStep + roundingOfQ);

    const auto q = [&](std::size_t k) {
        return Extended(a) * (Extended(pass.t[k]) + pass.t[k + 1]) + b;
    };
    const bool rising = q(last - 1) >= q(0);
    const auto beforeVertex = [&](std::size_t k) { return rising ? q(k) < -bound : q(k) > bound; };
    const auto afterVertex = [&](std::size_t k) { return rising ? q(k) > bound : q(k) < -bound; };
    // The first pair in [from, to) not satisfying `holds`, a prefix predicate.
    const auto endOfPrefix = [](std::size_t from, std::size_t to, const auto& holds) {
        while (from < to) {
            const std::size_t middle = from + (to - from) / 2;
            if (holds(middle)) {
                from = middle + 1;
            } else {
                to = middle;
            }
        }
        return from;
    };
    const std::size_t prefixEnd = endOfPrefix(0, last, beforeVertex);
    const std::size_t suffixStart =
        endOfPrefix(prefixEnd, last, [&](std::size_t k) { return !afterVertex(k); });
    return {prefixEnd, suffixStart};
}

}  // namespace VELTRANO_EXTENDED_NAMESPACE
}  // namespace plot
