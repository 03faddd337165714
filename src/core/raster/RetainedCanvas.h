#pragma once
// The window's drawing area as the program draws on it: a retained image
// that drawing lands on at once, the part of it that must be repainted, and
// the rectangles of the child controls that drawing never touches. A paint
// cycle erases the invalid part to the background and clips the paint
// handler's drawing to it; nothing else about the image is remembered.
// Qt-free: the window presents the image and tells what became invalid.

#include <cstdint>
#include <vector>

#include "core/plot/SegmentSink.h"
#include "core/raster/PixelSurface.h"

namespace core {

class RetainedCanvas : public plot::SegmentSink {
public:
    static constexpr std::uint32_t kPenColor = 0xff000000u;

    // A new size keeps the overlapping pixels and makes the whole area invalid.
    void resize(int width, int height, std::uint32_t background);
    void setBackground(std::uint32_t background) { background_ = background; }
    std::uint32_t background() const { return background_; }

    // The rectangles of the visible child controls.
    void setCovered(std::vector<PixelRect> covered);

    void invalidate(const PixelRect& rect);
    void invalidateAll() { invalidate({0, 0, width(), height()}); }
    bool hasInvalidArea() const { return !invalid_.empty(); }

    // Starts a paint cycle: erases the invalid area to the background, clips
    // drawing to it, and counts it valid again. Returns the bounding box of
    // the area repainted.
    PixelRect beginPaint();
    // Ends the paint cycle: drawing is clipped to the uncovered area again.
    void endPaint();
    bool isPainting() const { return painting_; }

    // Pen operations of the default 1-pixel black pen, clipped as above.
    void moveTo(std::int64_t x, std::int64_t y) override { surface_.moveTo(x, y); }
    void lineTo(std::int64_t x, std::int64_t y) override
    {
        if (clipStale_) rebuildClip();
        surface_.lineTo(x, y);
    }

    // Inks, within the current clip and `area`, every pixel that is inked in
    // `strokes` (an image of the same size drawn with the same pen): the
    // same as drawing again the lines that inked them.
    void inkStrokes(const PixelSurface& strokes, const PixelRect& area);

    // The bounding box of what was drawn since the last call, then empty.
    PixelRect takeDirtyRect() { return surface_.takeDirtyRect(); }

    int width() const { return surface_.width(); }
    int height() const { return surface_.height(); }
    const PixelSurface& surface() const { return surface_; }
    PixelSurface& surface() { return surface_; }

private:
    void rebuildClip();

    PixelSurface surface_;
    std::uint32_t background_ = 0xffffffffu;
    std::vector<PixelRect> covered_;
    std::vector<PixelRect> invalid_;  // their union is the invalid area
    PixelRect invalidBounds_;
    bool painting_ = false;
    std::vector<PixelRect> paintArea_;  // during a paint: the area being repainted
    // The clip mask is worked out again only when what it depends on changed:
    // paint cycles of the same area, the usual case, clip alike.
    bool clipStale_ = true;
    bool clipKnown_ = false;
    bool clipOfPaint_ = false;
    std::vector<PixelRect> clipArea_;
    std::vector<PixelRect> clipCovered_;
};

}  // namespace core
