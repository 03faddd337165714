#include "core/plot/Graph.h"

#include "core/plot/Axes.h"

namespace plot {

namespace {

// Any sink as a graph sink that takes every curve operation by operation.
class OperationsOnly : public GraphSink {
public:
    explicit OperationsOnly(SegmentSink& sink) : sink_(sink) {}
    void moveTo(std::int64_t x, std::int64_t y) override { sink_.moveTo(x, y); }
    void lineTo(std::int64_t x, std::int64_t y) override { sink_.lineTo(x, y); }
    void reachedYAxis(double ordinate) override { sink_.reachedYAxis(ordinate); }

private:
    SegmentSink& sink_;
};

}  // namespace

core::Status drawGraph(CurveTable& table, double step, int width, int height, GraphSink& sink)
{
    drawAxes(table.geometry(), sink);
    return drawCurves(table, step, width, height, sink);
}

core::Status drawGraph(CurveTable& table, double step, int width, int height, SegmentSink& sink)
{
    OperationsOnly graphSink(sink);
    return drawGraph(table, step, width, height, graphSink);
}

core::Status drawCurves(CurveTable& table, double step, int width, int height, GraphSink& sink, std::size_t first)
{
    core::Status failure;
    table.forEachTrace(
        step, graphReach(width, height),
        [&](std::size_t index, const RecordedTrace& trace) {
            if (!sink.takeStoredCurve(index, trace)) trace.replay(sink);
            if (trace.result.failed && !failure) failure = trace.result.status();
        },
        first);
    sink.curvesDone();
    return failure;
}

core::Status drawCurves(CurveTable& table, double step, int width, int height, SegmentSink& sink, std::size_t first)
{
    OperationsOnly graphSink(sink);
    return drawCurves(table, step, width, height, graphSink, first);
}

}  // namespace plot
