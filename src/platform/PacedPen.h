#pragma once
// A pen that lets the user watch a tracing grow: it passes every operation on
// to the surface's pen and spreads the tracing over a fixed wall time,
// presenting what was drawn so far once per display frame. While it waits the
// windows go on handling events (see InputHold); once `finishNow` says so it
// stops pacing and the rest of the tracing goes at full speed. The points and
// pixels are exactly those of an unpaced tracing; only the timing differs.

#include <chrono>
#include <cstdint>
#include <functional>

#include "core/plot/SegmentSink.h"

namespace platform {

class PacedPen : public plot::SegmentSink {
public:
    using Clock = std::chrono::steady_clock;

    // `expectedPoints` is the number of lineTo calls the whole tracing makes;
    // `present` puts the drawing so far on screen.
    PacedPen(plot::SegmentSink& target, std::function<void()> present, std::int64_t expectedPoints,
             Clock::duration total, Clock::duration frame, std::function<bool()> finishNow = {});
    ~PacedPen() override;
    PacedPen(const PacedPen&) = delete;
    PacedPen& operator=(const PacedPen&) = delete;

    void moveTo(std::int64_t x, std::int64_t y) override { target_.moveTo(x, y); }
    void reachedYAxis(double ordinate) override { target_.reachedYAxis(ordinate); }
    void lineTo(std::int64_t x, std::int64_t y) override
    {
        target_.lineTo(x, y);
        if ((++points_ & (kPointsPerCheck - 1)) == 0 && !finished_)
            pace();
    }

private:
    static constexpr std::int64_t kPointsPerCheck = 256;
    void pace();
    void present();
    bool finishing();

    plot::SegmentSink& target_;
    std::function<void()> present_;
    std::int64_t expectedPoints_;
    Clock::duration total_;
    Clock::duration frame_;
    Clock::time_point start_;
    Clock::time_point lastPresent_;
    std::function<bool()> finishNow_;
    std::int64_t points_ = 0;
    bool finished_ = false;
};

// The number of points one tracing of the x range [−xn, xn] at `step` visits,
// both passes together (close enough for pacing).
std::int64_t expectedTracePoints(std::int32_t xn, double step);

}  // namespace platform
