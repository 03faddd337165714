#include "core/plot/TraceCurve.h"

#include <stdexcept>

#include "core/plot/CompactTrace.h"

namespace plot {
inline namespace VELTRANO_EXTENDED_NAMESPACE {

TraceResult CurveTracer::trace(const Coefficients& curve, double step, SegmentSink& sink, const TraceMode& mode)
{
    if (!(step > 0.0)) throw std::invalid_argument("CurveTracer::trace: the step must be positive");
    if (mode.kind == TraceMode::EveryPoint) return traceEveryPoint(curve, step, geometry_, sink);
    return traceCompact(curve, step, geometry_, tables_.find(step, geometry_), mode.reach, sink);
}

}  // namespace VELTRANO_EXTENDED_NAMESPACE
}  // namespace plot
