#pragma once
// The whole graph as one stream of segments: the axes, then every stored
// curve in drawing order from its kept trace. Every output of the graph (a
// picture at any scale, a vector file, a printed page, the window's repaint)
// is a sink handed to drawGraph.

#include "core/number/UserError.h"
#include "core/plot/CurveTable.h"
#include "core/plot/RecordedTrace.h"

namespace plot {

// The tracing steps: a draw request's, and the animation mode's finer one.
inline constexpr double kNormalStep = 0.005;
inline constexpr double kFineStep = 0.00015;

// How far around the drawing area a kept trace must be good: a picture's
// wide pen inks up to a client pixel around each point.
inline constexpr std::int64_t kGraphTraceMargin = 2;

inline PixelBox graphReach(int width, int height)
{
    return PixelBox{0, 0, width, height}.grownBy(kGraphTraceMargin);
}

// Where drawGraph draws. Each stored curve is offered whole first: a sink
// that keeps the curves' pixels itself (the window's canvas) takes it at
// once; any other gets the kept trace's operations.
class GraphSink : public SegmentSink {
public:
    // Returns false to have the trace's operations issued one by one.
    virtual bool takeStoredCurve(std::size_t index, const RecordedTrace& trace)
    {
        (void)index, (void)trace;
        return false;
    }
    // Every curve has been offered.
    virtual void curvesDone() {}
};

// Draws the axes and the table's stored curves traced at `step` into `sink`,
// for a drawing area of width × height client pixels. Returns the failure of
// the first curve whose tracing fails (the others are drawn all the same).
core::Status drawGraph(CurveTable& table, double step, int width, int height, GraphSink& sink);
core::Status drawGraph(CurveTable& table, double step, int width, int height, SegmentSink& sink);

// The stored curves from index `first` on, without the axes.
core::Status drawCurves(CurveTable& table, double step, int width, int height, GraphSink& sink,
                        std::size_t first = 0);
core::Status drawCurves(CurveTable& table, double step, int width, int height, SegmentSink& sink,
                        std::size_t first = 0);

}  // namespace plot
