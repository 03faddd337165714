#include "core/vector/Polylines.h"

#include "core/raster/SegmentClip.h"

namespace core {

void PolylineCollector::moveTo(std::int64_t x, std::int64_t y)
{
    if (x != penX_ || y != penY_) runOpen_ = false;
    penX_ = x;
    penY_ = y;
}

void PolylineCollector::lineTo(std::int64_t x, std::int64_t y)
{
    if (x == penX_ && y == penY_) return;
    const std::optional<ClippedSegment> cut = clipSegment({penX_, penY_, x, y}, box_);
    penX_ = x;
    penY_ = y;
    if (!cut) {
        runOpen_ = false;
        return;
    }
    if (!runOpen_ || cut->startCut) polylines_.push_back({{cut->x0, cut->y0}});
    polylines_.back().push_back({cut->x1, cut->y1});
    runOpen_ = cut->x1 == x && cut->y1 == y;
}

}  // namespace core
