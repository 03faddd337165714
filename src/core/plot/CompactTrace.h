#pragma once
// Tracing a curve for a pixel surface with as little work as gives the same
// pixels: the operations of traceEveryPoint without those that cannot change
// a pixel, and without computing the points that only such operations need.
// Internal to the tracer; the program traces through CurveTracer.

#include "core/plot/AbscissaTable.h"
#include "core/plot/Trace.h"

namespace plot {
inline namespace VELTRANO_EXTENDED_NAMESPACE {

// Traces like traceEveryPoint for a sink that draws each lineTo within the
// bounding box of its two ends, end pixel excluded (so nothing for a
// zero-length one), such as the window's canvas. It issues only some of the
// operations: a point equal to the pen's position is dropped, and so is a
// point between two others beyond one same edge of `visible`, since the
// segments joining them cannot reach it. Where the computed ordinates are
// monotone along a pass (all of it when a·t² and b·t move the same way, else
// all but a few points around the vertex), only the first and last point of
// each pixel column are computed and issued, since the vertical segments
// between them add up to one, and none once the rest of the pass lies beyond
// one edge. Without a `table` (one would not fit the tracer's budget) every
// point is computed.
// The pixels drawn inside `visible`, the pen's final position, the result
// (points traced, failure, y-axis ordinate) and the reachedYAxis call are
// exactly those of traceEveryPoint. Requires step > 0.
TraceResult traceCompact(const Coefficients& curve, double step, const PlotGeometry& geometry,
                         const AbscissaTable* table, const PixelBox& visible, SegmentSink& sink);

}  // namespace VELTRANO_EXTENDED_NAMESPACE
}  // namespace plot
