#include "core/plot/Graph.h"

#include "core/plot/Axes.h"

namespace plot {

core::Status drawGraph(CurveTable& table, double step, int width, int height, SegmentSink& sink)
{
    drawAxes(table.geometry(), sink);
    return drawCurves(table, step, width, height, sink);
}

core::Status drawCurves(CurveTable& table, double step, int width, int height, SegmentSink& sink, std::size_t first)
{
    const PixelBox reach = graphReach(width, height);
    core::Status failure;
    for (std::size_t i = first, count = std::size_t(table.count()); i < count; ++i) {
        const RecordedTrace& trace = table.trace(i, step, reach);
        trace.replay(sink);
        if (trace.result.failed && !failure) failure = trace.result.status();
    }
    return failure;
}

}  // namespace plot
