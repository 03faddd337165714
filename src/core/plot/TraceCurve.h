#pragma once
// The one way a curve gets traced: every output (the window, a picture, a
// vector file, a recording) is a SegmentSink handed to CurveTracer::trace,
// and the mode says how much of the tracing the sink needs.

#include "core/plot/AbscissaTable.h"
#include "core/plot/Trace.h"

namespace plot {
inline namespace VELTRANO_EXTENDED_NAMESPACE {

struct TraceMode {
    enum Kind {
        EveryPoint,  // every operation, as traceEveryPoint issues them
        Compact,     // only those that can change a pixel inside `reach`
    };
    Kind kind = EveryPoint;
    PixelBox reach = PixelBox::everywhere();

    static TraceMode everyPoint() { return {EveryPoint, PixelBox::everywhere()}; }
    // For a sink that draws each lineTo within the bounding box of its ends,
    // end pixel excluded, and whose drawing matters only inside `reach`.
    static TraceMode compact(const PixelBox& reach) { return {Compact, reach}; }
};

// Traces curves for one plot geometry, keeping the abscissa tables that the
// compact mode shares between curves.
class CurveTracer {
public:
    explicit CurveTracer(const PlotGeometry& geometry = {}) : geometry_(geometry) {}

    // Throws std::invalid_argument, before any operation, unless step > 0.
    TraceResult trace(const Coefficients& curve, double step, SegmentSink& sink, const TraceMode& mode);

    const PlotGeometry& geometry() const { return geometry_; }
    const AbscissaTables& tables() const { return tables_; }

private:
    PlotGeometry geometry_;
    AbscissaTables tables_;
};

}  // namespace VELTRANO_EXTENDED_NAMESPACE
}  // namespace plot
