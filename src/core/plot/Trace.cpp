#include "core/plot/Trace.h"

#include <cmath>
#include <stdexcept>

#include "core/number/NumberText.h"
#include "core/plot/TraceArithmetic.h"

namespace plot {

namespace {

using arithmetic::nextAbscissa;
using arithmetic::ordinateAt;
using arithmetic::roundToInt64;
using arithmetic::saturatingAdd;
using arithmetic::saturatingSubtract;
using arithmetic::squareOf;

struct Curve {
    double a, b, c;
};

// One pass from x = 0 while `inRange(t)`, t advancing by the signed step in
// extended precision and stored back as a double after every point.
template <class InRange>
void tracePass(const Curve& curve, double signedStep, InRange inRange, const PlotGeometry& geometry,
               Pen& pen, const std::function<void(double)>* onYIntercept) {
    // Local copies: the pen's calls could otherwise force a reload every point.
    const long double scale = geometry.l1;
    const std::int64_t ox = geometry.ox;
    const std::int64_t oy = geometry.oy;
    for (double t = 0.0; inRange(t); t = nextAbscissa(t, signedStep)) {
        const double ty = ordinateAt(squareOf(t), t, curve.a, curve.b, curve.c);
        const std::int64_t x = saturatingAdd(ox, roundToInt64<RoundUp>(scale * t));
        const std::int64_t y = saturatingSubtract(oy, roundToInt64<RoundUp>(scale * ty));
        if (t == 0.0) {
            pen.moveTo(x, y);
            if (onYIntercept != nullptr && *onYIntercept) (*onYIntercept)(ty);
        }
        pen.lineTo(x, y);
    }
}

// Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) about
// `"(" + std::string&&`.
std::string enclosed(std::string_view prefix, const std::string& number, std::string_view suffix) {
    std::string text;
    text.reserve(prefix.size() + number.size() + suffix.size());
    text.append(prefix).append(number).append(suffix);
    return text;
}

std::string rootText(long double root, std::string_view decimalSeparator) {
    return enclosed("(", core::formatGeneral15(root, decimalSeparator), ",0)");
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
    return enclosed("(0,", core::formatGeneral15(ty, decimalSeparator), ")");
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
