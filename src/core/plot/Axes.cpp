#include "core/plot/Axes.h"

namespace plot {

namespace {
void segment(SegmentSink& pen, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1)
{
    pen.moveTo(x0, y0);
    pen.lineTo(x1, y1);
}
}  // namespace

void drawAxes(const PlotGeometry& g, SegmentSink& pen)
{
    // 64-bit arithmetic: no geometry can overflow the pen coordinates.
    const std::int64_t ox = g.ox, oy = g.oy, l1 = g.l1, l2 = g.l2, lx = g.lx, ly = g.ly;
    // The arrowheads are 10 pixels long and 3 wide, whatever the tick length.
    constexpr std::int64_t arrowLength = 10, arrowHalfWidth = 3;

    segment(pen, ox - lx, oy, ox + lx, oy);
    segment(pen, ox, oy - ly, ox, oy + ly);
    segment(pen, ox + lx - arrowLength, oy - arrowHalfWidth, ox + lx, oy);
    segment(pen, ox + lx - arrowLength, oy + arrowHalfWidth, ox + lx, oy);
    segment(pen, ox - arrowHalfWidth, oy - ly + arrowLength, ox, oy - ly);
    segment(pen, ox + arrowHalfWidth, oy - ly + arrowLength, ox, oy - ly);

    for (std::int64_t i = 1, n = g.xn; i <= n; ++i) {
        segment(pen, ox + l1 * i, oy - l2, ox + l1 * i, oy);
        segment(pen, ox - l1 * i, oy - l2, ox - l1 * i, oy);
    }
    for (std::int64_t i = 1, n = g.yn; i <= n; ++i) {
        segment(pen, ox + l2, oy - l1 * i, ox, oy - l1 * i);
        segment(pen, ox + l2, oy + l1 * i, ox, oy + l1 * i);
    }
}

}  // namespace plot
