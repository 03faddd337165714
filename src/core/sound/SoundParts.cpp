#include "core/sound/SoundParts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "core/sound/SoundMapping.h"

namespace sound::parts {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

std::int64_t framesOf(double seconds)
{
    return std::int64_t(std::lround(seconds * kSampleRate));
}

// Adds `level` · envelope(k) · sin(2π·pitch·k/rate) for the frames k of
// [0, length) that fall inside the track, from frame `start`.
template <class Envelope>
void addBurst(Track& track, std::int64_t start, std::int64_t length, double pitch, float level, Envelope envelope)
{
    const std::int64_t from = std::max<std::int64_t>(0, -start);
    const std::int64_t to = std::min<std::int64_t>(length, std::int64_t(track.size()) - start);
    const Phase step = phaseStepOf(pitch);
    for (std::int64_t k = from; k < to; ++k)
        track[std::size_t(start + k)] +=
            level * float(envelope(double(k) / double(length))) * sineOf(Phase(std::uint64_t(k) * step));
}

// A quick rise, an exponential decay, and a last stretch down to zero, over
// the burst's length (t from 0 to 1).
auto struck(double attack, double decay)
{
    return [attack, decay](double t) {
        const double rise = std::min(1.0, t / attack);
        const double tail = std::min(1.0, (1.0 - t) / 0.1);
        return rise * std::exp(-t / decay) * tail;
    };
}

}  // namespace

const std::array<float, (1 << kSineTableBits) + 1> kSineTable = [] {
    std::array<float, (1 << kSineTableBits) + 1> values{};
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = float(std::sin(kTwoPi * double(i) / (1 << kSineTableBits)));
    return values;
}();

void addClick(Track& track, std::int64_t centre)
{
    const std::int64_t length = framesOf(0.002);
    addBurst(track, centre - length / 2, length, 3000.0, kClickLevel,
             [](double t) { return 0.5 - 0.5 * std::cos(kTwoPi * t); });
}

void addChime(Track& track, std::int64_t start, bool rising)
{
    // E6 and A6, a fourth apart, above every pitch of the curve itself.
    const double low = 1318.51, high = 1760.0;
    const std::int64_t length = framesOf(0.12), gap = framesOf(0.1);
    addBurst(track, start, length, rising ? low : high, kChimeLevel, struck(0.025, 0.4));
    addBurst(track, start + gap, length, rising ? high : low, kChimeLevel, struck(0.025, 0.4));
}

void addTick(Track& track, std::int64_t start)
{
    addBurst(track, start, framesOf(0.02), 150.0, kTickLevel, struck(0.05, 0.25));
}

void fadeEnds(Track& track, std::int64_t frames)
{
    const std::int64_t size = std::int64_t(track.size());
    frames = std::min(frames, size / 2);
    for (std::int64_t k = 0; k < frames; ++k) {
        const float gain = float(0.5 - 0.5 * std::cos(std::numbers::pi * double(k) / double(frames)));
        track[std::size_t(k)] *= gain;
        track[std::size_t(size - 1 - k)] *= gain;
    }
}

void appendPanned(const Track& track, double from, double step, std::vector<std::int16_t>& out)
{
    const std::size_t first = out.size();
    out.resize(first + 2 * track.size());
    std::int16_t* frame = out.data() + first;
    // The angle in turns as a 64-bit fraction: its steps add up without drift.
    const auto fineAngle = [](double radians) {
        return std::uint64_t(std::int64_t(radians / kTwoPi * kTurn * 65536.0)) << 16;
    };
    const Phase quarter = Phase(1) << 30;
    std::uint64_t angle = fineAngle(from);
    const std::uint64_t advance = fineAngle(step);
    for (std::size_t n = 0; n < track.size(); ++n, frame += 2, angle += advance) {
        const Phase coarse = Phase(angle >> 32);
        frame[0] = sampleOf(track[n] * sineOf(coarse + quarter));
        frame[1] = sampleOf(track[n] * sineOf(coarse));
    }
}

}  // namespace sound::parts
