#pragma once
// The curves drawn since the last clear. Each entry owns the curve's
// coefficients, the field texts they were read from, whether its failure has
// been reported, and its traces: a curve's trace depends only on its
// coefficients and the step, so it is computed once and played back at every
// repaint.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/plot/Curve.h"
#include "core/plot/RecordedTrace.h"
#include "core/plot/TraceCurve.h"

namespace plot {

// The texts of the fields for a, b and c, as the user typed them.
using FieldTexts = std::array<std::string, 3>;

class CurveTable {
public:
    explicit CurveTable(const PlotGeometry& geometry = {}) : tracer_(geometry) {}

    // A new geometry drops every kept trace.
    void setGeometry(const PlotGeometry& geometry);
    const PlotGeometry& geometry() const { return tracer_.geometry(); }

    // Stores a curve as entry count(), then counts it; returns its index.
    std::size_t add(const Coefficients& curve, FieldTexts texts = {});
    // Counts no curve any more; the entries' kept traces go.
    void clear();

    // Entries taken out of the table with their kept traces, to be put back
    // as they were (a step taken back, or made again).
    class Entries;
    // Takes out every entry from `first` on; the table counts `first` curves.
    Entries takeFrom(std::size_t first);
    // Stores the entries after the last counted one, in their order.
    void putBack(Entries entries);

    // The number of stored curves.
    const std::int32_t& count() const { return count_; }
    std::size_t capacity() const { return entries_.size(); }
    const Coefficients& operator[](std::size_t index) const { return entries_[index].curve; }
    const FieldTexts& fieldTexts(std::size_t index) const { return entries_[index].texts; }

    // Whether the failure of the entry's tracing has been reported to the user.
    bool failureShown(std::size_t index) const { return entries_[index].failureShown; }
    void setFailureShown(std::size_t index, bool shown) { entries_[index].failureShown = shown; }

    // The entry's compact trace at `step`, good for every pixel inside
    // `reach`: kept from an earlier call whose reach covered it, else traced
    // now and kept. Throws std::invalid_argument unless step > 0.
    const RecordedTrace& trace(std::size_t index, double step, const PixelBox& reach);

    // Each stored curve from `first` on, in drawing order, with its kept
    // trace at `step` for `reach`: the one walk over the stored curves that
    // every output of the graph takes. visit(index, const RecordedTrace&).
    template <class Visit>
    void forEachTrace(double step, const PixelBox& reach, Visit&& visit, std::size_t first = 0)
    {
        for (std::size_t i = first; i < std::size_t(count_); ++i) visit(i, trace(i, step, reach));
    }

    // Traces a curve that is not stored, through the table's tracer.
    TraceResult traceCurve(const Coefficients& curve, double step, SegmentSink& sink, const TraceMode& mode)
    {
        return tracer_.trace(curve, step, sink, mode);
    }

    // Changes whenever what the first count() entries would draw may have
    // changed other than by adding entries: a clear, a restored count, a new
    // geometry. Caches of drawn pixels compare it.
    std::uint64_t generation() const { return generation_; }

    // Memory of the kept traces.
    std::size_t traceBytes() const;

private:
    struct KeptTrace {
        double step;
        PixelBox reach;
        std::unique_ptr<RecordedTrace> trace;
    };
    struct Entry {
        Coefficients curve;
        FieldTexts texts;
        bool failureShown = false;
        std::vector<KeptTrace> traces;
    };

    friend class Entries;
    CurveTracer tracer_;
    std::vector<Entry> entries_;
    std::int32_t count_ = 0;
    std::uint64_t generation_ = 0;
};

class CurveTable::Entries {
public:
    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    // Lets the kept traces go; they are traced again when next needed.
    void dropTraces();
    // The memory they hold, kept traces included.
    std::size_t bytes() const;

private:
    friend class CurveTable;
    std::vector<Entry> entries_;
    PlotGeometry geometry_;  // the one their traces were kept for
};

}  // namespace plot
