#pragma once
// What changed between two states of an image of one size, kept compactly:
// only the pixels that differ, with their values before and after. A curve
// drawn over the graph changes a few thousand pixels of a few hundred
// thousand; its change is kept in a few kilobytes and can be taken back or
// made again exactly.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/raster/PixelSurface.h"

namespace core {

class PixelChange {
public:
    // The pixels in which `after` differs from `before`, two row-major
    // images of width × height.
    static PixelChange between(const std::uint32_t* before, const std::uint32_t* after, int width, int height);
    static PixelChange between(const PixelSurface& before, const PixelSurface& after)
    {
        if (before.width() != after.width() || before.height() != after.height()) return {};
        return between(before.pixels(), after.pixels(), after.width(), after.height());
    }

    bool empty() const { return spanBytes_ == 0; }
    // Puts the pixels back as they were before, or as they were after, in an
    // image of the size the change was made in (any other is left alone).
    void undo(std::uint32_t* pixels, int width, int height) const { write(pixels, width, height, 0); }
    void redo(std::uint32_t* pixels, int width, int height) const { write(pixels, width, height, beforeRuns_); }
    void undo(PixelSurface& image) const { undo(image.pixels(), image.width(), image.height()); }
    void redo(PixelSurface& image) const { redo(image.pixels(), image.width(), image.height()); }

    // The values before become those `pixels` hold now at the changed
    // places: the change made again over an image repainted meanwhile.
    void rebase(const std::uint32_t* pixels, int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    // The memory the change holds.
    std::size_t bytes() const;

private:
    // Runs of equal values, in the order of the changed pixels.
    struct Run {
        std::uint32_t value;
        std::uint32_t count;
    };
    static void append(std::vector<Run>& runs, std::uint32_t value);
    void pack(const std::vector<std::uint8_t>& spans, const std::vector<Run>& before, const std::vector<Run>& after);
    std::vector<Run> runs(std::size_t first, std::size_t count) const;
    void write(std::uint32_t* pixels, int width, int height, std::size_t firstRun) const;
    // Calls visit(position) for each changed pixel, in order.
    template <class Visit>
    void forEachPosition(Visit&& visit) const;

    int width_ = 0, height_ = 0;
    // One block, so that a thousand changes kept for long do not pin pages
    // all over the heap: each changed span as two variable-length numbers
    // (the unchanged pixels before it, since the last span's end, and its
    // length), then the runs of the values before, then those after.
    std::vector<std::uint8_t> bytes_;
    std::size_t spanBytes_ = 0, beforeRuns_ = 0, afterRuns_ = 0;
};

}  // namespace core
