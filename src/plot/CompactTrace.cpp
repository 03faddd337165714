#include "plot/CompactTrace.h"

#include <cmath>
#include <cstdlib>
#include <memory>
#include <stdexcept>

#include "plot/AbscissaTable.h"
#include "plot/Trace.h"
#include "plot/TraceArithmetic.h"

namespace plot {

namespace {

struct Pixel {
    std::int64_t x = 0, y = 0;
    bool operator==(const Pixel&) const = default;
};

// Passes a polyline on to a pen, leaving out what cannot change a pixel of
// the visible box: points equal to the pen's position, and points inside a
// run beyond one edge. A point held back is issued once the polyline turns
// towards the box, before a failure ends it, or at the end.
class PolylineEmitter {
public:
    PolylineEmitter(Pen& pen, const PixelBox& visible) : pen_(pen), visible_(visible) {}

    void moveTo(Pixel p) {
        holding_ = false;  // the held segment draws nothing; the pen leaves from here now
        pen_.moveTo(p.x, p.y);
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
        pen_.lineTo(p.x, p.y);
        at_ = p;
        atEdges_ = edges;
    }

    void issueHeld() {
        holding_ = false;
        pen_.lineTo(held_.x, held_.y);
        at_ = held_;
        atEdges_ = heldEdges_;
    }

    Pen& pen_;
    PixelBox visible_;
    Pixel at_;  // where the pen is
    unsigned atEdges_ = 0;
    bool holding_ = false;
    Pixel held_;  // where the polyline is, when it is not where the pen is
    unsigned heldEdges_ = 0;
};

// ceil(l1·ty) for the scales whose product with a double is exact in
// extended precision: from the double's bits, no 80-bit value stored.
struct ExactScale {
    std::int64_t l1;
    bool operator()(double ty, std::int64_t& ceiling) const {
        return arithmetic::ceilOfExactProduct(ty, l1, ceiling);
    }
};

// Any other scale: the extended product, rounded up.
struct ExtendedScale {
    long double l1;
    bool operator()(double ty, std::int64_t& ceiling) const {
        try {
            ceiling = arithmetic::roundToInt64<RoundUp>(l1 * ty);
            return true;
        } catch (const platform::InvalidFloatOpError&) {
            return false;
        }
    }
};

struct PassResult {
    std::int64_t pointsTraced;
    bool failed;
};

// One pass over the abscissae of a table, for one curve.
template <class Ceiling>
class PassTracer {
public:
    PassTracer(const AbscissaTable::Pass& pass, double a, double b, double c, Ceiling ceiling, std::int64_t oy,
               PolylineEmitter& out)
        : pass_(pass), a_(a), b_(b), c_(c), ceiling_(ceiling), oy_(oy), out_(out) {}

    double ordinateAt(std::size_t k) const {
        return arithmetic::ordinateAt(pass_.square[k], pass_.t[k], a_, b_, c_);
    }

    // False where the rounding of the ordinate fails.
    bool pixelAt(std::size_t k, double ty, Pixel& pixel) const {
        std::int64_t up;
        if (!ceiling_(ty, up)) return false;
        pixel = {pass_.column[k], arithmetic::saturatingSubtract(oy_, up)};
        return true;
    }
    bool pixelAt(std::size_t k, Pixel& pixel) const { return pixelAt(k, ordinateAt(k), pixel); }

    // Every point in turn, from the first, which the pen is at.
    PassResult traceEveryPoint() {
        const std::size_t count = pass_.size();
        for (std::size_t k = 1; k < count; ++k) {
            Pixel pixel;
            if (!pixelAt(k, pixel)) return {std::int64_t(k), true};
            out_.lineTo(pixel);
        }
        return {std::int64_t(count), false};
    }

    // For a pass whose pixels are monotone in both coordinates: the points
    // that succeed form a prefix, found by bisection, and within it the
    // points are traced by bisection too.
    PassResult traceMonotone(Pixel first) {
        const std::size_t count = pass_.size();
        std::size_t last = count - 1;
        Pixel lastPixel;
        bool failed = false;
        if (!pixelAt(last, lastPixel)) {
            failed = true;
            std::size_t good = 0, bad = last;
            while (bad - good > 1) {
                const std::size_t middle = good + (bad - good) / 2;
                (pixelAt(middle, lastPixel) ? good : bad) = middle;
            }
            last = good;
            pixelAt(last, lastPixel);
        }
        traceMonotoneRun(0, first, last, lastPixel);
        return {failed ? std::int64_t(last) + 1 : std::int64_t(count), failed};
    }

private:
    // Issues the points after `first` up to `last`, the pen being at `first`.
    // Between two points the pixels lie between theirs: if the two are equal
    // or beyond one edge, so is everything between.
    void traceMonotoneRun(std::size_t first, Pixel firstPixel, std::size_t last, Pixel lastPixel) {
        if (firstPixel == lastPixel) return;
        if (last - first == 1 || out_.beyondOneEdge(firstPixel, lastPixel)) {
            out_.lineTo(lastPixel);
            return;
        }
        const std::size_t middle = first + (last - first) / 2;
        Pixel middlePixel;
        if (!pixelAt(middle, middlePixel)) {
            throw std::logic_error("traceCurveCompact: a point between two traced ones failed");
        }
        traceMonotoneRun(first, firstPixel, middle, middlePixel);
        traceMonotoneRun(middle, middlePixel, last, lastPixel);
    }

    const AbscissaTable::Pass& pass_;
    const double a_, b_, c_;
    const Ceiling ceiling_;
    const std::int64_t oy_;
    PolylineEmitter& out_;
};

// Whether the ordinates computed along a pass are monotone. Every operation
// of the computation (t·t, its product with a, t·b, the sums, the rounding to
// double, the scaled ceiling) is a monotone function of its operands, so the
// result is monotone when a·t² and b·t move the same way as t moves away
// from 0: on the right when a and b have equal signs, on the left when they
// have opposite ones.
bool isMonotone(double a, double b, double c, bool rightward) {
    if (!std::isfinite(a) || !std::isfinite(b) || !std::isfinite(c)) return false;
    const bool sameSigns = (a >= 0 && b >= 0) || (a <= 0 && b <= 0);
    const bool oppositeSigns = (a >= 0 && b <= 0) || (a <= 0 && b >= 0);
    return rightward ? sameSigns : oppositeSigns;
}

template <class Ceiling>
TraceOutcome traceWithTable(double a, double b, double c, const AbscissaTable& table, Ceiling ceiling,
                            const PlotGeometry& geometry, PolylineEmitter& out) {
    TraceOutcome outcome;
    for (const bool rightward : {true, false}) {
        const AbscissaTable::Pass& pass = rightward ? table.rightward() : table.leftward();
        if (pass.size() == 0) continue;
        PassTracer<Ceiling> tracer(pass, a, b, c, ceiling, geometry.oy, out);

        const double firstOrdinate = tracer.ordinateAt(0);
        Pixel first;
        if (!tracer.pixelAt(0, firstOrdinate, first)) {
            outcome.failed = true;
            return outcome;
        }
        out.moveTo(first);
        if (rightward) outcome.yIntercept = firstOrdinate;

        const PassResult result =
            isMonotone(a, b, c, rightward) ? tracer.traceMonotone(first) : tracer.traceEveryPoint();
        outcome.pointsTraced += result.pointsTraced;
        if (result.failed) {
            outcome.failed = true;
            return outcome;
        }
    }
    return outcome;
}

// Hands the plain tracer's operations to an emitter.
class EmittingPen : public Pen {
public:
    explicit EmittingPen(PolylineEmitter& out) : out_(out) {}
    void moveTo(std::int64_t x, std::int64_t y) override { out_.moveTo({x, y}); }
    void lineTo(std::int64_t x, std::int64_t y) override {
        out_.lineTo({x, y});
        ++lines;
    }
    std::int64_t lines = 0;

private:
    PolylineEmitter& out_;
};

// Without a table (it would not fit the cache): the plain tracer, point by point.
TraceOutcome traceWithoutTable(double a, double b, double c, double step, const PlotGeometry& geometry,
                               PolylineEmitter& out) {
    TraceOutcome outcome;
    EmittingPen pen(out);
    try {
        traceCurve(a, b, c, step, geometry, pen, [&outcome](double ty) { outcome.yIntercept = ty; });
    } catch (const platform::InvalidFloatOpError&) {
        outcome.failed = true;
    }
    outcome.pointsTraced = pen.lines;
    return outcome;
}

}  // namespace

TraceOutcome traceCurveCompact(double a, double b, double c, double step, const PlotGeometry& geometry,
                               const PixelBox& visible, Pen& pen) {
    if (!(step > 0.0)) throw std::invalid_argument("traceCurveCompact: the step must be positive");
    PolylineEmitter out(pen, visible);
    const std::shared_ptr<const AbscissaTable> table = AbscissaTable::shared(step, geometry);
    if (!table) {
        const TraceOutcome outcome = traceWithoutTable(a, b, c, step, geometry, out);
        out.finish();
        return outcome;
    }

    out.moveTo({geometry.ox, geometry.oy});
    const TraceOutcome outcome =
        std::llabs(geometry.l1) <= arithmetic::kLargestExactScale
            ? traceWithTable(a, b, c, *table, ExactScale{geometry.l1}, geometry, out)
            : traceWithTable(a, b, c, *table, ExtendedScale{static_cast<long double>(geometry.l1)}, geometry, out);
    out.finish();
    return outcome;
}

}  // namespace plot
