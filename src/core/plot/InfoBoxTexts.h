#pragma once
// The texts of the info box's intersection labels, and what tracings leave in
// them. Each tracing rewrites the labels: it empties the x-axis labels, sets
// the y-axis label once it reaches x = 0, and fills the x-axis labels once it
// completes. After several tracings in a row only the last rewrite of each
// label shows.

#include <optional>
#include <string>
#include <string_view>

#include "core/plot/Curve.h"
#include "core/plot/Trace.h"

namespace plot {
inline namespace VELTRANO_EXTENDED_NAMESPACE {

// The caption of the y-axis intersection label: "(0," + F(ty) + ")".
std::string yAxisText(double ty, std::string_view decimalSeparator);

// The captions of the two x-axis intersection labels; `second` is empty unless
// there are two distinct roots. "无" for none, "无数" for infinitely many.
struct XAxisTexts {
    std::string first;
    std::string second;
};
XAxisTexts xAxisTexts(double a, double b, double c, std::string_view decimalSeparator);

struct InfoBoxTexts {
    std::string xAxisFirst;            // Label6
    std::string xAxisSecond;           // Label7
    std::optional<std::string> yAxis;  // Label8; empty where it keeps its caption

    bool operator==(const InfoBoxTexts&) const = default;
};

class InfoBoxRewrites {
public:
    void traced(const Coefficients& curve, const TraceResult& result);

    // The captions after the tracings so far; nothing before the first.
    std::optional<InfoBoxTexts> texts(std::string_view decimalSeparator) const;

private:
    std::optional<Coefficients> last_;
    bool lastCompleted_ = false;
    std::optional<double> lastYIntercept_;
};

}  // namespace VELTRANO_EXTENDED_NAMESPACE
}  // namespace plot
