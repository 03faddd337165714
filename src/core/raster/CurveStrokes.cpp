#include "core/raster/CurveStrokes.h"

#include <algorithm>

#include "core/raster/RetainedCanvas.h"

namespace core {

namespace {

// Hands a kept trace's operations to the strokes image.
class StrokeSink : public plot::SegmentSink {
public:
    explicit StrokeSink(PixelSurface& surface) : surface_(surface) {}
    void moveTo(std::int64_t x, std::int64_t y) override { surface_.moveTo(x, y); }
    void lineTo(std::int64_t x, std::int64_t y) override { surface_.lineTo(x, y); }

private:
    PixelSurface& surface_;
};

}  // namespace

const PixelSurface& CurveStrokes::update(plot::CurveTable& table, double step, int width, int height,
                                         const plot::PixelBox& reach)
{
    const bool sameImage = valid_ && step_ == step && generation_ == table.generation() &&
                           strokes_.width() == width && strokes_.height() == height && drawn_ <= table.count();
    if (!sameImage) {
        strokes_ = PixelSurface();
        valid_ = false;
        inkedBounds_ = {};
    }
    if (table.count() == 0) return strokes_;  // no image needed while there is no curve
    if (!valid_) {
        strokes_.resize(width, height, 0);
        strokes_.setPenColor(RetainedCanvas::kPenColor);
        step_ = step;
        generation_ = table.generation();
        drawn_ = 0;
        valid_ = true;
        inkedBounds_ = {};
    }
    StrokeSink sink(strokes_);
    table.forEachTrace(step, reach, [&sink](std::size_t, const plot::RecordedTrace& trace) { trace.replay(sink); },
                       std::size_t(drawn_));
    drawn_ = table.count();
    const PixelRect reached = strokes_.takeDirtyRect();
    if (!reached.empty()) {
        inkedBounds_ = inkedBounds_.empty()
                           ? reached
                           : PixelRect{std::min(inkedBounds_.left, reached.left), std::min(inkedBounds_.top, reached.top),
                                       std::max(inkedBounds_.right, reached.right),
                                       std::max(inkedBounds_.bottom, reached.bottom)};
    }
    return strokes_;
}

}  // namespace core
