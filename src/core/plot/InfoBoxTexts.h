#pragma once
// The texts of the info box's intersection labels, and what a tracing leaves
// in them. Each tracing rewrites the labels: it empties the x-axis labels,
// sets the y-axis label once it reaches x = 0, and fills the x-axis labels
// once it completes.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// The same roots as values, in the labels' order (the one with +√D first),
// rounded to Double; `everywhere` for the curve y = 0.
struct XAxisRoots {
    std::vector<double> roots;
    bool everywhere = false;
};
XAxisRoots xAxisRoots(double a, double b, double c);

// The vertex's abscissa −b / (2·a), in extended precision, as a Double.
double vertexAbscissa(double a, double b);

struct InfoBoxTexts {
    std::string xAxisFirst;            // Label6
    std::string xAxisSecond;           // Label7
    std::optional<std::string> yAxis;  // Label8; empty where it keeps its caption

    bool operator==(const InfoBoxTexts&) const = default;
};

// The labels as one tracing of `curve` leaves them: the x-axis texts once it
// completed (empty otherwise), the y-axis text once it reached x = 0.
InfoBoxTexts infoBoxTextsOf(const Coefficients& curve, const TraceResult& result, std::string_view decimalSeparator);

}  // namespace VELTRANO_EXTENDED_NAMESPACE
}  // namespace plot
