#include "core/explore/OwnerImage.h"

#include <algorithm>

namespace explore {

namespace {

class OwnerSink : public plot::SegmentSink {
public:
    explicit OwnerSink(core::PixelSurface& surface) : surface_(surface) {}
    void moveTo(std::int64_t x, std::int64_t y) override { surface_.moveTo(x, y); }
    void lineTo(std::int64_t x, std::int64_t y) override { surface_.lineTo(x, y); }

private:
    core::PixelSurface& surface_;
};

}  // namespace

void OwnerImage::update(plot::CurveTable& table, double step, int width, int height, const plot::PixelBox& reach)
{
    const bool same = valid_ && step_ == step && generation_ == table.generation() && owners_.width() == width &&
                      owners_.height() == height && drawn_ <= table.count();
    if (!same) {
        owners_.resize(0, 0, 0);
        owners_.resize(width, height, 0);
        step_ = step;
        generation_ = table.generation();
        drawn_ = 0;
        valid_ = true;
    }
    OwnerSink sink(owners_);
    table.forEachTrace(
        step, reach,
        [this, &sink](std::size_t index, const plot::RecordedTrace& trace) {
            owners_.setPenColor(std::uint32_t(index + 1));
            trace.replay(sink);
        },
        std::size_t(drawn_));
    drawn_ = table.count();
    (void)owners_.takeDirtyRect();
}

std::optional<std::size_t> OwnerImage::nearestCurve(int x, int y) const
{
    constexpr int reach = kSnapRadius * kSnapRadius;
    int best = reach + 1;
    std::uint32_t owner = 0;
    const int top = std::max(0, y - kSnapRadius), bottom = std::min(owners_.height() - 1, y + kSnapRadius);
    const int left = std::max(0, x - kSnapRadius), right = std::min(owners_.width() - 1, x + kSnapRadius);
    for (int row = top; row <= bottom; ++row) {
        const std::uint32_t* line = owners_.pixels() + std::size_t(row) * std::size_t(owners_.width());
        for (int column = left; column <= right; ++column) {
            const std::uint32_t here = line[column];
            if (here == 0) continue;
            const int distance = (column - x) * (column - x) + (row - y) * (row - y);
            if (distance < best || (distance == best && here > owner)) {
                best = distance;
                owner = here;
            }
        }
    }
    if (owner == 0) return std::nullopt;
    return std::size_t(owner - 1);
}

}  // namespace explore
