#include "core/explore/CurvePixels.h"

namespace explore {

namespace {

class ScratchSink : public plot::SegmentSink {
public:
    explicit ScratchSink(core::PixelSurface& surface) : surface_(surface) {}
    void moveTo(std::int64_t x, std::int64_t y) override { surface_.moveTo(x, y); }
    void lineTo(std::int64_t x, std::int64_t y) override { surface_.lineTo(x, y); }

private:
    core::PixelSurface& surface_;
};

}  // namespace

std::vector<PixelRun> CurvePixels::runsOf(const plot::RecordedTrace& trace, int width, int height)
{
    if (scratch_.width() != width || scratch_.height() != height) {
        scratch_.resize(0, 0, 0);
        scratch_.resize(width, height, 0);
        scratch_.setPenColor(1);
    }
    ScratchSink sink(scratch_);
    (void)scratch_.takeDirtyRect();
    trace.replay(sink);
    const core::PixelRect inked = scratch_.takeDirtyRect();
    std::vector<PixelRun> runs;
    for (int y = inked.top; y < inked.bottom; ++y) {
        const std::uint32_t* row = scratch_.pixels() + std::size_t(y) * std::size_t(width);
        for (int x = inked.left; x < inked.right; ++x) {
            if (row[x] == 0) continue;
            const int left = x;
            while (x < inked.right && row[x] != 0) ++x;
            runs.push_back({left, x, y});
        }
    }
    scratch_.fillRect(inked, 0);
    return runs;
}

}  // namespace explore
