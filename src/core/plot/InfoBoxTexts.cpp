#include "core/plot/InfoBoxTexts.h"

#include <utility>

#include "core/plot/Trace.h"

namespace plot {

void InfoBoxRewrites::traced(double a, double b, double c, const TraceOutcome& outcome) {
    last_ = Curve{a, b, c};
    lastCompleted_ = !outcome.failed;
    if (outcome.yIntercept) lastYIntercept_ = outcome.yIntercept;
}

std::optional<InfoBoxTexts> InfoBoxRewrites::texts(std::string_view decimalSeparator) const {
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

}  // namespace plot
