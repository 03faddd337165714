#pragma once
// Which stored curve inks each pixel of the drawing area, the latest drawn
// winning where curves cross or lie on one another: an image whose pen
// colour is the curve's number, kept and extended as curves are added. The
// pointer finds the curve it is near by looking around itself in it.

#include <cstdint>
#include <optional>

#include "core/plot/CurveTable.h"
#include "core/raster/PixelSurface.h"

namespace explore {

// A pointer this close to a curve's drawn pixels (in client pixels) is on it.
inline constexpr int kSnapRadius = 6;

class OwnerImage {
public:
    // The owners of the table's first count() curves at `step` on an image of
    // width × height, from the traces kept for `reach` (which must cover the
    // image).
    void update(plot::CurveTable& table, double step, int width, int height, const plot::PixelBox& reach);

    // The stored curve whose drawn pixel lies nearest (x, y), within
    // kSnapRadius; on a tie the latest drawn. None where no curve is near.
    std::optional<std::size_t> nearestCurve(int x, int y) const;

    int width() const { return owners_.width(); }
    int height() const { return owners_.height(); }

private:
    core::PixelSurface owners_;  // 0 where no curve inks, else index + 1
    double step_ = 0;
    std::uint64_t generation_ = 0;
    std::int32_t drawn_ = 0;
    bool valid_ = false;
};

}  // namespace explore
