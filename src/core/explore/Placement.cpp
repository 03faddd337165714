#include "core/explore/Placement.h"

#include <algorithm>

namespace explore {

namespace {

constexpr int kGap = 2;

bool inside(const core::PixelRect& box, const core::PixelRect& area)
{
    return box.left >= area.left && box.top >= area.top && box.right <= area.right && box.bottom <= area.bottom;
}

bool touches(const core::PixelRect& a, const core::PixelRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

int within(int start, int length, int low, int high)
{
    return std::max(low, std::min(start, high - length));
}

core::PixelRect box(int left, int top, int width, int height)
{
    return {left, top, left + width, top + height};
}

}  // namespace

core::PixelRect cursorBox(int x, int y)
{
    return {x - 2, y - 2, x + 16, y + 24};
}

core::PixelRect placeBeside(const core::PixelRect& area, const core::PixelRect& avoid, int width, int height,
                            const std::vector<core::PixelRect>& taken)
{
    const int besideTop = within(avoid.top + 4, height, area.top, area.bottom);
    const int alignedLeft = within(avoid.left, width, area.left, area.right);
    const core::PixelRect candidates[] = {
        box(avoid.right + kGap, besideTop, width, height),
        box(avoid.left - kGap - width, besideTop, width, height),
        box(alignedLeft, avoid.bottom + kGap, width, height),
        box(alignedLeft, avoid.top - kGap - height, width, height),
    };
    // Of the places that fit, the first that covers least of what is taken.
    const auto covered = [&taken](const core::PixelRect& candidate) {
        long area = 0;
        for (const core::PixelRect& other : taken) {
            const int w = std::min(candidate.right, other.right) - std::max(candidate.left, other.left);
            const int h = std::min(candidate.bottom, other.bottom) - std::max(candidate.top, other.top);
            if (w > 0 && h > 0) area += long(w) * h;
        }
        return area;
    };
    const core::PixelRect* best = nullptr;
    long least = 0;
    for (const core::PixelRect& candidate : candidates) {
        if (!inside(candidate, area) || touches(candidate, avoid)) continue;
        const long overlap = covered(candidate);
        if (!best || overlap < least) best = &candidate, least = overlap;
        if (least == 0) break;
    }
    if (best) return *best;
    return box(within(candidates[0].left, width, area.left, area.right), besideTop, width, height);
}

}  // namespace explore
