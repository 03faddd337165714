#include "core/sound/SoundOfCurve.h"

#include <algorithm>

#include "core/plot/Trace.h"
#include "core/sound/SoundParts.h"

namespace sound {

namespace {

using parts::Track;

// How far below the axis the noise reaches its full level, so that it grows
// from nothing where the curve crosses.
constexpr double kNoiseDepth = 0.25;
// The tone and the noise fade in and out over this when the curve enters or
// leaves the view.
constexpr double kViewFadeSeconds = 0.005;

// The steady part of a sound: the tone at the pitch of y and the noise below
// the axis, fading in and out with the view, and the ticks while out of view.
class Voice {
public:
    explicit Voice(const SoundRange& range) : range_(range) {}

    float next(double y, std::int64_t frame, std::vector<std::int64_t>& ticks)
    {
        const bool inView = range_.inView(y);
        gain_ = std::clamp(gain_ + (inView ? kGainStep : -kGainStep), 0.0f, 1.0f);
        if (inView) {
            step_ = parts::phaseStepOf(pitchAt(y, range_));
            below_ = float(std::clamp(-y / kNoiseDepth, 0.0, 1.0));
        }
        if (!inView && (wasInView_ || frame >= nextTick_)) {
            ticks.push_back(frame);
            nextTick_ = frame + framesIn(kTickInterval);
        }
        wasInView_ = inView;
        if (gain_ == 0.0f) return 0.0f;
        phase_ += step_;
        return gain_ * (parts::kToneLevel * parts::sineOf(phase_) + parts::kNoiseLevel * below_ * noise_.next());
    }
    // The first frame starts at its full level; the fades at the ends take care of it.
    void startAt(double y) { gain_ = range_.inView(y) ? 1.0f : 0.0f; }

private:
    static constexpr float kGainStep = float(1.0 / (kViewFadeSeconds * kSampleRate));
    SoundRange range_;
    float gain_ = 0, below_ = 0;  // the noise's share, as last in view
    parts::Phase phase_ = 0, step_ = 0;
    parts::Noise noise_;
    bool wasInView_ = true;
    std::int64_t nextTick_ = 0;
};

// A tick in the fade-in waits for its end.
void addTicks(Track& track, const std::vector<std::int64_t>& ticks)
{
    for (std::int64_t tick : ticks) parts::addTick(track, std::max(tick, framesIn(kFadeSeconds)));
}

void appendCurve(const model::CurveFacts& facts, double seconds, const SoundRange& range, StereoSamples& out)
{
    const std::int64_t frames = std::max<std::int64_t>(2, framesIn(seconds));
    const double last = double(frames - 1);
    const auto abscissa = [&](std::int64_t n) { return -range.xReach + 2 * range.xReach * (double(n) / last); };
    const auto frameAt = [&](double x) { return std::int64_t((x + range.xReach) / (2 * range.xReach) * last + 0.5); };

    Track track(std::size_t(frames), 0.0f);
    std::vector<std::int64_t> ticks;
    Voice voice(range);
    voice.startAt(plot::ordinateAt(facts.curve, abscissa(0)));
    for (std::int64_t n = 0; n < frames; ++n)
        track[std::size_t(n)] = voice.next(plot::ordinateAt(facts.curve, abscissa(n)), n, ticks);
    addTicks(track, ticks);
    for (const model::PointOfInterest& point : facts.points) {
        if (std::abs(point.x) > range.xReach) continue;
        if (point.kind == model::PointOfInterest::Kind::XIntercept)
            parts::addClick(track, frameAt(point.x));
        else if (point.kind == model::PointOfInterest::Kind::Vertex && range.inView(point.y))
            parts::addChime(track, frameAt(point.x), facts.curve.a > 0);
    }
    parts::fadeEnds(track, framesIn(kFadeSeconds));
    parts::appendPanned(track, panAngleAt(-range.xReach, range), panAngleAt(range.xReach, range) / last, out);
}

}  // namespace

StereoSamples soundOfCurve(const model::CurveFacts& facts, double seconds, const SoundRange& range)
{
    StereoSamples samples;
    appendCurve(facts, seconds, range, samples);
    return samples;
}

StereoSamples soundOfCurves(const std::vector<const model::CurveFacts*>& curves, double seconds,
                            const SoundRange& range)
{
    StereoSamples samples;
    for (std::size_t i = 0; i < curves.size(); ++i) {
        if (i > 0) samples.resize(samples.size() + std::size_t(kChannels * framesIn(kPauseBetweenCurves)), 0);
        appendCurve(*curves[i], seconds, range, samples);
    }
    return samples;
}

StereoSamples soundOfPoint(double x, double y, const SoundRange& range, double seconds)
{
    const std::int64_t frames = std::max<std::int64_t>(1, framesIn(seconds));
    Track track(std::size_t(frames), 0.0f);
    std::vector<std::int64_t> ticks;
    Voice voice(range);
    voice.startAt(y);
    for (std::int64_t n = 0; n < frames; ++n) track[std::size_t(n)] = voice.next(y, n, ticks);
    if (!ticks.empty()) addTicks(track, {0});
    parts::fadeEnds(track, framesIn(kFadeSeconds));
    StereoSamples samples;
    parts::appendPanned(track, panAngleAt(x, range), 0.0, samples);
    return samples;
}

}  // namespace sound
