#include "core/model/StoredCurves.h"

#include "core/plot/Graph.h"

namespace model {

void StoredCurves::setDrawingArea(int width, int height)
{
    width_ = width;
    height_ = height;
}

void StoredCurves::clear()
{
    table_.clear();
    std::vector<std::vector<Kept>>().swap(kept_);
}

void StoredCurves::forgetUncounted()
{
    if (kept_.size() > count()) {
        kept_.resize(count());
        kept_.shrink_to_fit();
    }
}

const CurveFacts& StoredCurves::facts(std::size_t index, double step)
{
    // What was kept is checked against the entry as it is now: a step taken
    // back or made again brings the same curves back to the same places,
    // and their facts with them.
    if (kept_.size() <= index) kept_.resize(index + 1);
    std::vector<Kept>& kept = kept_[index];
    const plot::Coefficients& curve = table_[index];
    const plot::FieldTexts& fields = table_.fieldTexts(index);
    for (const Kept& each : kept) {
        if (each.step == step && each.facts.curve == curve && each.facts.fields == fields &&
            each.geometry == table_.geometry() && each.separator == separator_)
            return each.facts;
    }
    // The result of a tracing does not depend on how much of it is kept, so
    // the trace kept for the drawing area serves.
    const plot::TraceResult& result = table_.trace(index, step, plot::graphReach(width_, height_)).result;
    std::erase_if(kept, [step](const Kept& each) { return each.step == step; });
    kept.push_back({step, table_.geometry(), separator_, factsOf(curve, fields, result, table_.geometry(), separator_)});
    return kept.back().facts;
}

std::optional<plot::InfoBoxTexts> StoredCurves::infoBoxAfterAll(double step)
{
    if (count() == 0) return std::nullopt;
    // The x-axis labels are the last curve's; the y-axis label is that of
    // the last curve whose tracing reached x = 0.
    plot::InfoBoxTexts texts = facts(count() - 1, step).infoBox;
    for (std::size_t i = count(); !texts.yAxis && i-- > 0;) texts.yAxis = facts(i, step).infoBox.yAxis;
    return texts;
}

std::vector<exact::CurveTexts> StoredCurves::curveTexts(double step)
{
    std::vector<exact::CurveTexts> texts;
    texts.reserve(count());
    for (std::size_t i = 0; i < count(); ++i) texts.push_back(facts(i, step).texts());
    return texts;
}

std::optional<std::size_t> StoredCurves::firstFailing(double step)
{
    for (std::size_t i = 0; i < count(); ++i)
        if (facts(i, step).tracing != exact::Tracing::Whole) return i;
    return std::nullopt;
}

}  // namespace model
