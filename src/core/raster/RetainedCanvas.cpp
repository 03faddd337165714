#include "core/raster/RetainedCanvas.h"

#include <algorithm>

namespace core {

namespace {

PixelRect intersected(const PixelRect& a, const PixelRect& b)
{
    const PixelRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                      std::min(a.bottom, b.bottom)};
    return r.empty() ? PixelRect{} : r;
}

PixelRect united(const PixelRect& a, const PixelRect& b)
{
    if (a.empty()) return b;
    if (b.empty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

template <class Visit>
void forEachRow(const PixelRect& rect, int stride, Visit visit)
{
    for (int y = rect.top; y < rect.bottom; ++y)
        visit(std::size_t(y) * std::size_t(stride) + std::size_t(rect.left), std::size_t(rect.right - rect.left));
}

}  // namespace

void RetainedCanvas::resize(int width, int height, std::uint32_t background)
{
    background_ = background;
    surface_.resize(width, height, background);
    surface_.setPenColor(kPenColor);
    invalid_.assign(std::size_t(surface_.width()) * std::size_t(surface_.height()), 0);
    invalidBounds_ = {};
    clipStale_ = true;
    invalidateAll();
}

void RetainedCanvas::setCovered(std::vector<PixelRect> covered)
{
    if (covered.size() == covered_.size() &&
        std::equal(covered.begin(), covered.end(), covered_.begin(), [](const PixelRect& a, const PixelRect& b) {
            return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
        }))
        return;
    covered_ = std::move(covered);
    clipStale_ = true;
}

void RetainedCanvas::invalidate(const PixelRect& rect)
{
    const PixelRect inside = intersected(rect, {0, 0, width(), height()});
    if (inside.empty()) return;
    forEachRow(inside, width(), [&](std::size_t at, std::size_t n) { std::fill_n(invalid_.begin() + at, n, 1); });
    invalidBounds_ = united(invalidBounds_, inside);
}

PixelRect RetainedCanvas::beginPaint()
{
    const PixelRect area = invalidBounds_;
    painting_ = true;
    paintArea_.swap(invalid_);
    invalid_.assign(paintArea_.size(), 0);
    invalidBounds_ = {};

    std::uint32_t* pixels = surface_.pixels();
    forEachRow(area, width(), [&](std::size_t at, std::size_t n) {
        for (std::size_t i = at; i < at + n; ++i) {
            if (paintArea_[i]) pixels[i] = background_;
        }
    });
    rebuildClip();
    surface_.takeDirtyRect();
    return area;
}

void RetainedCanvas::endPaint()
{
    painting_ = false;
    paintArea_.clear();
    clipStale_ = true;
    surface_.takeDirtyRect();
}

void RetainedCanvas::rebuildClip()
{
    clipStale_ = false;
    std::vector<std::uint8_t>& mask = surface_.clipMask();
    if (painting_)
        mask = paintArea_;
    else
        std::fill(mask.begin(), mask.end(), std::uint8_t{1});
    for (const PixelRect& rect : covered_) {
        const PixelRect inside = intersected(rect, {0, 0, width(), height()});
        forEachRow(inside, width(), [&](std::size_t at, std::size_t n) { std::fill_n(mask.begin() + at, n, 0); });
    }
}

void RetainedCanvas::inkStrokes(const PixelSurface& strokes, const PixelRect& area)
{
    if (strokes.width() != width() || strokes.height() != height()) return;
    if (clipStale_) rebuildClip();
    const PixelRect inside = intersected(area, {0, 0, width(), height()});
    const std::uint8_t* clip = surface_.clipMask().data();
    const std::uint32_t* ink = strokes.pixels();
    std::uint32_t* pixels = surface_.pixels();
    forEachRow(inside, width(), [&](std::size_t at, std::size_t n) {
        for (std::size_t i = at; i < at + n; ++i) {
            if (clip[i] && ink[i] == kPenColor) pixels[i] = kPenColor;
        }
    });
}

}  // namespace core
