#include "core/plot/CompactTrace.h"

#include <algorithm>
#include <cstdlib>

#include "core/plot/MonotonePieces.h"
#include "core/plot/PolylineEmitter.h"
#include "core/plot/TraceArithmetic.h"

namespace plot {
inline namespace VELTRANO_EXTENDED_NAMESPACE {

namespace {

// ceil(l1·ty) for the scales whose product with a double is exact in
// extended precision: from the double's bits, no 80-bit value stored.
struct ExactScale {
    std::int64_t l1;
    bool operator()(double ty, std::int64_t& ceiling) const {
        return core::ceilOfExactProduct(ty, l1, ceiling);
    }
};

// Any other scale: the extended product, rounded up.
struct ExtendedScale {
    core::Extended l1;
    bool operator()(double ty, std::int64_t& ceiling) const {
        return core::roundToInt64<core::RoundUp>(l1 * ty, ceiling);
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
    PassTracer(const AbscissaTable::Pass& pass, const Coefficients& curve, Ceiling ceiling, std::int64_t oy,
               PolylineEmitter& out)
        : pass_(pass), a_(curve.a), b_(curve.b), c_(curve.c), ceiling_(ceiling), oy_(oy), out_(out) {}

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
TraceResult traceWithTable(const Coefficients& curve, const AbscissaTable& table, Ceiling ceiling,
                           const PlotGeometry& geometry, SegmentSink& sink, PolylineEmitter& out) {
    TraceResult outcome;
    for (const bool rightward : {true, false}) {
        const AbscissaTable::Pass& pass = rightward ? table.rightward() : table.leftward();
        if (pass.size() == 0) continue;
        PassTracer<Ceiling> tracer(pass, curve, ceiling, geometry.oy, out);

        const double firstOrdinate = tracer.ordinateAt(0);
        Pixel first;
        if (!tracer.pixelAt(0, firstOrdinate, first)) {
            outcome.failed = true;
            return outcome;
        }
        out.moveTo(first);
        if (rightward) {
            outcome.yIntercept = firstOrdinate;
            sink.reachedYAxis(firstOrdinate);
        }

        const PassResult result = tracer.traceFrom(first, monotonePieces(pass, curve, rightward));
        outcome.pointsTraced += result.pointsTraced;
        if (result.failed) {
            outcome.failed = true;
            return outcome;
        }
    }
    return outcome;
}

// Hands the reference tracing's operations to the emitter.
class EmittingSink : public SegmentSink {
public:
    EmittingSink(PolylineEmitter& out, SegmentSink& sink) : out_(out), sink_(sink) {}
    void moveTo(std::int64_t x, std::int64_t y) override { out_.moveTo({x, y}); }
    void lineTo(std::int64_t x, std::int64_t y) override { out_.lineTo({x, y}); }
    void reachedYAxis(double ordinate) override { sink_.reachedYAxis(ordinate); }

private:
    PolylineEmitter& out_;
    SegmentSink& sink_;
};

}  // namespace

TraceResult traceCompact(const Coefficients& curve, double step, const PlotGeometry& geometry,
                         const AbscissaTable* table, const PixelBox& visible, SegmentSink& sink) {
    PolylineEmitter out(sink, visible);
    TraceResult result;
    if (!table) {
        // No table fits: every point, with only the emitter's savings.
        EmittingSink emitting(out, sink);
        result = traceEveryPoint(curve, step, geometry, emitting);
    } else {
        out.moveTo({geometry.ox, geometry.oy});
        result = std::llabs(geometry.l1) <= core::kLargestExactScale
                     ? traceWithTable(curve, *table, ExactScale{geometry.l1}, geometry, sink, out)
                     : traceWithTable(curve, *table, ExtendedScale{core::Extended(geometry.l1)}, geometry,
                                      sink, out);
    }
    out.finish();
    return result;
}

}  // namespace VELTRANO_EXTENDED_NAMESPACE
}  // namespace plot
