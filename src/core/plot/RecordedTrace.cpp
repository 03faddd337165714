#include "core/plot/RecordedTrace.h"

#include <limits>

namespace plot {

namespace {
bool fitsNarrow(std::int64_t value)
{
    return value >= std::numeric_limits<std::int32_t>::min() && value <= std::numeric_limits<std::int32_t>::max();
}
}  // namespace

void RecordedTrace::moveTo(std::int64_t x, std::int64_t y)
{
    record(false, x, y);
}

void RecordedTrace::lineTo(std::int64_t x, std::int64_t y)
{
    record(true, x, y);
}

void RecordedTrace::reachedYAxis(double ordinate)
{
    reachedYAxis_ = true;
    yAxisAt_ = kinds_.size();
    yAxisOrdinate_ = ordinate;
}

void RecordedTrace::record(bool line, std::int64_t x, std::int64_t y)
{
    kinds_.push_back(line);
    if (wide_.empty() && fitsNarrow(x) && fitsNarrow(y)) {
        narrow_.push_back(std::int32_t(x));
        narrow_.push_back(std::int32_t(y));
        return;
    }
    if (wide_.empty()) {
        wide_.assign(narrow_.begin(), narrow_.end());
        narrow_ = {};
    }
    wide_.push_back(x);
    wide_.push_back(y);
}

void RecordedTrace::replay(SegmentSink& sink) const
{
    const bool wide = !wide_.empty();
    const std::size_t count = kinds_.size();
    const std::size_t yAxisCall = reachedYAxis_ ? yAxisAt_ : count + 1;
    for (std::size_t k = 0; k < count; ++k) {
        if (k == yAxisCall) sink.reachedYAxis(yAxisOrdinate_);
        const std::int64_t x = wide ? wide_[2 * k] : narrow_[2 * k];
        const std::int64_t y = wide ? wide_[2 * k + 1] : narrow_[2 * k + 1];
        if (kinds_[k])
            sink.lineTo(x, y);
        else
            sink.moveTo(x, y);
    }
    if (yAxisCall == count && reachedYAxis_) sink.reachedYAxis(yAxisOrdinate_);
}

std::size_t RecordedTrace::bytes() const
{
    return narrow_.capacity() * sizeof(std::int32_t) + wide_.capacity() * sizeof(std::int64_t) +
           kinds_.capacity() / 8;
}

void RecordedTrace::shrinkToFit()
{
    narrow_.shrink_to_fit();
    wide_.shrink_to_fit();
    kinds_.shrink_to_fit();
}

}  // namespace plot
