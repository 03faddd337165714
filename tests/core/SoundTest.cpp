// The sound of a curve, analysed as a listener's ear would take it: pitch,
// place between the ears, noise, clicks, chime and ticks where the curve
// should make them, against values worked out by hand; and the WAV file's
// header and length.

#include "core/sound/SoundOfCurve.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/model/StoredCurves.h"
#include "core/plot/Graph.h"
#include "core/sound/WavFile.h"
#include "sound/SoundAnalysis.h"

namespace {

using analysis::Channels;
constexpr double kSeconds = 3.0;  // the default speed
constexpr std::int64_t kFrames = 132300;

model::CurveFacts factsOf(const plot::Coefficients& curve)
{
    model::StoredCurves stored(".");
    stored.setDrawingArea(651, 640);
    stored.table().add(curve);
    return stored.facts(0, plot::kNormalStep);
}

Channels soundOf(const plot::Coefficients& curve)
{
    return analysis::channelsOf(sound::soundOfCurve(factsOf(curve), kSeconds));
}

// The frame where the pass is at x, and back.
std::int64_t frameAt(double x) { return std::int64_t(std::lround((x + 10) / 20 * (kFrames - 1))); }
double secondsAt(double x) { return (x + 10) / 20 * kSeconds; }

double y1(double x) { return x * x - 3 * x + 1; }
double y2(double x) { return -2 * x * x + 7 * x - 3; }

using analysis::pitchOfHeight;

TEST(SoundOfCurve, PitchFollowsTheHeightWithinAQuarterTone)
{
    // In view (|y| ≤ 12.5) from (3 − √55)/2 to (3 + √55)/2, and from (7 − √125)/4 to (7 + √125)/4.
    EXPECT_LT(analysis::worstPitchError(soundOf({1, -3, 1}).mid, 0, kFrames, y1, -2.1083, 5.1083), 50);
    EXPECT_LT(analysis::worstPitchError(soundOf({-2, 7, -3}).mid, 0, kFrames, y2, -0.9451, 4.4451), 50);
}

// Right over left is tan(θ), θ running from 0 at x = −10 to π/2 at x = 10.
TEST(SoundOfCurve, TheLevelsOfLeftAndRightFollowX)
{
    const Channels sound = soundOf({0, 0.1, 5});
    for (double x : {-9.8, -7.0, -2.5, 0.0, 4.0, 9.0, 9.8}) {
        const std::int64_t at = frameAt(x);
        const double angle = std::atan2(analysis::rms(sound.right, at - 200, at + 200),
                                        analysis::rms(sound.left, at - 200, at + 200));
        EXPECT_NEAR(angle, (x + 10) / 20 * M_PI / 2, 0.01) << "x = " << x;
    }
}

// Noisy where y < 0 (below −0.25 at full level), clean where y > 0; the
// marks at the crossings and the vertex are left out.
TEST(SoundOfCurve, NoiseOnlyBelowTheXAxis)
{
    const Channels sound = soundOf({1, -3, 1});
    for (double x = -2.1; x < 5.1; x += 0.05) {
        const bool nearMark = std::abs(x - 0.381966) < 0.1 || std::abs(x - 2.618034) < 0.1 ||
                              (x > 1.5 && x < 1.5 + 0.25 / kSeconds * 20);
        if (nearMark || (y1(x) < 0 && y1(x) > -0.25)) continue;
        const double rough = analysis::roughness(sound.mid, frameAt(x) - 220, frameAt(x) + 220);
        EXPECT_EQ(rough > 0.05, y1(x) < 0) << "x = " << x << ": " << rough;
    }
}

// A 3 kHz burst centred on each crossing of the x axis, and nowhere else.
TEST(SoundOfCurve, ClicksAtTheCrossings)
{
    struct Case {
        plot::Coefficients curve;
        std::vector<double> crossings;
    } const cases[] = {{{1, -3, 1}, {0.381966, 2.618034}}, {{-2, 7, -3}, {0.5, 3}}, {{1, 0, 1}, {}},
                       {{0, 2, -1}, {0.5}}, {{1, -2, 1}, {1}}};
    for (const Case& c : cases) {
        const Channels sound = soundOf(c.curve);
        std::vector<double> found;  // the seconds of each burst's peak
        double peak = 0;
        std::int64_t peakAt = 0;
        for (std::int64_t n = 0; n < kFrames; n += 11) {
            const double level = analysis::levelAt(sound.mid, n, 88, 3000);
            if (level > 0.08 && level > peak) peak = level, peakAt = n;
            if (level < 0.04 && peak > 0) found.push_back(double(peakAt) / analysis::kRate), peak = 0;
        }
        ASSERT_EQ(found.size(), c.crossings.size());
        for (std::size_t i = 0; i < found.size(); ++i) EXPECT_NEAR(found[i], secondsAt(c.crossings[i]), 0.001);
    }
}

// Rising at a minimum, falling at a maximum: E6 then A6, or A6 then E6,
// starting at the vertex; none for a vertex out of view.
TEST(SoundOfCurve, AChimeAtTheVertex)
{
    struct Case {
        plot::Coefficients curve;
        double vertex;
        std::vector<double> notes;  // Hz, 0.1 s apart
    } const cases[] = {{{1, -3, 1}, 1.5, {1318.51, 1760}}, {{-2, 7, -3}, 1.75, {1760, 1318.51}}, {{1, 0, -20}, 0, {}}};
    for (const Case& c : cases) {
        const Channels sound = soundOf(c.curve);
        for (std::size_t note = 0; note < 2; ++note) {
            const std::int64_t at = frameAt(c.vertex) + 1100 + std::int64_t(note) * 4410;  // 25 ms into the note
            for (double pitch : {1318.51, 1760.0}) {
                const bool sounding = c.notes.size() == 2 && c.notes[note] == pitch;
                EXPECT_EQ(analysis::levelAt(sound.mid, at, 1024, pitch) > 0.08, sounding) << pitch << " Hz, note " << note;
            }
        }
    }
}

// Out of view: silence but for a tick every 0.1 s from where the curve leaves
// (the first one after the fade-in).
TEST(SoundOfCurve, OutOfViewASilenceWithATickEveryTenthOfASecond)
{
    const Channels sound = soundOf({1, -3, 1});  // x² − 3x + 1 ≤ 12.5 for (3 − √55)/2 ≤ x ≤ (3 + √55)/2
    const double position = (kFrames - 1) / 20.0;
    const auto enters = std::int64_t(std::ceil(((3 - std::sqrt(55.0)) / 2 + 10) * position));
    const auto leaves = std::int64_t(std::ceil(((3 + std::sqrt(55.0)) / 2 + 10) * position));
    const auto ticksEveryTenth = [&](std::int64_t first, std::int64_t end) {
        for (std::int64_t slot = first; slot + 4410 <= end; slot += 4410) {
            const std::int64_t tick = std::max<std::int64_t>(slot, 441);
            EXPECT_GT(analysis::levelAt(sound.mid, tick + 441, 882, 150), 0.05) << "frame " << slot;
            EXPECT_EQ(analysis::rms(sound.mid, slot + 1341, slot + 4410), 0.0) << "frame " << slot;
        }
    };
    ticksEveryTenth(0, enters);
    ticksEveryTenth(leaves, kFrames - 441);
}

// No clipping, quiet ends, and the same samples every time.
TEST(SoundOfCurve, NeverClipsFadesAtBothEndsAndIsTheSameEachTime)
{
    const plot::Coefficients curves[] = {{1, -3, 1}, {1, 0, 0}, {0, 0, 0}, {-0.01, 0, 12.5}, {1e308, -1e308, 1e308},
                                         {0, 1e6, 0}};
    for (const plot::Coefficients& curve : curves) {
        const model::CurveFacts facts = factsOf(curve);
        const sound::StereoSamples samples = sound::soundOfCurve(facts, kSeconds);
        ASSERT_EQ(samples.size(), 2u * kFrames);
        EXPECT_EQ(samples, sound::soundOfCurve(facts, kSeconds));
        int loudest = 0, edge = 0;
        for (std::size_t i = 0; i < samples.size(); ++i) {
            loudest = std::max(loudest, std::abs(int(samples[i])));
            if (i < 2 * 44 || i >= samples.size() - 2 * 44) edge = std::max(edge, std::abs(int(samples[i])));
        }
        EXPECT_LT(loudest, 32767);
        EXPECT_LT(edge, 32767 * 0.42 * 0.03);  // 1 ms into a 10 ms raised-cosine fade
    }
}

// A trace step: 60 ms at the point's pitch and place, or a tick out of view.
TEST(SoundOfCurve, APointsToneHasItsPitchAndPlace)
{
    const Channels point = analysis::channelsOf(sound::soundOfPoint(5, -3.2));
    ASSERT_EQ(point.mid.size(), 2646u);
    EXPECT_LT(std::abs(analysis::centsBetween(analysis::strongestPitch(point.mid, 1323, 200, 950, 1500),
                                              pitchOfHeight(-3.2))), 50);
    EXPECT_NEAR(std::atan2(analysis::rms(point.right, 500, 2100), analysis::rms(point.left, 500, 2100)), 3 * M_PI / 8,
                0.01);
    const Channels outside = analysis::channelsOf(sound::soundOfPoint(0, 13));
    EXPECT_GT(analysis::levelAt(outside.mid, 800, 800, 150), 0.1);
    EXPECT_EQ(analysis::rms(outside.mid, 1400, 2646), 0.0);
}

std::uint32_t field(const std::string& bytes, std::size_t at, std::size_t size)
{
    std::uint32_t value = 0;
    for (std::size_t i = size; i-- > 0;) value = value << 8 | std::uint8_t(bytes[at + i]);
    return value;
}

// RIFF/WAVE, 16-bit PCM stereo at 44.1 kHz, as many frames as the speed
// gives (6 s to 1 s, two curves with half a second between), the samples as made.
TEST(WavFile, HeaderAndLength)
{
    const model::CurveFacts facts = factsOf({1, -3, 1});
    const std::pair<sound::StereoSamples, std::uint32_t> cases[] = {
        {sound::soundOfCurve(facts, sound::secondsAtSpeed(1)), 264600},
        {sound::soundOfCurve(facts, sound::secondsAtSpeed(2)), 231525},
        {sound::soundOfCurve(facts, sound::secondsAtSpeed(5)), 132300},
        {sound::soundOfCurve(facts, sound::secondsAtSpeed(9)), 44100},
        {sound::soundOfCurves({&facts, &facts}, 3.0), 2 * 132300 + 22050},
    };
    for (const auto& [samples, frames] : cases) {
        const core::Expected<std::string> wav = sound::wavBytes(samples);
        ASSERT_TRUE(wav.ok());
        const std::string& bytes = *wav;
        ASSERT_EQ(bytes.size(), 44 + 4 * std::size_t(frames));
        EXPECT_EQ(bytes.substr(0, 4) + bytes.substr(8, 8) + bytes.substr(36, 4), "RIFFWAVEfmt data");
        EXPECT_EQ(field(bytes, 4, 4), bytes.size() - 8);
        EXPECT_EQ(field(bytes, 16, 4), 16u);      // the format chunk's size
        EXPECT_EQ(field(bytes, 20, 2), 1u);       // PCM
        EXPECT_EQ(field(bytes, 22, 2), 2u);       // channels
        EXPECT_EQ(field(bytes, 24, 4), 44100u);   // frames a second
        EXPECT_EQ(field(bytes, 28, 4), 176400u);  // bytes a second
        EXPECT_EQ(field(bytes, 32, 2), 4u);       // bytes a frame
        EXPECT_EQ(field(bytes, 34, 2), 16u);      // bits a sample
        EXPECT_EQ(field(bytes, 40, 4), 4 * frames);
        EXPECT_EQ(std::memcmp(bytes.data() + 44, samples.data(), 4 * std::size_t(frames)), 0);
    }
}

}  // namespace
