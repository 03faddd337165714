// The program's hot paths on the real main window, run on Qt's offscreen
// platform: a paint cycle of the axes, one curve traced by drawfx, the
// refresh-mode replay of 100 stored curves at both steps and of 1,000 at the
// normal step, one animated draw request with its pacing and presenting,
// exploring 1,000 stored curves with the pointer and the trace point, and
// taking back and making again the last of 1,000 draw requests. Nothing
// is presented to a screen inside the timed parts except in the animated
// request and the overlay's repaints.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <chrono>
#include <malloc.h>

#include "ABOUT.h"
#include "Unit28.h"
#include "platform/Application.h"
#include "platform/DrawingSurface.h"
#include "platform/GraphOutput.h"
#include "platform/SoundOutput.h"

namespace {

// Lets queued presentations and paint requests run, outside the timing.
void settle(benchmark::State& state)
{
    state.PauseTiming();
    QCoreApplication::processEvents();
    state.ResumeTiming();
}

// The window as at startup with the given modes and no stored curves.
void resetWindow(bool animation, bool refresh)
{
    Form28->CheckBox1->setChecked(animation);
    Form28->CheckBox2->setChecked(refresh);
    Unit28::setDefaultGeometry();
    Form28->Button2Click();
    Form28->Canvas->invalidateAll();
    (void)Form28->Canvas->paintPendingArea();
    QCoreApplication::processEvents();
}

// Curve k of the replay benchmarks: for k = 0 … 99 as ever; beyond, every
// curve differs from the others by its constant term.
TCoefRec replayCurve(int k)
{
    return {(k % 100 - 50) / 25.0, double(k % 7 - 3), double(k % 11 - 5) + (k / 100) / 8.0};
}

void storeReplayCurves(int count)
{
    for (int k = 0; k < count; ++k)
        Unit28::reco.add(replayCurve(k));
}

// One paint cycle of the whole client area.
void paintWholeArea()
{
    Form28->Canvas->invalidateAll();
    (void)Form28->Canvas->paintPendingArea();
}

void BM_PaintAxes(benchmark::State& state)
{
    resetWindow(false, true);
    for (auto _ : state) {
        paintWholeArea();
        settle(state);
    }
}
BENCHMARK(BM_PaintAxes)->Unit(benchmark::kMicrosecond);

// A draw request's tracing, outside a paint cycle, as typed into the fields.
void BM_DrawCurveNormal(benchmark::State& state)
{
    resetWindow(false, true);
    for (auto _ : state) {
        Unit28::drawfx(1.0, -2.0, 0.5, Unit28::normalStep);
        settle(state);
    }
}
BENCHMARK(BM_DrawCurveNormal)->Unit(benchmark::kMicrosecond);

// Outside a paint the fine step is the animation's, paced to a second. Here
// drawfx runs inside a paint cycle of the whole area, unpaced as in a
// refresh-mode replay, and only drawfx itself is timed.
void BM_DrawCurveFine(benchmark::State& state)
{
    resetWindow(false, true);
    Form28->Canvas->setPaintHandler([&state] {
        state.ResumeTiming();
        const core::Status failure = Unit28::drawfx(1.0, -2.0, 0.5, Unit28::fineStep);
        state.PauseTiming();
        return failure;
    });
    for (auto _ : state) {
        state.PauseTiming();
        paintWholeArea();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    Form28->Canvas->setPaintHandler([] { return Form28->FormPaint(); });
    resetWindow(false, true);
}
BENCHMARK(BM_DrawCurveFine)->Unit(benchmark::kMicrosecond);

// After the first repaint the stored curves' traces are kept: the repaints
// measured here replay them.
// The live heap counter reports what the stored curves, their kept traces and
// their strokes hold after a repaint, above the empty table.
void replay(benchmark::State& state, int count, bool fine)
{
    resetWindow(fine, true);
    const std::size_t emptyHeap = mallinfo2().uordblks;
    storeReplayCurves(count);
    for (auto _ : state) {
        paintWholeArea();
        settle(state);
    }
    state.counters["heap_MB"] = double(mallinfo2().uordblks - emptyHeap) / (1 << 20);
    resetWindow(false, true);
}

void BM_Replay100Normal(benchmark::State& state)
{
    replay(state, 100, false);
}
BENCHMARK(BM_Replay100Normal)->Unit(benchmark::kMillisecond);

void BM_Replay1000Normal(benchmark::State& state)
{
    replay(state, 1000, false);
}
BENCHMARK(BM_Replay1000Normal)->Unit(benchmark::kMillisecond);

void BM_Replay100Fine(benchmark::State& state)
{
    replay(state, 100, true);
}
BENCHMARK(BM_Replay100Fine)->Unit(benchmark::kMillisecond);

// The picture of 100 stored normal curves at scale 2, as Copy and Save draw
// it (the curves' traces kept from the first iteration on, as in a replay).
void BM_RenderScale2(benchmark::State& state)
{
    resetWindow(false, true);
    storeReplayCurves(100);
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::graphImage(Form28->graphSource(), 2));
    resetWindow(false, true);
}
BENCHMARK(BM_RenderScale2)->Unit(benchmark::kMillisecond);

// A draw request typed in animation mode: paced to about a second of wall
// time, so one iteration is enough; measured in wall time, the pacing sleeps.
void BM_AnimatedDrawRequest(benchmark::State& state)
{
    resetWindow(true, true);
    for (auto _ : state) {
        Form28->Edit1->setText("1");
        Form28->Edit2->setText("0");
        Form28->Edit3->setText("-4");
        platform::guarded([] { return Form28->Button1Click(); });
        settle(state);
    }
    resetWindow(false, true);
}
BENCHMARK(BM_AnimatedDrawRequest)->UseRealTime()->Unit(benchmark::kMillisecond);

// H on the drawing area until the audio output has taken the first bytes of
// the chosen curve's sound (then they are the sound server's to play), in
// wall time. Needs a sound server (PULSE_SERVER); skipped without one.
void BM_SoundStartsAfterKey(benchmark::State& state)
{
    resetWindow(false, true);
    Unit28::reco.add({1, -3, 1}, {"1", "-3", "1"});
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QCoreApplication::sendEvent(Form28->Canvas, &down);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_H, Qt::NoModifier, "h");
    bool unavailable = false;
    const QMetaObject::Connection told = QObject::connect(&Form28->soundOutput(), &platform::SoundOutput::unavailable,
                                                          [&] { unavailable = true; });
    for (auto _ : state) {
        QCoreApplication::sendEvent(Form28->Canvas, &key);
        while (!Form28->soundOutput().isPlaying() && !unavailable)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        state.PauseTiming();
        Form28->stopSound();
        if (unavailable) state.SkipWithError("no audio device");
        state.ResumeTiming();
    }
    QObject::disconnect(told);
    resetWindow(false, true);
}
BENCHMARK(BM_SoundStartsAfterKey)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// A pointer move over 1,000 stored curves: the nearest curve, the value on
// it, the overlay laid out and its old and new rectangles repainted. The
// image of which curve inks each pixel is made once, before the timing.
// The pointer jumping anywhere at every move (a new curve highlighted each
// time) is BM_PointerJumpOver1000.
void BM_PointerOver1000(benchmark::State& state)
{
    resetWindow(false, true);
    storeReplayCurves(1000);
    paintWholeArea();
    const auto moveTo = [](int x, int y) {
        QMouseEvent move(QEvent::MouseMove, QPointF(x, y), Form28->Canvas->mapToGlobal(QPointF(x, y)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(Form28->Canvas, &move);
        QCoreApplication::processEvents();
    };
    // Across the area row by row, three pixels a move as a hand moves a
    // mouse; the curve under it changes every few moves among so many.
    moveTo(60, 150);
    int step = 0;
    for (auto _ : state) {
        ++step;
        moveTo(60 + step * 3 % 480, 150 + step * 3 / 480 * 11 % 400);
    }
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(Form28->Canvas, &leave);
    resetWindow(false, true);
}
BENCHMARK(BM_PointerOver1000)->Unit(benchmark::kMicrosecond);

void BM_PointerJumpOver1000(benchmark::State& state)
{
    resetWindow(false, true);
    storeReplayCurves(1000);
    paintWholeArea();
    int step = 0;
    for (auto _ : state) {
        ++step;
        QMouseEvent move(QEvent::MouseMove, QPointF(100 + step * 37 % 450, 110 + step * 53 % 500), QPointF(),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(Form28->Canvas, &move);
        QCoreApplication::processEvents();
    }
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(Form28->Canvas, &leave);
    resetWindow(false, true);
}
BENCHMARK(BM_PointerJumpOver1000)->Unit(benchmark::kMicrosecond);

// One step of the trace point along the chosen curve (Right), among 1,000
// stored curves: the new point, its words, the overlay repainted where it
// changed.
void BM_TraceStep(benchmark::State& state)
{
    resetWindow(false, true);
    storeReplayCurves(1000);
    paintWholeArea();
    Form28->Canvas->setFocus();
    const auto press = [](Qt::Key key) {
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(Form28->Canvas, &down);
        QCoreApplication::processEvents();
    };
    press(Qt::Key_Down);  // the first curve
    press(Qt::Key_Home);
    int steps = 0;
    for (auto _ : state) {
        press(Qt::Key_Right);
        if (++steps % 400 == 0) {  // the end of the x axis: back to its start
            state.PauseTiming();
            press(Qt::Key_Home);
            state.ResumeTiming();
        }
    }
    press(Qt::Key_Escape);
    Form28->Edit1->setFocus();
    resetWindow(false, true);
}
BENCHMARK(BM_TraceStep)->Unit(benchmark::kMicrosecond);

// An undo or a redo of the last of 1,000 draw requests, 1,000 curves stored:
// the pixels under its strokes put back, the curve taken out or put back, the
// labels, fields and description, the drawing area presented again. The
// counter "history_MB" is the memory the 1,000 steps hold beyond the curves.
void BM_UndoRedo1000(benchmark::State& state)
{
    resetWindow(false, true);
    Form28->forgetHistory();
    for (int k = 0; k < 1000; ++k) {
        const TCoefRec curve = replayCurve(k);
        Form28->Edit1->setText(QString::number(curve.a));
        Form28->Edit2->setText(QString::number(curve.b));
        Form28->Edit3->setText(QString::number(curve.c));
        (void)Form28->Button1Click();
    }
    QCoreApplication::processEvents();
    state.counters["history_MB"] = double(Form28->history().bytes()) / 1e6;
    state.counters["steps"] = double(Form28->history().undoSteps());
    bool undo = true;
    for (auto _ : state) {
        (void)(undo ? Form28->undoStep() : Form28->redoStep());
        undo = !undo;
        QCoreApplication::processEvents();
    }
    resetWindow(false, true);
    Form28->forgetHistory();
}
BENCHMARK(BM_UndoRedo1000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    QApplication application(argc, argv);
    new TForm28;
    AboutBox = new TAboutBox;
    Form28->show();
    QCoreApplication::processEvents();

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete AboutBox;
    delete Form28;
    return 0;
}
