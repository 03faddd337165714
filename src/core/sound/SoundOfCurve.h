#pragma once
// The sound of a curve: x goes from left to right over the pass's length and
// the tone follows the curve. Its pitch is the height in view (see pitchAt),
// its place between the ears is x (panAngleAt); below the x axis a soft noise
// joins it, a click marks each crossing of the x axis and a two-note chime the
// vertex (rising at a minimum, falling at a maximum); where the curve is out
// of view there is silence but for a low tick every 0.1 s. 44.1 kHz, 16-bit
// stereo, 10 ms fades at both ends. The same curve always gives the same
// samples.

#include <cstdint>
#include <vector>

#include "core/model/CurveFacts.h"
#include "core/sound/SoundMapping.h"

namespace sound {

// Interleaved frames: left, right, left, right, …
using StereoSamples = std::vector<std::int16_t>;

inline constexpr double kFadeSeconds = 0.01;
inline constexpr double kTickInterval = 0.1;
// The silence between curves played one after another.
inline constexpr double kPauseBetweenCurves = 0.5;
// One step of the trace point.
inline constexpr double kPointSeconds = 0.06;

// One pass over the curve of `facts` (its coefficients, vertex and
// x-intercepts), `seconds` long.
StereoSamples soundOfCurve(const model::CurveFacts& facts, double seconds, const SoundRange& range = {});

// The curves one after another, kPauseBetweenCurves apart.
StereoSamples soundOfCurves(const std::vector<const model::CurveFacts*>& curves, double seconds,
                            const SoundRange& range = {});

// A short tone for the point (x, y): its pitch and place, the noise below the
// axis; a tick where y is out of view.
StereoSamples soundOfPoint(double x, double y, const SoundRange& range = {}, double seconds = kPointSeconds);

inline std::int64_t framesIn(double seconds)
{
    return std::int64_t(seconds * kSampleRate + 0.5);
}

}  // namespace sound
