#pragma once
// The pieces every sound is mixed from, on a mono track of levels (1 is full
// scale): the steady tone's oscillator and noise, the marks (a click, the
// chime, the tick), the fades, and the track panned into 16-bit stereo.
// Internal to src/core/sound.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "core/sound/SoundMapping.h"

namespace sound::parts {

// Levels chosen so that everything that can sound at once stays below full
// scale: tone + noise + click + chime < 1.
inline constexpr float kToneLevel = 0.42f;
inline constexpr float kNoiseLevel = 0.06f;
inline constexpr float kClickLevel = 0.25f;
inline constexpr float kChimeLevel = 0.2f;
inline constexpr float kTickLevel = 0.4f;

// A phase in turns as a 32-bit fraction, which wraps by itself.
using Phase = std::uint32_t;
inline constexpr double kTurn = 4294967296.0;

// The phase advance per frame of a pitch in Hz, or of an angle in radians.
inline Phase phaseStepOf(double pitch) { return Phase(std::int64_t(pitch / kSampleRate * kTurn + 0.5)); }
inline Phase phaseOfAngle(double radians) { return Phase(std::int64_t(radians / (2 * std::numbers::pi) * kTurn + 0.5)); }

// sin(2π·phase), from a table with linear interpolation (errors below 1e-6,
// far under one 16-bit step).
inline constexpr int kSineTableBits = 12;
extern const std::array<float, (1 << kSineTableBits) + 1> kSineTable;
inline float sineOf(Phase phase)
{
    constexpr int fractionBits = 32 - kSineTableBits;
    const std::uint32_t index = phase >> fractionBits;
    const float within = float(phase & ((1u << fractionBits) - 1)) * (1.0f / float(1u << fractionBits));
    return kSineTable[index] + within * (kSineTable[index + 1] - kSineTable[index]);
}

// White noise in [−1, 1) from a fixed seed: the same sequence every time.
class Noise {
public:
    float next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return float(std::int32_t(state_)) * (1.0f / 2147483648.0f);
    }

private:
    std::uint32_t state_ = 0x9E3779B9u;
};

using Track = std::vector<float>;

// A short click centred on frame `centre`: a 2 ms burst at 3 kHz.
void addClick(Track& track, std::int64_t centre);
// The vertex's two rising notes from frame `start` (a minimum; falling for a maximum).
void addChime(Track& track, std::int64_t start, bool rising);
// The low tick of a curve out of view, from frame `start`.
void addTick(Track& track, std::int64_t start);
// Raised-cosine fades over the first and last `frames` frames.
void fadeEnds(Track& track, std::int64_t frames);

// The track into interleaved stereo (left, right, …) appended to `out`, its
// first frame panned by the angle `from` (see panAngleAt), the angle growing
// by `step` a frame; the left channel's gain is the angle's cosine, the
// right's its sine.
void appendPanned(const Track& track, double from, double step, std::vector<std::int16_t>& out);

std::int16_t sampleOf(float level);


inline std::int16_t sampleOf(float level)
{
    // Round half away from zero, pinned to ±32767 (never reached by the levels above).
    const float pinned = std::min(32767.0f, std::max(-32767.0f, level * 32767.0f));
    return std::int16_t(pinned + std::copysign(0.5f, pinned));
}

}  // namespace sound::parts
