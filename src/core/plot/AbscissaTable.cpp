#include "core/plot/AbscissaTable.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "core/plot/TraceArithmetic.h"

namespace plot {
inline namespace VELTRANO_EXTENDED_NAMESPACE {

namespace {

using arithmetic::Abscissae;

constexpr std::size_t kMaxPoints = AbscissaTable::kBudgetBytes / AbscissaTable::kBytesPerPoint;

// The points a pass visits, or nothing if there are more than `limit`.
template <class InRange>
std::optional<std::size_t> countPoints(double signedStep, InRange inRange, std::size_t limit) {
    std::size_t count = 0;
    for ([[maybe_unused]] const double t : Abscissae(signedStep, inRange)) {
        if (++count > limit) return std::nullopt;
    }
    return count;
}

template <class InRange>
bool fillPass(AbscissaTable::Pass& pass, std::size_t count, double signedStep, InRange inRange,
              const PlotGeometry& geometry) {
    pass.t.resize(count);
    pass.square.resize(count);
    pass.column.resize(count);
    const core::Extended scale = geometry.l1;
    std::size_t k = 0;
    for (const double t : Abscissae(signedStep, inRange)) {
        if (k == count) return false;  // the count was taken by the same walk
        pass.t[k] = t;
        pass.square[k] = arithmetic::squareOf(t);
        // Cannot fail for 32-bit geometry (|l1·t| < 2^63); a table is simply
        // not built if it did.
        std::int64_t ceiling;
        if (!core::roundToInt64<core::RoundUp>(scale * t, ceiling)) return false;
        pass.column[k] = arithmetic::saturatingAdd(geometry.ox, ceiling);
        // Exact in extended precision: neighbours are close in magnitude.
        const core::Extended step = k == 0 ? core::Extended(0) : core::fabs(core::Extended(t) - pass.t[k - 1]);
        if (k == 1 || (k > 1 && step < pass.smallestStep)) pass.smallestStep = step;
        if (k > 0 && pass.column[k] != pass.column[k - 1]) pass.columnEnds.push_back(std::uint32_t(k - 1));
        ++k;
    }
    if (count > 0) pass.columnEnds.push_back(std::uint32_t(count - 1));
    pass.columnEnds.shrink_to_fit();
    return k == count;
}

}  // namespace

std::unique_ptr<const AbscissaTable> AbscissaTable::build(double step, const PlotGeometry& geometry) {
    const double right = geometry.xn;
    const double left = -right;
    const auto inRight = [right](double t) { return right >= t; };
    const auto inLeft = [left](double t) { return left <= t; };

    const std::optional<std::size_t> rightCount = countPoints(step, inRight, kMaxPoints);
    if (!rightCount) return nullptr;
    const std::optional<std::size_t> leftCount = countPoints(-step, inLeft, kMaxPoints - *rightCount);
    if (!leftCount) return nullptr;

    auto table = std::make_unique<AbscissaTable>();
    if (!fillPass(table->rightward_, *rightCount, step, inRight, geometry) ||
        !fillPass(table->leftward_, *leftCount, -step, inLeft, geometry)) {
        return nullptr;
    }
    return table;
}

const AbscissaTable* AbscissaTables::find(double step, const PlotGeometry& geometry) {
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const Entry& entry) { return entry.matches(step, geometry); });
    if (found != entries_.end()) {
        entries_.splice(entries_.begin(), entries_, found);
        return found->table.get();
    }

    std::unique_ptr<const AbscissaTable> table = AbscissaTable::build(step, geometry);
    if (!table) return nullptr;
    while (!entries_.empty() && bytes_ + table->bytes() > AbscissaTable::kBudgetBytes) {
        bytes_ -= entries_.back().table->bytes();
        entries_.pop_back();
    }
    bytes_ += table->bytes();
    entries_.push_front({step, geometry.xn, geometry.l1, geometry.ox, std::move(table)});
    return entries_.front().table.get();
}

}  // namespace VELTRANO_EXTENDED_NAMESPACE
}  // namespace plot
