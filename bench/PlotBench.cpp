// The program's hot paths on the real main window, run on Qt's offscreen
// platform: a paint cycle of the axes, one curve traced by drawfx, the
// refresh-mode replay of 100 stored curves at both steps and of 1,000 at the
// normal step, and one animated
// draw request with its pacing and presenting. Nothing is presented to a
// screen inside the timed parts except in the animated request.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
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
