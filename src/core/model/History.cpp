#include "core/model/History.h"

#include <algorithm>
#include <cstring>

namespace model {

namespace {

std::size_t textBytes(const WindowTexts& texts)
{
    std::size_t bytes = 0;
    for (const auto* group : {&texts.labels, &texts.fields})
        for (const std::string& text : *group) bytes += text.capacity() > 15 ? text.capacity() : 0;
    return bytes;
}

}  // namespace

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
    open_ = Open{{}, std::size_t(curves.count())};
    open_->step.before = std::move(texts);
}

void History::removeCurves(plot::CurveTable& curves, std::size_t first)
{
    if (!open_ || !open_->step.held.empty()) return;
    open_->step.kept = std::min(first, std::size_t(curves.count()));
    open_->step.held = curves.takeFrom(first);
}

void History::endStep(const core::PixelSurface& image, const plot::CurveTable& curves, WindowTexts texts)
{
    if (!open_) return;
    Step step = std::move(open_->step);
    const std::size_t countBefore = open_->countBefore;
    open_.reset();
    if (step.held.empty()) step.kept = countBefore;
    step.after = std::move(texts);
    if (image.width() != width_ || image.height() != height_) {
        catchUp(image);  // forgets: the image changed size within the step
        return;
    }
    step.pixels = core::PixelChange::between(baseline_.data(), image.pixels(), width_, height_);
    if (step.pixels.empty() && step.held.empty() && std::size_t(curves.count()) == countBefore && step.before == step.after)
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
    if (!canUndo()) return std::nullopt;
    catchUp(image);
    if (done_.empty()) return std::nullopt;  // the image changed size
    Step step = std::move(done_.back());
    done_.pop_back();
    step.pixels.undo(image);
    step.pixels.undo(baseline_.data(), width_, height_);
    swapCurves(step, curves);
    step.after = std::move(now);
    WindowTexts shown = step.before;
    undone_.push_back(std::move(step));
    return shown;
}

std::optional<WindowTexts> History::redo(core::PixelSurface& image, plot::CurveTable& curves, WindowTexts now)
{
    if (!canRedo()) return std::nullopt;
    catchUp(image);
    if (undone_.empty()) return std::nullopt;
    Step step = std::move(undone_.back());
    undone_.pop_back();
    // Repaints since the undo may have changed what lies under the step.
    step.pixels.rebase(image.pixels(), width_, height_);
    step.pixels.redo(image);
    step.pixels.redo(baseline_.data(), width_, height_);
    swapCurves(step, curves);
    step.before = std::move(now);
    WindowTexts shown = step.after;
    done_.push_back(std::move(step));
    return shown;
}

std::size_t History::bytes() const
{
    std::size_t bytes = sizeof(*this) + baseline_.capacity() * sizeof(std::uint32_t);
    const auto stepBytes = [](const Step& step) {
        return sizeof(Step) + step.pixels.bytes() + textBytes(step.before) + textBytes(step.after);
    };
    for (const Step& step : done_) bytes += stepBytes(step);
    for (const Step& step : undone_) bytes += stepBytes(step);
    return bytes;
}

}  // namespace model
