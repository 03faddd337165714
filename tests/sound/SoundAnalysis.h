#pragma once
// Measures taken from sound samples alone, knowing nothing of how they were
// made: the strongest pitch in a band (a short Fourier transform), the level
// of a stretch, and the level of a frequency over a short window.

#include <cmath>
#include <complex>
#include <cstdint>
#include <numbers>
#include <vector>

namespace analysis {

inline constexpr double kRate = 44100;

struct Channels {
    std::vector<double> left, right, mid;  // full scale 1; mid = left + right
};

inline Channels channelsOf(const std::vector<std::int16_t>& interleaved)
{
    Channels channels;
    for (std::size_t i = 0; i + 1 < interleaved.size(); i += 2) {
        channels.left.push_back(interleaved[i] / 32768.0);
        channels.right.push_back(interleaved[i + 1] / 32768.0);
        channels.mid.push_back(channels.left.back() + channels.right.back());
    }
    return channels;
}

// The frames [centre − length/2, centre + length/2) under a Hann window
// (zero outside the samples).
inline std::vector<double> windowed(const std::vector<double>& x, std::int64_t centre, int length)
{
    std::vector<double> segment(std::size_t(length), 0.0);
    const std::int64_t start = centre - length / 2;
    for (int k = 0; k < length; ++k)
        if (start + k >= 0 && start + k < std::int64_t(x.size()))
            segment[std::size_t(k)] =
                (0.5 - 0.5 * std::cos(2 * std::numbers::pi * k / length)) * x[std::size_t(start + k)];
    return segment;
}

// The level of one frequency in a windowed segment: a sine of amplitude A
// gives about A.
inline double levelIn(const std::vector<double>& segment, double pitch)
{
    std::complex<double> sum = 0, turn = 1;
    const std::complex<double> step = std::polar(1.0, -2 * std::numbers::pi * pitch / kRate);
    for (double value : segment) sum += value * turn, turn *= step;
    return 4 * std::abs(sum) / double(segment.size());
}

inline double levelAt(const std::vector<double>& x, std::int64_t centre, int length, double pitch)
{
    return levelIn(windowed(x, centre, length), pitch);
}

// The strongest pitch between `low` and `high` Hz around frame `centre`,
// searched in steps of 2 cents.
inline double strongestPitch(const std::vector<double>& x, std::int64_t centre, double low, double high,
                             int length = 1024)
{
    const std::vector<double> segment = windowed(x, centre, length);
    double best = low, bestLevel = -1;
    for (double pitch = low; pitch <= high; pitch *= std::exp2(2.0 / 1200)) {
        const double level = levelIn(segment, pitch);
        if (level > bestLevel) best = pitch, bestLevel = level;
    }
    return best;
}

inline double centsBetween(double pitch, double reference)
{
    return 1200 * std::log2(pitch / reference);
}

// 220 Hz at y = −12.5, doubling every 12.5 up to 880 Hz at 12.5.
inline double pitchOfHeight(double y) { return 220 * std::exp2((y + 12.5) / 12.5); }

// The largest distance in cents between the strongest pitch and the pitch of
// the height y(x), at 20 points evenly spread over [left, right], in a pass
// from x = −10 to 10 over `frames` frames from frame `first`.
template <class Height>
double worstPitchError(const std::vector<double>& x, std::int64_t first, std::int64_t frames, Height y, double left,
                       double right)
{
    double worst = 0;
    for (int i = 0; i < 20; ++i) {
        const double at = left + (right - left) * i / 19;
        const auto frame = first + std::int64_t(std::lround((at + 10) / 20 * double(frames - 1)));
        worst = std::max(worst, std::abs(centsBetween(strongestPitch(x, frame, 200, 950), pitchOfHeight(y(at)))));
    }
    return worst;
}

// The root mean square over frames [from, to).
inline double rms(const std::vector<double>& x, std::int64_t from, std::int64_t to)
{
    double sum = 0;
    for (std::int64_t n = from; n < to; ++n) sum += x[std::size_t(n)] * x[std::size_t(n)];
    return std::sqrt(sum / double(to - from));
}

// The root mean square of the second difference over [from, to): large for
// noise, small for tones below 2 kHz.
inline double roughness(const std::vector<double>& x, std::int64_t from, std::int64_t to)
{
    double sum = 0;
    for (std::int64_t n = from + 1; n + 1 < to; ++n) {
        const double d = x[std::size_t(n + 1)] - 2 * x[std::size_t(n)] + x[std::size_t(n - 1)];
        sum += d * d;
    }
    return std::sqrt(sum / double(to - from - 2));
}

}  // namespace analysis
