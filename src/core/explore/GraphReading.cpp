#include "core/explore/GraphReading.h"

#include <charconv>
#include <cmath>

#include "core/number/Concat.h"
#include "core/number/NumberText.h"
#include "core/plot/Trace.h"

namespace explore {

using core::concat;

GraphPoint pointUnder(const plot::PlotGeometry& geometry, int px, int py)
{
    return {double(px - geometry.ox) / double(geometry.l1), double(geometry.oy - py) / double(geometry.l1)};
}

GraphPoint snappedPoint(const plot::PlotGeometry& geometry, const plot::Coefficients& curve, int px)
{
    const double x = double(px - geometry.ox) / double(geometry.l1);
    return {x, plot::ordinateAt(curve, x)};
}

std::string pointText(const GraphPoint& point, std::string_view separator)
{
    return concat({"(", core::formatGeneral15(point.x, separator), ",", core::formatGeneral15(point.y, separator), ")"});
}

std::string snappedText(std::string_view formula, const GraphPoint& point, std::string_view separator)
{
    return concat({formula, "  ", pointText(point, separator)});
}

std::string shortNumber(double value, std::string_view separator)
{
    if (!std::isfinite(value)) return core::formatGeneral15(value, separator);
    const double magnitude = std::fabs(value);
    char digits[64];
    std::to_chars_result written;
    const bool scientific = magnitude >= 1e6 || (magnitude != 0 && magnitude < 5e-4);
    if (scientific)
        written = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::scientific, 2);
    else
        written = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 3);
    std::string text(digits, written.ptr);
    const std::size_t exponentAt = text.find('e');
    std::string mantissa = text.substr(0, exponentAt);
    if (mantissa.find('.') != std::string::npos) {
        mantissa.erase(mantissa.find_last_not_of('0') + 1);
        if (mantissa.back() == '.') mantissa.pop_back();
    }
    if (mantissa == "-0") mantissa = "0";
    if (const std::size_t point = mantissa.find('.'); point != std::string::npos)
        mantissa.replace(point, 1, separator);
    if (exponentAt == std::string::npos) return mantissa;
    // "e+07" → "E7", "e-05" → "E-5", as the number text writes exponents.
    const int exponent = std::stoi(text.substr(exponentAt + 1));
    return concat({mantissa, "E", std::to_string(exponent)});
}

std::string markLabel(const model::PointOfInterest& point, std::string_view separator)
{
    constexpr std::size_t kShortExact = 16;
    const bool shortExact =
        !point.exact.empty() && point.exact.find("√") == std::string::npos && point.exact.size() <= kShortExact;
    const std::string where = shortExact ? point.exact
                                         : concat({"(", shortNumber(point.x, separator), ",",
                                                   shortNumber(point.y, separator), ")"});
    if (point.kind == model::PointOfInterest::Kind::Vertex) return concat({point.name(), " ", where});
    return where;
}

std::vector<TickLabel> tickLabels(const plot::PlotGeometry& geometry)
{
    std::vector<TickLabel> labels{{TickLabel::Axis::Origin, geometry.ox, "0"}};
    for (int i = -geometry.xn; i <= geometry.xn; ++i)
        if (i != 0 && i % 2 == 0) labels.push_back({TickLabel::Axis::X, geometry.ox + geometry.l1 * i, std::to_string(i)});
    for (int i = -geometry.yn; i <= geometry.yn; ++i)
        if (i != 0 && i % 2 == 0) labels.push_back({TickLabel::Axis::Y, geometry.oy - geometry.l1 * i, std::to_string(i)});
    return labels;
}

}  // namespace explore
