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

bool contains(const PixelRect& outer, const PixelRect& inner)
{
    return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
           outer.bottom >= inner.bottom;
}

void fillMask(std::vector<std::uint8_t>& mask, int stride, const PixelRect& rect, std::uint8_t value)
{
    for (int y = rect.top; y < rect.bottom; ++y)
        std::fill_n(mask.begin() + std::ptrdiff_t(y) * stride + rect.left, rect.right - rect.left, value);
}

}  // namespace

void RetainedCanvas::resize(int width, int height, std::uint32_t background)
{
    background_ = background;
    surface_.resize(width, height, background);
    surface_.setPenColor(kPenColor);
    invalid_.clear();
    invalidBounds_ = {};
    clipStale_ = true;
    clipKnown_ = false;  // the resize let every pixel through
    invalidateAll();
}

void RetainedCanvas::setCovered(std::vector<PixelRect> covered)
{
    if (covered != covered_) {
        covered_ = std::move(covered);
        clipStale_ = true;
    }
}

void RetainedCanvas::invalidate(const PixelRect& rect)
{
    const PixelRect inside = intersected(rect, {0, 0, width(), height()});
    if (inside.empty()) return;
    for (const PixelRect& known : invalid_) {
        if (contains(known, inside)) return;
    }
    std::erase_if(invalid_, [&](const PixelRect& known) { return contains(inside, known); });
    invalid_.push_back(inside);
    invalidBounds_ = united(invalidBounds_, inside);
}

PixelRect RetainedCanvas::beginPaint()
{
    const PixelRect area = invalidBounds_;
    painting_ = true;
    paintArea_.swap(invalid_);
    invalid_.clear();
    invalidBounds_ = {};
    for (const PixelRect& rect : paintArea_) surface_.fillRect(rect, background_);
    clipStale_ = true;
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
    if (clipKnown_ && clipOfPaint_ == painting_ && clipCovered_ == covered_ &&
        (!painting_ || clipArea_ == paintArea_))
        return;
    clipKnown_ = true;
    clipOfPaint_ = painting_;
    clipCovered_ = covered_;
    clipArea_ = painting_ ? paintArea_ : std::vector<PixelRect>();

    std::vector<std::uint8_t>& mask = surface_.clipMask();
    if (painting_) {
        std::fill(mask.begin(), mask.end(), std::uint8_t{0});
        for (const PixelRect& rect : paintArea_) fillMask(mask, width(), rect, 1);
    } else {
        std::fill(mask.begin(), mask.end(), std::uint8_t{1});
    }
    for (const PixelRect& rect : covered_) fillMask(mask, width(), intersected(rect, {0, 0, width(), height()}), 0);
}

void RetainedCanvas::inkStrokes(const PixelSurface& strokes, const PixelRect& area)
{
    if (strokes.width() != width() || strokes.height() != height()) return;
    if (clipStale_) rebuildClip();
    const PixelRect inside = intersected(area, {0, 0, width(), height()});
    const std::uint8_t* clip = surface_.clipMask().data();
    const std::uint32_t* ink = strokes.pixels();
    std::uint32_t* pixels = surface_.pixels();
    for (int y = inside.top; y < inside.bottom; ++y) {
        const std::size_t row = std::size_t(y) * std::size_t(width());
        // Branch-free, so that the compiler can work on many pixels at a time.
        for (std::size_t i = row + std::size_t(inside.left), end = row + std::size_t(inside.right); i < end; ++i) {
            const bool inks = (clip[i] != 0) & (ink[i] == kPenColor);
            pixels[i] = inks ? kPenColor : pixels[i];
        }
    }
}

}  // namespace core
