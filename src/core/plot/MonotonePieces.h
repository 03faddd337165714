#pragma once
// Where along one pass of a tracing the pixels move one way only, so that
// compact tracing may skip the points between a column's first and last.

#include <cstddef>

#include "core/plot/AbscissaTable.h"
#include "core/plot/Curve.h"

namespace plot {
inline namespace VELTRANO_EXTENDED_NAMESPACE {

// Where a pass's pixels are known to be monotone: over the points 0 to
// prefixEnd and over suffixStart to the last; the points between are traced
// one by one.
struct MonotonePieces {
    std::size_t prefixEnd, suffixStart;
};

// The pieces of `pass` for the curve; `rightward` tells which pass it is.
MonotonePieces monotonePieces(const AbscissaTable::Pass& pass, const Coefficients& curve, bool rightward);

}  // namespace VELTRANO_EXTENDED_NAMESPACE
}  // namespace plot
