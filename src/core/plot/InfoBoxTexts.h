#pragma once
// What tracings leave in the info box's intersection labels. Each tracing
// rewrites them: it empties the x-axis labels, sets the y-axis label once it
// reaches x = 0, and fills the x-axis labels once it completes. After several
// tracings in a row only the last rewrite of each label shows.

#include <optional>
#include <string>
#include <string_view>

#include "core/plot/CompactTrace.h"

namespace plot {

struct InfoBoxTexts {
    std::string xAxisFirst;         // Label6
    std::string xAxisSecond;        // Label7
    std::optional<std::string> yAxis;  // Label8; empty where it keeps its caption
};

class InfoBoxRewrites {
public:
    void traced(double a, double b, double c, const TraceOutcome& outcome);

    // The captions after the tracings so far; nothing before the first.
    std::optional<InfoBoxTexts> texts(std::string_view decimalSeparator) const;

private:
    struct Curve {
        double a, b, c;
    };
    std::optional<Curve> last_;
    bool lastCompleted_ = false;
    std::optional<double> lastYIntercept_;
};

}  // namespace plot
