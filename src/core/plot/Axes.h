#pragma once
// The coordinate axes with their arrowheads and tick marks.

#include "core/plot/Geometry.h"
#include "core/plot/SegmentSink.h"

namespace plot {

// Issues the axes' pen operations: the x axis, the y axis, the two strokes of
// each arrowhead at the positive ends, then the ticks above the x axis (right
// then left, for each distance) and right of the y axis (upper then lower).
void drawAxes(const PlotGeometry& g, SegmentSink& pen);

}  // namespace plot
