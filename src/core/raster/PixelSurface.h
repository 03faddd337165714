#pragma once
// A retained image of the client area with a pen that draws 1-pixel lines the
// way the window's canvas does: lineTo excludes its end pixel, a zero-length
// lineTo draws nothing, and only pixels whose clip byte is non-zero change.
// Coordinates may be anywhere in the signed 64-bit range; segments are clipped
// exactly, so the pixels drawn are those of the unclipped line.
// Qt-free: the window wraps the pixel buffer in a QImage.

#include <cstdint>
#include <vector>

namespace core {

// A rectangle of the image, in the image's int coordinates (plot::PixelBox
// is its counterpart on the 64-bit plane that traces live on).
struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
    bool empty() const { return right <= left || bottom <= top; }
    bool operator==(const PixelRect&) const = default;
};

class PixelSurface {
public:
    // Resizes the image, keeping the overlapping content; new pixels get
    // `background`. The clip afterwards allows every pixel.
    void resize(int width, int height, std::uint32_t background);

    int width() const { return width_; }
    int height() const { return height_; }
    std::uint32_t* pixels() { return pixels_.data(); }
    const std::uint32_t* pixels() const { return pixels_.data(); }
    std::uint32_t pixel(int x, int y) const { return pixels_[std::size_t(y) * width_ + x]; }

    // One byte per pixel, row-major: non-zero where drawing may change the pixel.
    // Keep its size at width() * height(); lineTo draws nothing while it differs.
    std::vector<std::uint8_t>& clipMask() { return clip_; }

    void setPenColor(std::uint32_t color) { penColor_ = color; }
    void fillRect(const PixelRect& rect, std::uint32_t color);  // ignores the clip

    void moveTo(std::int64_t x, std::int64_t y) { penX_ = x; penY_ = y; }

    // Draws from the pen to (x, y), end pixel excluded, and moves the pen there.
    // The segment takes n = max(|dx|, |dy|) unit steps along its longer axis (x
    // on a tie); at step i the other coordinate moves by i * d_other / n rounded
    // to nearest, exact halves toward the start.
    // Inline so that a zero-length segment, the common case when a curve is
    // traced at a fine step, costs one comparison.
    void lineTo(std::int64_t x, std::int64_t y) {
        if (x == penX_ && y == penY_) return;
        drawSegmentTo(x, y);
    }

    // The bounding box of the pixels lineTo reached inside the image since the
    // last call (pixels protected by the clip count as reached), then empty.
    PixelRect takeDirtyRect();

private:
    // Pixels of one segment from a start pixel inside the image: `steps` unit
    // steps along the major axis, with a step along the minor one whenever
    // the running `remainder` reaches `slack` (else it grows by `increment`).
    struct Walk {
        int startX, startY;
        bool xMajor;
        int majorSign, minorSign;
        std::uint64_t steps, remainder, increment, slack;
    };

    void drawSegmentTo(std::int64_t x, std::int64_t y);  // then moves the pen there
    void drawInsideSegment(int x0, int y0, int x1, int y1);
    void drawClippedSegment(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1);
    void walk(const Walk& walk);
    void growDirty(int left, int top, int right, int bottom);

    int width_ = 0, height_ = 0;
    std::vector<std::uint32_t> pixels_;
    std::vector<std::uint8_t> clip_;
    std::uint32_t penColor_ = 0xff000000u;
    std::int64_t penX_ = 0, penY_ = 0;
    PixelRect dirty_;
};

}  // namespace core
