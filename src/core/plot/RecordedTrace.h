#pragma once
// A tracing kept for later: the operations it issued and its result, played
// back into any sink as often as needed.

#include <cstdint>
#include <vector>

#include "core/plot/SegmentSink.h"
#include "core/plot/Trace.h"

namespace plot {

class RecordedTrace : public SegmentSink {
public:
    void moveTo(std::int64_t x, std::int64_t y) override;
    void lineTo(std::int64_t x, std::int64_t y) override;
    void reachedYAxis(double ordinate) override;

    // Issues the recorded operations, the reachedYAxis call included, in order.
    void replay(SegmentSink& sink) const;

    TraceResult result;

    std::size_t operationCount() const { return kinds_.size(); }
    std::size_t bytes() const;
    void shrinkToFit();

private:
    void record(bool line, std::int64_t x, std::int64_t y);

    // Most traces lie within 32-bit coordinates and are kept at half the
    // size; the first point beyond moves the whole trace to 64 bits.
    std::vector<std::int32_t> narrow_;  // x, y pairs
    std::vector<std::int64_t> wide_;    // x, y pairs, once any point needs them
    std::vector<bool> kinds_;           // true for lineTo
    std::size_t yAxisAt_ = 0;           // operations before the reachedYAxis call
    bool reachedYAxis_ = false;
    double yAxisOrdinate_ = 0;
};

}  // namespace plot
