#include "platform/PacedPen.h"

#include <algorithm>
#include <cmath>
#include <QCoreApplication>
#include <thread>

namespace platform {

PacedPen::PacedPen(plot::SegmentSink& target, std::function<void()> present, std::int64_t expectedPoints,
                   Clock::duration total, Clock::duration frame, std::function<bool()> finishNow)
    : target_(target),
      present_(std::move(present)),
      expectedPoints_(std::max<std::int64_t>(expectedPoints, 1)),
      total_(total),
      frame_(frame),
      start_(Clock::now()),
      lastPresent_(start_),
      finishNow_(std::move(finishNow))
{
}

PacedPen::~PacedPen()
{
    present();
}

void PacedPen::present()
{
    present_();
    lastPresent_ = Clock::now();
}

bool PacedPen::finishing()
{
    if (finishNow_ && finishNow_())
        finished_ = true;
    return finished_;
}

void PacedPen::pace()
{
    const auto due = start_ + std::chrono::duration_cast<Clock::duration>(
                                  total_ * (double(points_) / double(expectedPoints_)));
    if (Clock::now() - lastPresent_ >= frame_)
        present();
    // Waits with the windows alive: they repaint, move and take input (held
    // back until the tracing ends) while the user watches.
    constexpr auto kWaitSlice = std::chrono::milliseconds(4);
    while (!finishing()) {
        QCoreApplication::processEvents();
        const auto now = Clock::now();
        if (now >= due || finishing())
            return;
        std::this_thread::sleep_for(std::min<Clock::duration>(due - now, kWaitSlice));
    }
}

std::int64_t expectedTracePoints(std::int32_t xn, double step)
{
    if (xn < 0 || !(step > 0))
        return 1;
    const double perPass = std::floor(double(xn) / step) + 1;
    return std::int64_t(std::min(2 * perPass, 1e15));
}

}  // namespace platform
