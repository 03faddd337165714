// The exact forms of one curve, as the info box's tooltip and the drawing
// area's description compute them after each draw request. Typical textbook
// inputs, and the most expensive inputs the fields accept: a hundred
// significant digits (the longest written exactly) with exponents near ±400,
// whose discriminants have hundreds of digits to search for square factors.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/exact/ExactForms.h"

namespace {

std::string digits(char first, std::size_t count)
{
    std::string text(1, first);
    for (std::size_t i = 1; i < count; ++i) text += static_cast<char>('0' + (i * 7 + 3) % 10);
    return text;
}

const std::vector<exact::FieldTexts>& typicalCurves()
{
    static const std::vector<exact::FieldTexts> curves{
        {"1", "-3", "1"}, {"2", "-7", "3"}, {"1", "", "-2"}, {"0.5", "1", "-1"}, {"1", "0.123456789012345", "-1"},
    };
    return curves;
}

const std::vector<exact::FieldTexts>& worstCurves()
{
    const std::string hundred = digits('9', 100);
    static const std::vector<exact::FieldTexts> curves{
        {hundred, "-" + hundred, hundred},
        {hundred + "E-400", hundred + "E208", "-" + hundred + "E-400"},
        {"0." + hundred + "E-207", hundred + "E-300", "-" + hundred + "E208"},
        {"-" + digits('7', 100) + "E-380", "0." + digits('3', 100), digits('5', 100) + "E180"},
        {"0.123456789012345", "-987654321.098765", "123456.789012345"},
    };
    return curves;
}

void runCurves(benchmark::State& state, const std::vector<exact::FieldTexts>& curves)
{
    const exact::FieldTexts& curve = curves[static_cast<std::size_t>(state.range(0))];
    for (auto _ : state) benchmark::DoNotOptimize(exact::exactForms(curve, "."));
}

void BM_ExactForms(benchmark::State& state) { runCurves(state, typicalCurves()); }
BENCHMARK(BM_ExactForms)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

void BM_ExactFormsWorst(benchmark::State& state) { runCurves(state, worstCurves()); }
BENCHMARK(BM_ExactFormsWorst)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

}  // namespace
