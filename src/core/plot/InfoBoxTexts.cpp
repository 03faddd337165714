#include "core/plot/InfoBoxTexts.h"

#include <cmath>
#include <utility>

#include "core/number/NumberText.h"

namespace plot {
inline namespace VELTRANO_EXTENDED_NAMESPACE {

namespace {

// Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) about
// `"(" + std::string&&`.
std::string enclosed(std::string_view prefix, const std::string& number, std::string_view suffix)
{
    std::string text;
    text.reserve(prefix.size() + number.size() + suffix.size());
    text.append(prefix).append(number).append(suffix);
    return text;
}

std::string rootText(const core::Extended& root, std::string_view decimalSeparator)
{
    return enclosed("(", core::formatGeneral15(root, decimalSeparator), ",0)");
}

}  // namespace

std::string yAxisText(double ty, std::string_view decimalSeparator)
{
    return enclosed("(0,", core::formatGeneral15(ty, decimalSeparator), ")");
}

namespace {

// The roots as the info box computes them, in its order; D is recomputed
// for each test, as the labels are written.
struct ExtendedRoots {
    std::vector<core::Extended> roots;
    enum { Some, None, Everywhere } kind = Some;
};

ExtendedRoots extendedRoots(double a, double b, double c)
{
    using core::Extended;
    const Extended la = a, lb = b, lc = c;
    ExtendedRoots found;
    if (a != 0.0) {
        const Extended discriminant = lb * lb - (Extended(4) * la) * lc;
        const Extended twoA = Extended(2) * la;
        if (discriminant > 0) {
            const Extended root = core::sqrt(discriminant);
            found.roots = {(root + (-lb)) / twoA, ((-lb) - root) / twoA};
        } else if (discriminant == 0) {
            found.roots = {(-lb) / twoA};
        } else if (discriminant < 0) {
            found.kind = ExtendedRoots::None;
        }
    } else if (b != 0.0) {
        found.roots = {(-lc) / lb};
    } else {
        found.kind = c != 0.0 ? ExtendedRoots::None : ExtendedRoots::Everywhere;
    }
    return found;
}

}  // namespace

XAxisTexts xAxisTexts(double a, double b, double c, std::string_view decimalSeparator)
{
    const ExtendedRoots found = extendedRoots(a, b, c);
    XAxisTexts texts;
    if (found.kind == ExtendedRoots::None) texts.first = "无";
    if (found.kind == ExtendedRoots::Everywhere) texts.first = "无数";
    if (!found.roots.empty()) texts.first = rootText(found.roots[0], decimalSeparator);
    if (found.roots.size() > 1) texts.second = rootText(found.roots[1], decimalSeparator);
    return texts;
}

XAxisRoots xAxisRoots(double a, double b, double c)
{
    const ExtendedRoots found = extendedRoots(a, b, c);
    XAxisRoots roots;
    roots.everywhere = found.kind == ExtendedRoots::Everywhere;
    for (const core::Extended& root : found.roots) roots.roots.push_back(static_cast<double>(root));
    return roots;
}

double vertexAbscissa(double a, double b)
{
    return static_cast<double>((-core::Extended(b)) / (core::Extended(2) * core::Extended(a)));
}

InfoBoxTexts infoBoxTextsOf(const Coefficients& curve, const TraceResult& result, std::string_view decimalSeparator)
{
    InfoBoxTexts texts;
    if (!result.failed) {
        XAxisTexts roots = xAxisTexts(curve.a, curve.b, curve.c, decimalSeparator);
        texts.xAxisFirst = std::move(roots.first);
        texts.xAxisSecond = std::move(roots.second);
    }
    if (result.yIntercept) texts.yAxis = yAxisText(*result.yIntercept, decimalSeparator);
    return texts;
}

}  // namespace VELTRANO_EXTENDED_NAMESPACE
}  // namespace plot
