#include "core/plot/CompactTrace.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <stdexcept>

#include "core/plot/AbscissaTable.h"
#include "core/plot/Trace.h"
#include "core/plot/TraceArithmetic.h"

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
        } catch (const core::InvalidFloatOpError&) {
            return false;
        }
    }
};

struct PassResult {
    std::int64_t pointsTraced;
    bool failed;
};

// Where a pass's pixels are known to be monotone: over the points 0 to
// prefixEnd and over suffixStart to the last; the points between are traced
// one by one.
struct MonotonePieces {
    std::size_t prefixEnd, suffixStart;
};

// The ordinate's computation is a chain of roundings, each a monotone
// function of its operands: t·t, its product with a, t·b, the sum of the two
// products (U), the sum with c, the rounding to double and the scaled
// ceiling. Along a pass |t| grows, so where U moves one way from point to
// point, so do the pixel rows (the columns always do).
//   If a·t² and b·t move the same way (a and b of equal signs on the right,
// of opposite signs on the left, or either zero), U is monotone over the
// whole pass. Otherwise it turns once, near the vertex. With ε = 2^-64 the
// computed U at t is a·t²(1 + α) + b·t(1 + β), |α| ≤ 2ε + ε², |β| ≤ ε, so
// between neighbours u, v (|u|, |v| ≤ T = |last t|):
//     U(v) − U(u) = (v − u)·q + r,  q = a·(u + v) + b,
//     |r| ≤ (4ε + 2ε²)·|a|·T² + 2ε·|b|·T < 5ε·(|a|·T² + |b|·T) = R.
// Where |q| > R / h (h the least |v − u|), U(v) − U(u) has the sign of
// (v − u)·q. Computed in extended precision, q is off by at most
// 3ε·|a|·|u + v| + ε·|b| < 8ε·(|a|·T + |b|) = E; so a computed |q| above
// 2·(R / h + E) guarantees that sign. That computed q is itself monotone
// along the pass: the neighbour pairs where it clears the bound on one side
// form a prefix, on the other side a suffix, and only the pairs between them,
// a few around the vertex, are left to trace point by point.
MonotonePieces monotonePieces(const AbscissaTable::Pass& pass, double a, double b, double c, bool rightward) {
    const std::size_t last = pass.size() - 1;
    const MonotonePieces pointByPoint{0, last}, monotone{last, last};
    if (!std::isfinite(a) || !std::isfinite(b) || !std::isfinite(c)) return pointByPoint;
    const bool sameSigns = (a >= 0 && b >= 0) || (a <= 0 && b <= 0);
    const bool oppositeSigns = (a >= 0 && b <= 0) || (a <= 0 && b >= 0);
    if (rightward ? sameSigns : oppositeSigns) return monotone;
    if (last < 2 || !(pass.smallestStep > 0)) return pointByPoint;

    constexpr long double epsilon = 0x1p-64L;
    const long double absA = std::fabs(static_cast<long double>(a)), absB = std::fabs(static_cast<long double>(b));
    const long double reach = std::fabs(static_cast<long double>(pass.t[last]));
    const long double roundingOfU = 5 * epsilon * (absA * reach * reach + absB * reach);
    const long double roundingOfQ = 8 * epsilon * (absA * reach + absB);
    const long double bound = 2 * (roundingOfU / pass.smallestStep + roundingOfQ);

    const auto q = [&](std::size_t k) {
        return static_cast<long double>(a) * (static_cast<long double>(pass.t[k]) + pass.t[k + 1]) + b;
    };
    const bool rising = q(last - 1) >= q(0);
    const auto beforeVertex = [&](std::size_t k) { return rising ? q(k) < -bound : q(k) > bound; };
    const auto afterVertex = [&](std::size_t k) { return rising ? q(k) > bound : q(k) < -bound; };
    // The first pair in [from, to) not satisfying `holds`, a prefix predicate.
    const auto endOfPrefix = [](std::size_t from, std::size_t to, const auto& holds) {
        while (from < to) {
            const std::size_t middle = from + (to - from) / 2;
            if (holds(middle)) {
                from = middle + 1;
            } else {
                to = middle;
            }
        }
        return from;
    };
    const std::size_t prefixEnd = endOfPrefix(0, last, beforeVertex);
    const std::size_t suffixStart =
        endOfPrefix(prefixEnd, last, [&](std::size_t k) { return !afterVertex(k); });
    return {prefixEnd, suffixStart};
}

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

    // The points after the first, which the pen is at.
    PassResult traceFrom(Pixel first, const MonotonePieces& pieces) {
        Reached reached{false, 0, first};
        if (pieces.prefixEnd > 0) reached = traceMonotone(0, first, pieces.prefixEnd);
        if (!reached.failed && pieces.suffixStart > reached.index) {
            reached = traceEachPoint(reached.index, pieces.suffixStart);
        }
        const std::size_t last = pass_.size() - 1;
        if (!reached.failed && last > reached.index) reached = traceMonotone(reached.index, reached.pixel, last);
        if (reached.failed) return {std::int64_t(reached.index), true};
        return {std::int64_t(pass_.size()), false};
    }

private:
    // The last point traced and its pixel, or the point that failed.
    struct Reached {
        bool failed;
        std::size_t index;
        Pixel pixel;
    };

    Reached traceEachPoint(std::size_t from, std::size_t to) {
        Pixel pixel;
        for (std::size_t k = from + 1; k <= to; ++k) {
            if (!pixelAt(k, pixel)) return {true, k, {}};
            out_.lineTo(pixel);
        }
        return {false, to, pixel};
    }

    // The points after `from` up to `to`, over which the pixels are monotone
    // in both coordinates: if `to` fails, the points that succeed form a
    // prefix, found by bisection.
    Reached traceMonotone(std::size_t from, Pixel fromPixel, std::size_t to) {
        Pixel toPixel;
        if (pixelAt(to, toPixel)) {
            traceMonotoneRun(from, fromPixel, to, toPixel);
            return {false, to, toPixel};
        }
        std::size_t good = from, bad = to;
        Pixel goodPixel = fromPixel;
        while (bad - good > 1) {
            const std::size_t middle = good + (bad - good) / 2;
            Pixel pixel;
            if (pixelAt(middle, pixel)) {
                good = middle;
                goodPixel = pixel;
            } else {
                bad = middle;
            }
        }
        traceMonotoneRun(from, fromPixel, good, goodPixel);
        return {true, bad, {}};
    }

    // Between two points of a monotone stretch the pixels lie between theirs:
    // if the two are beyond one edge, so is everything between, and the
    // points between need no operation.
    bool needNothingBetween(Pixel from, Pixel to) const { return from == to || out_.beyondOneEdge(from, to); }

    // Issues the points after `at` up to `to`, the pen being at `at`, column
    // by column. Within a column the rows of a monotone stretch are monotone
    // too, and the vertical segments joining them draw what one segment from
    // the column's first point to its last draws: only those two are issued.
    // Once the rest of the stretch lies beyond one edge, only its end is.
    void traceMonotoneRun(std::size_t at, Pixel atPixel, std::size_t to, Pixel toPixel) {
        auto columnEnd = std::lower_bound(pass_.columnEnds.begin(), pass_.columnEnds.end(), at + 1);
        while (at < to) {
            if (needNothingBetween(atPixel, toPixel)) {
                out_.lineTo(toPixel);
                return;
            }
            const std::size_t first = at + 1;
            const std::size_t last = std::min<std::size_t>(*columnEnd++, to);
            atPixel = pixelBetween(first, to, toPixel);
            out_.lineTo(atPixel);
            if (last > first) {
                atPixel = pixelBetween(last, to, toPixel);
                out_.lineTo(atPixel);
            }
            at = last;
        }
    }

    // The pixel of point k, which lies between two points that succeed.
    Pixel pixelBetween(std::size_t k, std::size_t to, Pixel toPixel) const {
        if (k == to) return toPixel;
        Pixel pixel;
        pixelAt(k, pixel);
        return pixel;
    }

    const AbscissaTable::Pass& pass_;
    const double a_, b_, c_;
    const Ceiling ceiling_;
    const std::int64_t oy_;
    PolylineEmitter& out_;
};

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

        const PassResult result = tracer.traceFrom(first, monotonePieces(pass, a, b, c, rightward));
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
    } catch (const core::InvalidFloatOpError&) {
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
