#pragma once
// How a curve is heard: its height as pitch, its abscissa as the place
// between the ears, and how long one pass from left to right takes.

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/plot/Geometry.h"

namespace sound {

inline constexpr int kSampleRate = 44100;
inline constexpr int kChannels = 2;

// At the bottom and at the top of the view; equal steps of log frequency between.
inline constexpr double kLowestPitch = 220.0, kHighestPitch = 880.0;

// The part of the plane the sound covers: x from −xReach to xReach (the
// tracing's range), y in view from −yReach to yReach (the y axis's length).
struct SoundRange {
    double xReach = 10, yReach = 12.5;

    static SoundRange of(const plot::PlotGeometry& geometry)
    {
        return {double(geometry.xn), double(geometry.ly) / geometry.l1};
    }
    bool inView(double y) const { return std::abs(y) <= yReach; }  // never for NaN
};

// The pitch in Hz of height y in view.
inline double pitchAt(double y, const SoundRange& range)
{
    const double share = (y + range.yReach) / (2 * range.yReach);
    return kLowestPitch * std::exp2(std::log2(kHighestPitch / kLowestPitch) * share);
}

// The pan angle of abscissa x, from 0 (full left, at −xReach) through π/4
// (centre) to π/2 (full right): the left channel's gain is its cosine, the
// right's its sine, so the loudness stays the same across.
inline double panAngleAt(double x, const SoundRange& range)
{
    const double share = std::clamp((x + range.xReach) / (2 * range.xReach), 0.0, 1.0);
    return share * (std::numbers::pi / 2);
}

// The speeds of Alt+1 … Alt+9: a pass takes 6 s at 1, 3 s at 5, 1 s at 9, in
// even steps between.
inline constexpr int kSlowestSpeed = 1, kDefaultSpeed = 5, kFastestSpeed = 9;
inline double secondsAtSpeed(int speed)
{
    speed = std::clamp(speed, kSlowestSpeed, kFastestSpeed);
    return speed <= kDefaultSpeed ? 6.0 - 0.75 * (speed - kSlowestSpeed) : 3.0 - 0.5 * (speed - kDefaultSpeed);
}

}  // namespace sound
