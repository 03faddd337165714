#include "platform/PacedPen.h"

#include <algorithm>
#include <cmath>
#include <thread>

namespace platform {

PacedPen::PacedPen(plot::SegmentSink& target, std::function<void()> present, std::int64_t expectedPoints,
                   Clock::duration total, Clock::duration frame)
    : target_(target),
      present_(std::move(present)),
      expectedPoints_(std::max<std::int64_t>(expectedPoints, 1)),
      total_(total),
      frame_(frame),
      start_(Clock::now()),
      lastPresent_(start_)
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

void PacedPen::pace()
{
    const auto due = start_ + std::chrono::duration_cast<Clock::duration>(
                                  total_ * (double(points_) / double(expectedPoints_)));
    if (Clock::now() - lastPresent_ >= frame_)
        present();
    std::this_thread::sleep_until(due);
}

std::int64_t expectedTracePoints(std::int32_t xn, double step)
{
    if (xn < 0 || !(step > 0))
        return 1;
    const double perPass = std::floor(double(xn) / step) + 1;
    return std::int64_t(std::min(2 * perPass, 1e15));
}

}  // namespace platform
