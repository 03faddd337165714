#include "core/explore/CurvePixels.h"

#include <algorithm>

#include "core/raster/WidePen.h"

namespace explore {

namespace {

class SurfaceSink : public plot::SegmentSink {
public:
    explicit SurfaceSink(core::PixelSurface& surface) : surface_(surface) {}
    void moveTo(std::int64_t x, std::int64_t y) override { surface_.moveTo(x, y); }
    void lineTo(std::int64_t x, std::int64_t y) override { surface_.lineTo(x, y); }

private:
    core::PixelSurface& surface_;
};

void blank(core::PixelSurface& surface, int width, int height)
{
    if (surface.width() == width && surface.height() == height) return;
    surface.resize(0, 0, 0);
    surface.resize(width, height, 0);
    surface.setPenColor(1);
}

// The runs of inked pixels inside `box`, which is then blanked again.
std::vector<PixelRun> takeRuns(core::PixelSurface& surface, const core::PixelRect& box)
{
    std::vector<PixelRun> runs;
    for (int y = box.top; y < box.bottom; ++y) {
        const std::uint32_t* row = surface.pixels() + std::size_t(y) * std::size_t(surface.width());
        for (int x = box.left; x < box.right; ++x) {
            if (row[x] == 0) continue;
            const int left = x;
            while (x < box.right && row[x] != 0) ++x;
            runs.push_back({left, x, y});
        }
    }
    surface.fillRect(box, 0);
    return runs;
}

}  // namespace

std::vector<PixelRun> CurvePixels::runsOf(const plot::RecordedTrace& trace, int width, int height, int scale)
{
    blank(client_, width, height);
    SurfaceSink sink(client_);
    (void)client_.takeDirtyRect();
    trace.replay(sink);
    const core::PixelRect inked = client_.takeDirtyRect();
    if (scale == 1) return takeRuns(client_, inked);
    client_.fillRect(inked, 0);
    if (inked.empty()) return {};

    // The wide pen keeps within a client pixel of the client pen's pixels.
    blank(device_, width * scale, height * scale);
    core::WidePen pen(device_, scale);
    trace.replay(pen);
    const core::PixelRect box{std::max(0, (inked.left - 1) * scale), std::max(0, (inked.top - 1) * scale),
                              std::min(device_.width(), (inked.right + 1) * scale),
                              std::min(device_.height(), (inked.bottom + 1) * scale)};
    return takeRuns(device_, box);
}

}  // namespace explore
