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

XAxisTexts xAxisTexts(double a, double b, double c, std::string_view decimalSeparator)
{
    using core::Extended;
    const Extended la = a, lb = b, lc = c;
    XAxisTexts texts;
    if (a != 0.0) {
        const Extended discriminant = lb * lb - (Extended(4) * la) * lc;
        const Extended twoA = Extended(2) * la;
        if (discriminant > 0) {
            const Extended root = core::sqrt(discriminant);
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

void InfoBoxRewrites::traced(const Coefficients& curve, const TraceResult& result)
{
    last_ = curve;
    lastCompleted_ = !result.failed;
    if (result.yIntercept) lastYIntercept_ = result.yIntercept;
}

std::optional<InfoBoxTexts> InfoBoxRewrites::texts(std::string_view decimalSeparator) const
{
    if (!last_) return std::nullopt;
    InfoBoxTexts texts;
    if (lastCompleted_) {
        XAxisTexts roots = xAxisTexts(last_->a, last_->b, last_->c, decimalSeparator);
        texts.xAxisFirst = std::move(roots.first);
        texts.xAxisSecond = std::move(roots.second);
    }
    if (lastYIntercept_) texts.yAxis = yAxisText(*lastYIntercept_, decimalSeparator);
    return texts;
}

}  // namespace VELTRANO_EXTENDED_NAMESPACE
}  // namespace plot
