#pragma once
// The one model of the stored curves: the curve table (coefficients, field
// texts, kept traces) and what the program says about each curve, worked out
// once and kept. The window's repaint, the pictures, the words for screen
// readers, the tooltip, Copy's text, the command line and the explorer all
// read it.

#include <optional>
#include <string>
#include <vector>

#include "core/model/CurveFacts.h"
#include "core/plot/CurveTable.h"

namespace model {

class StoredCurves {
public:
    explicit StoredCurves(std::string decimalSeparator = ".") : separator_(std::move(decimalSeparator)) {}

    plot::CurveTable& table() { return table_; }
    const plot::CurveTable& table() const { return table_; }
    std::size_t count() const { return std::size_t(table_.count()); }

    const std::string& decimalSeparator() const { return separator_; }
    void setDecimalSeparator(std::string separator) { separator_ = std::move(separator); }
    // Counts no curve any more, as plot::CurveTable::clear, and lets go of
    // what was worked out for the curves.
    void clear();

    // Lets go of what was worked out for entries beyond the count (curves
    // taken out by a clear or an undo).
    void forgetUncounted();

    // The drawing area the traces are kept for (see plot::graphReach).
    void setDrawingArea(int width, int height);

    // What stored curve `index` shows when traced at `step`. Kept while the
    // entry holds the same curve and texts, for the same geometry and
    // separator.
    const CurveFacts& facts(std::size_t index, double step);

    // The info box after every stored curve has been traced in turn at
    // `step`: the last rewrite of each label; nothing while none is stored.
    std::optional<plot::InfoBoxTexts> infoBoxAfterAll(double step);

    // The texts of every stored curve, in drawing order.
    std::vector<exact::CurveTexts> curveTexts(double step);

    // The first stored curve whose tracing at `step` fails, if any.
    std::optional<std::size_t> firstFailing(double step);

private:
    struct Kept {
        double step;
        plot::PlotGeometry geometry;
        std::string separator;
        CurveFacts facts;
    };

    plot::CurveTable table_;
    std::string separator_;
    int width_ = 0, height_ = 0;
    std::vector<std::vector<Kept>> kept_;  // by entry, one for each step asked for
};

}  // namespace model
