#include "core/plot/CurveTable.h"

#include <algorithm>
#include <stdexcept>

namespace plot {

void CurveTable::setGeometry(const PlotGeometry& geometry)
{
    if (geometry == tracer_.geometry()) return;
    tracer_ = CurveTracer(geometry);
    for (Entry& entry : entries_) entry.traces.clear();
    ++generation_;
}

std::size_t CurveTable::add(const Coefficients& curve, FieldTexts texts)
{
    const std::size_t index = std::size_t(count_);
    if (entries_.size() <= index) entries_.resize(index + 1);
    Entry& entry = entries_[index];
    entry.curve = curve;
    entry.texts = std::move(texts);
    entry.failureShown = false;
    entry.traces.clear();
    ++count_;
    return index;
}

void CurveTable::clear()
{
    count_ = 0;
    for (Entry& entry : entries_) std::vector<KeptTrace>().swap(entry.traces);
    ++generation_;
}

CurveTable::Entries CurveTable::takeFrom(std::size_t first)
{
    Entries taken;
    first = std::min(first, std::size_t(count_));
    taken.entries_.assign(std::make_move_iterator(entries_.begin() + std::ptrdiff_t(first)),
                          std::make_move_iterator(entries_.begin() + count_));
    entries_.erase(entries_.begin() + std::ptrdiff_t(first), entries_.end());
    taken.geometry_ = tracer_.geometry();
    count_ = std::int32_t(first);
    ++generation_;
    return taken;
}

void CurveTable::putBack(Entries entries)
{
    entries_.resize(std::size_t(count_));
    for (Entry& entry : entries.entries_) {
        // Traces kept for another geometry are of no use here.
        if (!(entries.geometry_ == tracer_.geometry())) entry.traces.clear();
        entries_.push_back(std::move(entry));
    }
    count_ = std::int32_t(entries_.size());
    ++generation_;
}

const RecordedTrace& CurveTable::trace(std::size_t index, double step, const PixelBox& reach)
{
    if (!(step > 0.0)) throw std::invalid_argument("CurveTable::trace: the step must be positive");
    Entry& entry = entries_.at(index);
    for (const KeptTrace& kept : entry.traces) {
        if (kept.step == step && kept.reach.contains(reach)) return *kept.trace;
    }
    auto recorded = std::make_unique<RecordedTrace>();
    recorded->result = tracer_.trace(entry.curve, step, *recorded, TraceMode::compact(reach));
    recorded->shrinkToFit();
    // One trace a step: a wider reach replaces a narrower one.
    std::erase_if(entry.traces, [step](const KeptTrace& kept) { return kept.step == step; });
    entry.traces.push_back({step, reach, std::move(recorded)});
    return *entry.traces.back().trace;
}

void CurveTable::Entries::dropTraces()
{
    for (Entry& entry : entries_) std::vector<KeptTrace>().swap(entry.traces);
}

std::size_t CurveTable::Entries::bytes() const
{
    std::size_t bytes = entries_.capacity() * sizeof(Entry);
    for (const Entry& entry : entries_) {
        for (const std::string& text : entry.texts) bytes += text.capacity() > 15 ? text.capacity() : 0;
        for (const KeptTrace& kept : entry.traces) bytes += kept.trace->bytes() + sizeof(RecordedTrace);
    }
    return bytes;
}

std::size_t CurveTable::traceBytes() const
{
    std::size_t bytes = 0;
    for (const Entry& entry : entries_) {
        for (const KeptTrace& kept : entry.traces) bytes += kept.trace->bytes() + sizeof(RecordedTrace);
    }
    return bytes;
}

}  // namespace plot
