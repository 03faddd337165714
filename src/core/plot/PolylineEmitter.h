#pragma once
// The last step of compact tracing: a polyline reaches the sink without the
// points that cannot change a pixel of the visible box.

#include <cstdint>

#include "core/plot/SegmentSink.h"

namespace plot {

struct Pixel {
    std::int64_t x = 0, y = 0;
    bool operator==(const Pixel&) const = default;
};

// Passes a polyline on to a sink, leaving out what cannot change a pixel of
// the visible box: points equal to the pen's position, and points inside a
// run beyond one edge. A point held back is issued once the polyline turns
// towards the box, before a failure ends it, or at the end.
class PolylineEmitter {
public:
    PolylineEmitter(SegmentSink& sink, const PixelBox& visible) : sink_(sink), visible_(visible) {}

    void moveTo(Pixel p) {
        holding_ = false;  // the held segment draws nothing; the pen leaves from here now
        sink_.moveTo(p.x, p.y);
        at_ = p;
        atEdges_ = edgesBeyond(p);
    }

    void lineTo(Pixel p) {
        if (holding_) {
            if (p == held_) return;
            const unsigned edges = edgesBeyond(p);
            // Both the held segment and the next one stay beyond an edge:
            // one segment from the pen to p draws the same nothing.
            if ((atEdges_ & edges) != 0 && (heldEdges_ & edges) != 0) {
                held_ = p;
                heldEdges_ = edges;
                return;
            }
            issueHeld();
            continueTo(p, edges);
            return;
        }
        if (p == at_) return;
        continueTo(p, edgesBeyond(p));
    }

    void finish() {
        if (holding_) issueHeld();
    }

    // Whether every point between p and q, both coordinates lying between
    // theirs, is beyond one edge with them.
    bool beyondOneEdge(Pixel p, Pixel q) const { return (edgesBeyond(p) & edgesBeyond(q)) != 0; }

private:
    enum Edge : unsigned { Left = 1, Right = 2, Top = 4, Bottom = 8 };

    unsigned edgesBeyond(Pixel p) const {
        return (p.x < visible_.left ? Left : 0u) | (p.x >= visible_.right ? Right : 0u) |
               (p.y < visible_.top ? Top : 0u) | (p.y >= visible_.bottom ? Bottom : 0u);
    }

    void continueTo(Pixel p, unsigned edges) {
        if ((atEdges_ & edges) != 0) {
            holding_ = true;
            held_ = p;
            heldEdges_ = edges;
            return;
        }
        sink_.lineTo(p.x, p.y);
        at_ = p;
        atEdges_ = edges;
    }

    void issueHeld() {
        holding_ = false;
        sink_.lineTo(held_.x, held_.y);
        at_ = held_;
        atEdges_ = heldEdges_;
    }

    SegmentSink& sink_;
    PixelBox visible_;
    Pixel at_;  // where the pen is
    unsigned atEdges_ = 0;
    bool holding_ = false;
    Pixel held_;  // where the polyline is, when it is not where the pen is
    unsigned heldEdges_ = 0;
};

}  // namespace plot
