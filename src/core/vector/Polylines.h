#pragma once
// The graph's segments as polylines, for vector outputs (SVG, PDF, a printed
// page): each run of segments that join becomes one polyline with the exact
// integer end points of its segments. Zero-length segments add nothing;
// segments reaching far outside the drawing area are cut at a box around it.

#include <cstdint>
#include <vector>

#include "core/plot/SegmentSink.h"

namespace core {

struct VectorPoint {
    std::int64_t x, y;
    bool operator==(const VectorPoint&) const = default;
};

using Polyline = std::vector<VectorPoint>;

class PolylineCollector : public plot::SegmentSink {
public:
    // Keeps what lies in `box`.
    explicit PolylineCollector(const plot::PixelBox& box) : box_(box) {}

    void moveTo(std::int64_t x, std::int64_t y) override;
    void lineTo(std::int64_t x, std::int64_t y) override;

    const std::vector<Polyline>& polylines() const { return polylines_; }

private:
    plot::PixelBox box_;
    std::vector<Polyline> polylines_;
    std::int64_t penX_ = 0, penY_ = 0;
    bool runOpen_ = false;  // the last polyline ends at the pen
};

}  // namespace core
