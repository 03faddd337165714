// The retained canvas: what a paint cycle erases, where drawing lands, and
// the stored curves' strokes inked in one pass.

#include "core/raster/RetainedCanvas.h"

#include <gtest/gtest.h>

#include <random>

#include "TraceReference.h"
#include "core/plot/CurveTable.h"
#include "core/raster/CurveStrokes.h"

namespace {

using core::PixelRect;
using core::RetainedCanvas;

constexpr std::uint32_t kBackground = 0xffeeeeeeu;
constexpr std::uint32_t kOld = 0xff123456u;  // what the image held before a paint
constexpr std::uint32_t kInk = RetainedCanvas::kPenColor;

// A canvas whose every pixel holds kOld, nothing invalid.
RetainedCanvas oldCanvas(int width, int height)
{
    RetainedCanvas canvas;
    canvas.resize(width, height, kOld);
    canvas.beginPaint();
    canvas.endPaint();
    canvas.setBackground(kBackground);
    return canvas;
}

// One character a pixel: '.' background, 'o' old, '#' ink.
std::string picture(const RetainedCanvas& canvas)
{
    std::string rows;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const std::uint32_t p = canvas.surface().pixel(x, y);
            rows += p == kInk ? '#' : p == kOld ? 'o' : p == kBackground ? '.' : '?';
        }
        rows += '\n';
    }
    return rows;
}

void horizontal(RetainedCanvas& canvas, int y)
{
    canvas.moveTo(0, y);
    canvas.lineTo(canvas.width(), y);
}

TEST(RetainedCanvas, PaintErasesAndDrawsOnlyTheInvalidAreaOutsideCoveredControls)
{
    RetainedCanvas canvas = oldCanvas(6, 4);
    EXPECT_FALSE(canvas.hasInvalidArea());
    canvas.setCovered({{4, 0, 6, 4}});  // a control over the right two columns
    canvas.invalidate({1, 1, 3, 3});
    canvas.invalidate({2, 0, 5, 2});  // overlapping, partly under the control
    canvas.invalidate({-9, 7, 99, 99});  // outside: nothing
    EXPECT_EQ(canvas.beginPaint(), (PixelRect{1, 0, 5, 3}));
    EXPECT_FALSE(canvas.hasInvalidArea());
    for (int y = 0; y < 4; ++y) horizontal(canvas, y);
    canvas.endPaint();
    // The control's pixels are erased with the rest of the invalid area (the
    // control covers them on screen) but never drawn on.
    EXPECT_EQ(picture(canvas),
              "oo##.o\n"
              "o###.o\n"
              "o##ooo\n"
              "oooooo\n");

    // Between paints drawing lands everywhere but under the control.
    horizontal(canvas, 3);
    EXPECT_EQ(picture(canvas).substr(21), "####oo\n");

    // A resize keeps the overlap and invalidates everything.
    canvas.resize(7, 4, kBackground);
    EXPECT_TRUE(canvas.hasInvalidArea());
    EXPECT_EQ(canvas.beginPaint(), (PixelRect{0, 0, 7, 4}));
    canvas.endPaint();
    EXPECT_EQ(picture(canvas), std::string(4, '.') + "...\n" + ".......\n.......\n.......\n");
}

// The stored curves' strokes, inked at once, give the pixels of tracing each
// curve with the reference model, whatever was stored and cleared before.
TEST(CurveStrokes, InkTheReferencePixelsOfTheStoredCurves)
{
    const plot::PlotGeometry window;
    plot::CurveTable table(window);
    core::CurveStrokes strokes;
    const std::vector<plot::Coefficients> curves = {
        {1, 0, -4}, {-0.5, 1, 3}, {0, 2, -1}, {1e17, 0, 0} /* fails part-way */, {0.01, -0.3, 8},
    };
    table.add({3, 3, 3});
    strokes.update(table, 0.005, 120, 90, {-2, -2, 122, 92});
    table.clear();  // what was stored before a clear leaves no stroke
    for (const plot::Coefficients& curve : curves) table.add(curve);

    plot::PlotGeometry small = window;  // the origin inside a small image
    small.ox = 60;
    small.oy = 60;
    table.setGeometry(small);
    for (const double step : {0.005, 0.00015}) {
        SCOPED_TRACE(step);
        RetainedCanvas inked = oldCanvas(120, 90), traced = oldCanvas(120, 90);
        inked.inkStrokes(strokes.update(table, step, 120, 90, {-2, -2, 122, 92}), {0, 0, 120, 90});
        for (const plot::Coefficients& curve : curves) {
            for (const tracereference::PenOp& op :
                 tracereference::referenceTrace(curve.a, curve.b, curve.c, step, small).ops) {
                if (op.kind == tracereference::PenOp::Move)
                    traced.moveTo(op.x, op.y);
                else
                    traced.lineTo(op.x, op.y);
            }
        }
        EXPECT_EQ(picture(inked), picture(traced));
        EXPECT_TRUE(table.trace(3, step, {0, 0, 120, 90}).result.failed);
    }
}

// A stored curve is traced once a step: later requests for a reach it covers
// get the kept trace; a clear lets the traces go. Entries taken out come back
// with their traces, unless the geometry changed meanwhile.
TEST(CurveTable, KeepsEachCurvesTraceAndItsEntriesWhenTakenOutAndPutBack)
{
    plot::CurveTable table;
    EXPECT_EQ(table.add({1, 0, -4}, {"1", "", "-4"}), 0u);
    EXPECT_EQ(table.add({2, 0, 0}, {"2", "", ""}), 1u);
    const plot::PixelBox window{-2, -2, 653, 642};
    const plot::RecordedTrace* first = &table.trace(0, 0.005, window);
    EXPECT_EQ(&table.trace(0, 0.005, {0, 0, 651, 640}), first);
    EXPECT_EQ(first->result.yIntercept, -4.0);
    EXPECT_EQ(first->result.pointsTraced, 4000);
    EXPECT_GT(table.traceBytes(), 0u);

    std::uint64_t generation = table.generation();
    plot::CurveTable::Entries taken = table.takeFrom(0);
    EXPECT_EQ(table.count(), 0);
    EXPECT_EQ(taken.size(), 2u);
    EXPECT_NE(table.generation(), generation);
    table.putBack(std::move(taken));
    EXPECT_EQ(table.count(), 2);
    EXPECT_EQ(table[1], (plot::Coefficients{2, 0, 0}));
    EXPECT_EQ(table.fieldTexts(0)[2], "-4");
    EXPECT_EQ(&table.trace(0, 0.005, window), first);

    generation = table.generation();
    table.clear();
    EXPECT_EQ(table.count(), 0);
    EXPECT_EQ(table.traceBytes(), 0u);
    EXPECT_NE(table.generation(), generation);
}

}  // namespace
