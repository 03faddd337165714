#include "core/raster/WidePen.h"

#include <algorithm>
#include <cstdlib>

#include "core/raster/SegmentClip.h"

namespace core {

namespace {
constexpr std::uint32_t kInk = 0xff000000u;
}  // namespace

WidePen::WidePen(PixelSurface& surface, int scale) : surface_(surface), scale_(std::clamp(scale, 1, 8)) {}

void WidePen::moveTo(std::int64_t x, std::int64_t y)
{
    penX_ = x;
    penY_ = y;
    if (scale_ == 1) surface_.moveTo(x, y);
}

void WidePen::lineTo(std::int64_t x, std::int64_t y)
{
    if (scale_ == 1) {
        surface_.lineTo(x, y);
        penX_ = x;
        penY_ = y;
        return;
    }
    if (x == penX_ && y == penY_) return;
    const __int128 n = scale_, half = scale_ / 2;
    const Segment device{n * penX_ + half, n * penY_ + half, n * x + half, n * y + half};
    penX_ = x;
    penY_ = y;
    // Far enough around the picture that a cut end inks nothing inside it.
    const std::int64_t margin = 2 * scale_;
    const plot::PixelBox box{-margin, -margin, surface_.width() + margin, surface_.height() + margin};
    const auto inside = [&box](__int128 x, __int128 y) {
        return x >= box.left && x <= box.right && y >= box.top && y <= box.bottom;
    };
    if (inside(device.x0, device.y0) && inside(device.x1, device.y1))
        drawDeviceSegment(std::int64_t(device.x0), std::int64_t(device.y0), std::int64_t(device.x1),
                          std::int64_t(device.y1), true);
    else if (const std::optional<ClippedSegment> cut = clipSegment(device, box))
        drawDeviceSegment(cut->x0, cut->y0, cut->x1, cut->y1, !cut->startCut);
}

void WidePen::drawDeviceSegment(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, bool startBlock)
{
    const std::int64_t before = scale_ / 2, after = scale_ - 1 - before;
    if (startBlock) fill(x0 - before, y0 - before, x0 + after, y0 + after);
    const std::int64_t dx = x1 - x0, dy = y1 - y0;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t steps = xMajor ? std::llabs(dx) : std::llabs(dy);
    const std::int64_t minorLength = xMajor ? std::llabs(dy) : std::llabs(dx);
    const std::int64_t majorSign = (xMajor ? dx : dy) < 0 ? -1 : 1, minorSign = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const std::int64_t bias = (steps + 1) / 2 - 1;  // exact halves toward the start
    for (std::int64_t i = 0; i < steps; ++i) {
        const std::int64_t major = i * majorSign, minor = minorSign * ((i * minorLength + bias) / steps);
        if (xMajor)
            fill(x0 + major, y0 + minor - before, x0 + major, y0 + minor + after);
        else
            fill(x0 + minor - before, y0 + major, x0 + minor + after, y0 + major);
    }
}

// Inks the pixels from (left, top) to (right, bottom), both inclusive, that
// lie in the picture. Pictures have no clip: the mask is not consulted.
void WidePen::fill(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom)
{
    left = std::max<std::int64_t>(left, 0);
    top = std::max<std::int64_t>(top, 0);
    right = std::min<std::int64_t>(right, surface_.width() - 1);
    bottom = std::min<std::int64_t>(bottom, surface_.height() - 1);
    if (left > right || top > bottom) return;
    const std::size_t width = std::size_t(surface_.width());
    std::uint32_t* row = surface_.pixels() + std::size_t(top) * width;
    for (std::int64_t y = top; y <= bottom; ++y, row += width)
        std::fill(row + left, row + right + 1, kInk);
}

}  // namespace core
