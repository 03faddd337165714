#include "core/model/History.h"

#include <algorithm>
#include <cstring>

namespace model {

// Twelve texts, each ended by a zero byte: none holds one.
std::string History::pack(const WindowTexts& before, const WindowTexts& after)
{
    std::string texts;
    for (const WindowTexts* each : {&before, &after})
        for (const auto* group : {&each->labels, &each->fields})
            for (const std::string& text : *group) texts.append(text).push_back('\0');
    texts.shrink_to_fit();
    return texts;
}

WindowTexts History::unpack(const std::string& texts, int which)
{
    WindowTexts unpacked;
    std::size_t at = 0;
    for (int each = 0; each < 2; ++each)
        for (auto* group : {&unpacked.labels, &unpacked.fields})
            for (std::string& text : *group) {
                const std::size_t end = texts.find('\0', at);
                if (each == which) text = texts.substr(at, end - at);
                at = end + 1;
            }
    return unpacked;
}

// The image changed since the last look (a repaint): the change becomes part
// of the last step made, whose "after" it now is.
void History::catchUp(const core::PixelSurface& image)
{
    const std::size_t size = std::size_t(image.width()) * std::size_t(image.height());
    if (image.width() != width_ || image.height() != height_) {
        // A new size: the pixels kept no longer fit; nothing can be taken back.
        done_.clear();
        undone_.clear();
        width_ = image.width();
        height_ = image.height();
        baseline_.assign(image.pixels(), image.pixels() + size);
        return;
    }
    if (std::memcmp(baseline_.data(), image.pixels(), size * sizeof(std::uint32_t)) == 0) return;
    if (!done_.empty()) {
        std::vector<std::uint32_t> before = baseline_;
        done_.back().pixels.undo(before.data(), width_, height_);
        done_.back().pixels = core::PixelChange::between(before.data(), image.pixels(), width_, height_);
    }
    std::copy(image.pixels(), image.pixels() + size, baseline_.begin());
}

void History::beginStep(const core::PixelSurface& image, const plot::CurveTable& curves, WindowTexts texts)
{
    catchUp(image);
    open_ = Open{{}, std::move(texts), std::size_t(curves.count())};
}

void History::removeCurves(plot::CurveTable& curves, std::size_t first)
{
    if (!open_ || !open_->step.held.empty()) return;
    open_->step.kept = std::min(first, std::size_t(curves.count()));
    open_->step.held = curves.takeFrom(first);
    // A clear keeps the curves, not their traces: those are traced again
    // if the clear is taken back.
    open_->step.held.dropTraces();
}

void History::endStep(const core::PixelSurface& image, const plot::CurveTable& curves, WindowTexts texts)
{
    if (!open_) return;
    Step step = std::move(open_->step);
    const std::size_t countBefore = open_->countBefore;
    const bool textsChanged = !(open_->before == texts);
    step.setTexts(open_->before, texts);
    open_.reset();
    if (step.held.empty()) step.kept = countBefore;
    if (image.width() != width_ || image.height() != height_) {
        catchUp(image);  // forgets: the image changed size within the step
        return;
    }
    step.pixels = core::PixelChange::between(baseline_.data(), image.pixels(), width_, height_);
    if (step.pixels.empty() && step.held.empty() && std::size_t(curves.count()) == countBefore && !textsChanged)
        return;
    step.pixels.redo(baseline_.data(), width_, height_);
    undone_.clear();
    done_.push_back(std::move(step));
    if (done_.size() > kStepsKept) done_.pop_front();
}

// The curves after the step's kept ones change places with those it holds.
void History::swapCurves(Step& step, plot::CurveTable& curves)
{
    plot::CurveTable::Entries shown = curves.takeFrom(step.kept);
    curves.putBack(std::move(step.held));
    step.held = std::move(shown);
}

std::optional<WindowTexts> History::undo(core::PixelSurface& image, plot::CurveTable& curves, WindowTexts now)
{
    return move(done_, undone_, /*back=*/true, image, curves, std::move(now));
}

std::optional<WindowTexts> History::redo(core::PixelSurface& image, plot::CurveTable& curves, WindowTexts now)
{
    return move(undone_, done_, /*back=*/false, image, curves, std::move(now));
}

std::optional<WindowTexts> History::move(std::deque<Step>& from, std::deque<Step>& to, bool back,
                                         core::PixelSurface& image, plot::CurveTable& curves, WindowTexts now)
{
    if (open_ || from.empty()) return std::nullopt;
    catchUp(image);
    if (from.empty()) return std::nullopt;  // the image changed size
    Step step = std::move(from.back());
    from.pop_back();
    if (back) {
        step.pixels.undo(image);
        step.pixels.undo(baseline_.data(), width_, height_);
    } else {
        // Repaints since the undo may have changed what lies under the step.
        step.pixels.rebase(image.pixels(), width_, height_);
        step.pixels.redo(image);
        step.pixels.redo(baseline_.data(), width_, height_);
    }
    swapCurves(step, curves);
    // What is shown now comes back when the step is moved the other way.
    WindowTexts shown = back ? step.before() : step.after();
    if (back)
        step.setTexts(shown, now);
    else
        step.setTexts(now, shown);
    to.push_back(std::move(step));
    return shown;
}

std::size_t History::bytes() const
{
    std::size_t bytes = sizeof(*this) + baseline_.capacity() * sizeof(std::uint32_t);
    const auto stepBytes = [](const Step& step) {
        return sizeof(Step) + step.pixels.bytes() + step.texts.capacity();
    };
    for (const Step& step : done_) bytes += stepBytes(step);
    for (const Step& step : undone_) bytes += stepBytes(step);
    return bytes;
}

}  // namespace model
