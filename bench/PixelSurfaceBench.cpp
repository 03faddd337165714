// Costs of the pen on the plot-sized surface: the zero-length segment that
// dominates fine-step tracing, the few-pixel segment of normal tracing, and a
// steep segment whose endpoints lie ~10^18 pixels off the image.

#include "core/raster/PixelSurface.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

core::PixelSurface plotSurface() {
    core::PixelSurface surface;
    surface.resize(651, 640, 0xffffffffu);
    return surface;
}

void BM_ZeroLengthLineTo(benchmark::State& state) {
    core::PixelSurface surface = plotSurface();
    std::int64_t x = 310, y = 200;
    surface.moveTo(x, y);
    for (auto _ : state) {
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(y);
        surface.lineTo(x, y);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ZeroLengthLineTo);

// Alternates between two points 1 pixel right and 3 pixels down apart.
void BM_ShortLineTo(benchmark::State& state) {
    core::PixelSurface surface = plotSurface();
    std::int64_t xs[2] = {310, 311}, ys[2] = {200, 203};
    surface.moveTo(xs[0], ys[0]);
    unsigned k = 1;
    for (auto _ : state) {
        surface.lineTo(xs[k & 1], ys[k & 1]);
        ++k;
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ShortLineTo);

// Crosses the whole image height: 640 visible pixels of a 7·10^18-step segment.
void BM_HugeSegment(benchmark::State& state) {
    core::PixelSurface surface = plotSurface();
    for (auto _ : state) {
        surface.moveTo(300, -3'000'000'000'000'000'000);
        surface.lineTo(301, 4'000'000'000'000'000'000);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_HugeSegment);

}  // namespace

namespace {

// The erase at the start of a paint cycle of the whole plot-sized image.
void BM_EraseWholeImage(benchmark::State& state) {
    core::PixelSurface surface = plotSurface();
    std::uint32_t color = 0xffefefefu;
    for (auto _ : state) {
        surface.fillRect({0, 0, surface.width(), surface.height()}, color);
        color ^= 1;  // a different colour each time, so no store can be skipped
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_EraseWholeImage);

}  // namespace
