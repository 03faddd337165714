#pragma once
// The abscissae of a tracing, which do not depend on the curve: for one step
// and geometry every curve visits the same t, squares them the same way and
// puts them in the same pixel columns. A table holds them for both passes so
// that tracing many curves computes them once. A tracer keeps the tables it
// uses, within a fixed memory budget.

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <vector>

#include "core/number/Extended.h"
#include "core/plot/Geometry.h"

namespace plot {
inline namespace VELTRANO_EXTENDED_NAMESPACE {

class AbscissaTable {
public:
    // One pass: point k is at abscissa t[k], with t[k]·t[k] as the tracing
    // computes it, in pixel column column[k] = ox + ceil(l1·t[k]). Points
    // that share a column are consecutive; columnEnds holds the last index of
    // each such run, in order.
    struct Pass {
        std::vector<double> t;
        std::vector<core::Extended> square;
        std::vector<std::int64_t> column;
        std::vector<std::uint32_t> columnEnds;
        core::Extended smallestStep = 0;  // the least |t[k+1] − t[k]|, exactly
        std::size_t size() const { return t.size(); }
        std::size_t bytes() const {
            return size() * (sizeof(double) + sizeof(core::Extended) + sizeof(std::int64_t)) +
                   columnEnds.size() * sizeof(std::uint32_t);
        }
    };

    // Memory for all tables one tracer keeps (a table larger than this is
    // never built).
    static constexpr std::size_t kBudgetBytes = std::size_t{8} << 20;
    // At most, a column run per point.
    static constexpr std::size_t kBytesPerPoint =
        sizeof(double) + sizeof(core::Extended) + sizeof(std::int64_t) + sizeof(std::uint32_t);

    // The table of (step, xn, l1, ox); null when it would not fit in the
    // budget or a column would leave the signed 64-bit range. Requires step > 0.
    static std::unique_ptr<const AbscissaTable> build(double step, const PlotGeometry& geometry);

    const Pass& rightward() const { return rightward_; }
    const Pass& leftward() const { return leftward_; }
    std::size_t bytes() const { return rightward_.bytes() + leftward_.bytes(); }

private:
    Pass rightward_;
    Pass leftward_;
};

// The tables a tracer has built, most recently used first, their memory
// within AbscissaTable::kBudgetBytes.
class AbscissaTables {
public:
    // The table of (step, xn, l1, ox), built on first use and kept while there
    // is room; null where AbscissaTable::build gives none. The table stays
    // valid until the next call.
    const AbscissaTable* find(double step, const PlotGeometry& geometry);

    std::size_t bytes() const { return bytes_; }

private:
    struct Entry {
        double step;
        std::int32_t xn, l1, ox;
        std::unique_ptr<const AbscissaTable> table;
        bool matches(double otherStep, const PlotGeometry& g) const {
            return step == otherStep && xn == g.xn && l1 == g.l1 && ox == g.ox;
        }
    };
    std::list<Entry> entries_;
    std::size_t bytes_ = 0;
};

}  // namespace VELTRANO_EXTENDED_NAMESPACE
}  // namespace plot
