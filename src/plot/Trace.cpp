#include "plot/Trace.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "platform/Errors.h"
#include "platform/NumberText.h"

namespace plot {

namespace {

static_assert(std::numeric_limits<long double>::digits == 64,
              "tracing needs the x87 extended format (64-bit significand)");

constexpr std::uint64_t kOneHalf = std::uint64_t{1} << 63;  // of a left-aligned binary fraction

// An x87 extended value is significand · 2^(exponent − 63), the significand's
// top bit being the explicit integer bit.
struct ExtendedParts {
    std::uint64_t significand;
    int biasedExponent;
    bool negative;
};

ExtendedParts partsOf(long double value) {
    unsigned char bytes[sizeof(long double)];
    std::memcpy(bytes, &value, sizeof value);
    std::uint64_t significand;
    std::uint16_t signAndExponent;
    std::memcpy(&significand, bytes, 8);
    std::memcpy(&signAndExponent, bytes + 8, 2);
    return {significand, signAndExponent & 0x7fff, (signAndExponent & 0x8000) != 0};
}

// Rounds by taking the value apart instead of switching the FPU's rounding
// control: a mode change would cost far more than the rounding itself and,
// left in place, would alter every x87 operation of the tracing.
template <RoundMode mode>
[[gnu::always_inline]] inline std::int64_t roundToInt64(long double value) {
    const ExtendedParts parts = partsOf(value);
    const bool hasIntegerBit = (parts.significand & kOneHalf) != 0;
    // Infinity, NaN, and the encodings with a clear integer bit that the FPU
    // also refuses to convert.
    if (parts.biasedExponent == 0x7fff || (parts.biasedExponent != 0 && !hasIntegerBit)) {
        throw platform::InvalidFloatOpError();
    }

    const int exponent = parts.biasedExponent - 16383;
    std::uint64_t whole;     // the magnitude's integer part
    std::uint64_t fraction;  // the rest, left-aligned: kOneHalf is exactly one half
    if (exponent >= 63) {
        if (parts.negative && exponent == 63 && parts.significand == kOneHalf) {
            return std::numeric_limits<std::int64_t>::min();
        }
        throw platform::InvalidFloatOpError();
    } else if (exponent >= 0) {
        const int fractionBits = 63 - exponent;  // 1 … 63
        whole = parts.significand >> fractionBits;
        fraction = parts.significand << (64 - fractionBits);
    } else if (exponent == -1) {
        whole = 0;
        fraction = parts.significand;
    } else {
        // Below one half (or zero, or subnormal): only whether it is zero matters.
        whole = 0;
        fraction = parts.significand != 0 ? 1 : 0;
    }

    bool awayFromZero = false;
    if constexpr (mode == RoundNearest) {
        awayFromZero = fraction > kOneHalf || (fraction == kOneHalf && (whole & 1) != 0);
    } else if constexpr (mode == RoundDown) {
        awayFromZero = parts.negative && fraction != 0;
    } else if constexpr (mode == RoundUp) {
        awayFromZero = !parts.negative && fraction != 0;
    }
    const std::uint64_t magnitude = whole + (awayFromZero ? 1 : 0);  // at most 2^63
    if (parts.negative) {
        return static_cast<std::int64_t>(std::uint64_t{0} - magnitude);  // 2^63 gives the minimum
    }
    if (magnitude > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
        throw platform::InvalidFloatOpError();
    }
    return static_cast<std::int64_t>(magnitude);
}

// Pixel offsets come from ceilings anywhere in the int64 range; the sums are
// pinned to the range instead of overflowing (only ceilings within a few
// hundred of ±2^63 get there, far outside any surface).
std::int64_t saturatingAdd(std::int64_t lhs, std::int64_t rhs) {
    std::int64_t sum;
    if (!__builtin_add_overflow(lhs, rhs, &sum)) return sum;
    return rhs > 0 ? std::numeric_limits<std::int64_t>::max() : std::numeric_limits<std::int64_t>::min();
}

std::int64_t saturatingSubtract(std::int64_t lhs, std::int64_t rhs) {
    std::int64_t difference;
    if (!__builtin_sub_overflow(lhs, rhs, &difference)) return difference;
    return rhs < 0 ? std::numeric_limits<std::int64_t>::max() : std::numeric_limits<std::int64_t>::min();
}

struct Curve {
    long double a, b, c;
};

// The ordinate at t: each product and sum in extended precision, one rounding
// to double at the end.
double ordinateAt(const Curve& curve, double t) {
    const long double x = t;
    return static_cast<double>(((x * x) * curve.a + x * curve.b) + curve.c);
}

// One pass from x = 0 while `inRange(t)`, t advancing by the signed step in
// extended precision and stored back as a double after every point.
template <class InRange>
void tracePass(const Curve& curve, double signedStep, InRange inRange, const PlotGeometry& geometry,
               Pen& pen, const std::function<void(double)>* onYIntercept) {
    // Local copies: the pen's calls could otherwise force a reload every point.
    const long double scale = geometry.l1;
    const std::int64_t ox = geometry.ox;
    const std::int64_t oy = geometry.oy;
    for (double t = 0.0; inRange(t); t = static_cast<double>(static_cast<long double>(t) + signedStep)) {
        const double ty = ordinateAt(curve, t);
        const std::int64_t x = saturatingAdd(ox, roundToInt64<RoundUp>(scale * t));
        const std::int64_t y = saturatingSubtract(oy, roundToInt64<RoundUp>(scale * ty));
        if (t == 0.0) {
            pen.moveTo(x, y);
            if (onYIntercept != nullptr && *onYIntercept) (*onYIntercept)(ty);
        }
        pen.lineTo(x, y);
    }
}

std::string rootText(long double root, std::string_view decimalSeparator) {
    return "(" + platform::formatGeneral15(root, decimalSeparator) + ",0)";
}

}  // namespace

std::int64_t cl45(int roundMode, long double value) {
    switch (roundMode) {
    case RoundNearest:
        return roundToInt64<RoundNearest>(value);
    case RoundDown:
        return roundToInt64<RoundDown>(value);
    case RoundUp:
        return roundToInt64<RoundUp>(value);
    case RoundTowardZero:
        return roundToInt64<RoundTowardZero>(value);
    }
    throw std::invalid_argument("cl45: rounding mode must be 0 to 3");
}

void traceCurve(double a, double b, double c, double step, const PlotGeometry& geometry, Pen& pen,
                const std::function<void(double)>& onYIntercept) {
    if (!(step > 0.0)) throw std::invalid_argument("traceCurve: the step must be positive");
    const Curve curve{a, b, c};
    const double right = geometry.xn;
    const double left = -right;

    pen.moveTo(geometry.ox, geometry.oy);
    tracePass(curve, step, [right](double t) { return right >= t; }, geometry, pen, &onYIntercept);
    tracePass(curve, -step, [left](double t) { return left <= t; }, geometry, pen, nullptr);
}

std::string yAxisText(double ty, std::string_view decimalSeparator) {
    return "(0," + platform::formatGeneral15(ty, decimalSeparator) + ")";
}

XAxisTexts xAxisTexts(double a, double b, double c, std::string_view decimalSeparator) {
    const long double la = a, lb = b, lc = c;
    XAxisTexts texts;
    if (a != 0.0) {
        const long double discriminant = lb * lb - (4.0L * la) * lc;
        const long double twoA = 2.0L * la;
        if (discriminant > 0) {
            const long double root = std::sqrt(discriminant);
            texts.first = rootText((root + (-lb)) / twoA, decimalSeparator);
            texts.second = rootText(((-lb) - root) / twoA, decimalSeparator);
        } else if (discriminant == 0) {
            texts.first = rootText((-lb) / twoA, decimalSeparator);
        } else if (discriminant < 0) {
            texts.first = "无";
        }
    } else if (b != 0.0) {
        texts.first = rootText((-lc) / lb, decimalSeparator);
    } else if (c != 0.0) {
        texts.first = "无";
    } else {
        texts.first = "无数";
    }
    return texts;
}

}  // namespace plot
