#pragma once
// The window's steps (a draw request, a clear, a list of curves opened) kept
// so that each can be taken back and made again. A step keeps only what it
// changed: the pixels of the retained image that differ (see
// core/raster/PixelChange.h), the curves it added or removed, and the texts
// of the labels and fields before and after.
//
// The image also changes between steps, when parts of it are repainted
// (erased to the axes in the normal mode). Those changes belong to the last
// step made, so that taking it back returns the image exactly as it was
// before that step, with what earlier repaints had erased still erased.

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/plot/CurveTable.h"
#include "core/raster/PixelChange.h"
#include "core/raster/PixelSurface.h"

namespace model {

// The info box's three value labels and the three coefficient fields.
struct WindowTexts {
    std::array<std::string, 3> labels, fields;
    bool operator==(const WindowTexts&) const = default;
};

class History {
public:
    static constexpr std::size_t kStepsKept = 1000;

    // A step begins: the image, the curves and the texts as they are now
    // are what taking it back returns to.
    void beginStep(const core::PixelSurface& image, const plot::CurveTable& curves, WindowTexts texts);
    // Within a step (a clear): the curves from `first` on leave the table,
    // kept by the step.
    void removeCurves(plot::CurveTable& curves, std::size_t first);
    // The step ends. One that changed nothing is not kept; any other drops
    // the steps that could have been made again.
    void endStep(const core::PixelSurface& image, const plot::CurveTable& curves, WindowTexts texts);
    bool inStep() const { return open_.has_value(); }

    bool canUndo() const { return !open_ && !done_.empty(); }
    bool canRedo() const { return !open_ && !undone_.empty(); }
    // Takes back the last step: the image and the curves are as they were
    // before it; returns the texts to show then. `now`, the texts shown at
    // the moment, come back with a redo.
    std::optional<WindowTexts> undo(core::PixelSurface& image, plot::CurveTable& curves, WindowTexts now);
    // Makes the last step taken back again; returns the texts to show. `now`
    // come back with the next undo.
    std::optional<WindowTexts> redo(core::PixelSurface& image, plot::CurveTable& curves, WindowTexts now);

    std::size_t undoSteps() const { return done_.size(); }
    std::size_t redoSteps() const { return undone_.size(); }
    // The memory of the steps and of the image they follow, without the
    // curves they keep.
    std::size_t bytes() const;

private:
    struct Step {
        core::PixelChange pixels;
        std::size_t kept = 0;          // the curves the step left alone, from the first
        plot::CurveTable::Entries held;  // the curves after those, of the state not shown
        // The texts before and after, in one block (see PixelChange).
        std::string texts;
        WindowTexts before() const { return unpack(texts, 0); }
        WindowTexts after() const { return unpack(texts, 1); }
        void setTexts(const WindowTexts& before, const WindowTexts& after) { texts = pack(before, after); }
    };
    struct Open {
        Step step;
        WindowTexts before;
        std::size_t countBefore;
    };
    static std::string pack(const WindowTexts& before, const WindowTexts& after);
    static WindowTexts unpack(const std::string& texts, int which);

    void catchUp(const core::PixelSurface& image);
    // Takes the last step of `from` back (an undo) or makes it again, and
    // keeps it last in `to`.
    std::optional<WindowTexts> move(std::deque<Step>& from, std::deque<Step>& to, bool back,
                                    core::PixelSurface& image, plot::CurveTable& curves, WindowTexts now);
    static void swapCurves(Step& step, plot::CurveTable& curves);

    std::deque<Step> done_;
    std::deque<Step> undone_;
    std::optional<Open> open_;
    // The image as the last step, undo or redo left it.
    std::vector<std::uint32_t> baseline_;
    int width_ = 0, height_ = 0;
};

}  // namespace model
