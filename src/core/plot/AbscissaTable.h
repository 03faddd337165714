#pragma once
// The abscissae of a tracing, which do not depend on the curve: for one step
// and geometry every curve visits the same t, squares them the same way and
// puts them in the same pixel columns. A table holds them for both passes so
// that tracing many curves computes them once. Tables are shared through a
// small cache with a fixed memory budget.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/plot/Geometry.h"

namespace plot {

class AbscissaTable {
public:
    // One pass: point k is at abscissa t[k], with t[k]·t[k] as the tracing
    // computes it, in pixel column column[k] = ox + ceil(l1·t[k]). Points
    // that share a column are consecutive; columnEnds holds the last index of
    // each such run, in order.
    struct Pass {
        std::vector<double> t;
        std::vector<long double> square;
        std::vector<std::int64_t> column;
        std::vector<std::uint32_t> columnEnds;
        long double smallestStep = 0;  // the least |t[k+1] − t[k]|, exactly
        std::size_t size() const { return t.size(); }
        std::size_t bytes() const {
            return size() * (sizeof(double) + sizeof(long double) + sizeof(std::int64_t)) +
                   columnEnds.size() * sizeof(std::uint32_t);
        }
    };

    // Memory for all cached tables together (a table larger than this is
    // never built).
    static constexpr std::size_t kCacheBudgetBytes = std::size_t{8} << 20;
    // At most, a column run per point.
    static constexpr std::size_t kBytesPerPoint =
        sizeof(double) + sizeof(long double) + sizeof(std::int64_t) + sizeof(std::uint32_t);

    // The table of (step, xn, l1, ox), built on first use and kept while the
    // cache has room; null when it would not fit in the budget or a column
    // would leave the signed 64-bit range. Requires step > 0.
    static std::shared_ptr<const AbscissaTable> shared(double step, const PlotGeometry& geometry);

    // The same, built afresh and not cached.
    static std::shared_ptr<const AbscissaTable> build(double step, const PlotGeometry& geometry);

    // Memory held by all cached tables.
    static std::size_t cachedBytes();

    const Pass& rightward() const { return rightward_; }
    const Pass& leftward() const { return leftward_; }
    std::size_t bytes() const { return rightward_.bytes() + leftward_.bytes(); }

private:
    Pass rightward_;
    Pass leftward_;
};

}  // namespace plot
