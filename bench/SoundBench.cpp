// The sound of one curve: three seconds of stereo at the default speed, for
// a curve in view with noise, clicks and the chime, for one mostly out of
// view (ticks), and the WAV bytes of it.

#include <benchmark/benchmark.h>

#include "core/model/StoredCurves.h"
#include "core/plot/Graph.h"
#include "core/sound/SoundOfCurve.h"
#include "core/sound/WavFile.h"

namespace {

model::CurveFacts factsOf(const plot::Coefficients& curve)
{
    model::StoredCurves curves(".");
    curves.setDrawingArea(651, 640);
    curves.table().add(curve);
    return curves.facts(0, plot::kNormalStep);
}

void BM_SoundOfCurve(benchmark::State& state)
{
    const model::CurveFacts facts = factsOf({1, -3, 1});
    const double seconds = sound::secondsAtSpeed(sound::kDefaultSpeed);
    for (auto _ : state) benchmark::DoNotOptimize(sound::soundOfCurve(facts, seconds));
}
BENCHMARK(BM_SoundOfCurve)->Unit(benchmark::kMillisecond);

void BM_SoundOfCurveOutOfView(benchmark::State& state)
{
    const model::CurveFacts facts = factsOf({5, 0, -20});
    for (auto _ : state) benchmark::DoNotOptimize(sound::soundOfCurve(facts, 3.0));
}
BENCHMARK(BM_SoundOfCurveOutOfView)->Unit(benchmark::kMillisecond);

void BM_WavBytes(benchmark::State& state)
{
    const sound::StereoSamples samples = sound::soundOfCurve(factsOf({1, -3, 1}), 3.0);
    for (auto _ : state) benchmark::DoNotOptimize(sound::wavBytes(samples));
}
BENCHMARK(BM_WavBytes)->Unit(benchmark::kMillisecond);

}  // namespace
