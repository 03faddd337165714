#include "core/raster/PixelChange.h"

#include <cstring>

namespace core {

namespace {

void putNumber(std::vector<std::uint8_t>& code, std::size_t number)
{
    while (number >= 0x80) {
        code.push_back(std::uint8_t(number | 0x80));
        number >>= 7;
    }
    code.push_back(std::uint8_t(number));
}

std::size_t takeNumber(const std::uint8_t*& at)
{
    std::size_t number = 0;
    for (int shift = 0;; shift += 7) {
        const std::uint8_t byte = *at++;
        number |= std::size_t(byte & 0x7f) << shift;
        if (byte < 0x80) return number;
    }
}

}  // namespace

void PixelChange::append(std::vector<Run>& runs, std::uint32_t value)
{
    if (!runs.empty() && runs.back().value == value)
        ++runs.back().count;
    else
        runs.push_back({value, 1});
}

void PixelChange::addSpan(std::size_t gap, std::size_t length)
{
    putNumber(spans_, gap);
    putNumber(spans_, length);
}

PixelChange PixelChange::between(const std::uint32_t* was, const std::uint32_t* is, int imageWidth, int imageHeight)
{
    PixelChange change;
    change.width_ = imageWidth;
    change.height_ = imageHeight;
    const std::size_t width = std::size_t(imageWidth);
    std::size_t spanEnd = 0;  // where the last span ended
    for (std::size_t row = 0; row < std::size_t(imageHeight); ++row) {
        const std::size_t start = row * width;
        // Most rows are untouched: one comparison of the whole row.
        if (std::memcmp(was + start, is + start, width * sizeof(std::uint32_t)) == 0) continue;
        for (std::size_t i = start; i < start + width;) {
            if (was[i] == is[i]) {
                ++i;
                continue;
            }
            const std::size_t first = i;
            for (; i < start + width && was[i] != is[i]; ++i) {
                append(change.before_, was[i]);
                append(change.after_, is[i]);
            }
            change.addSpan(first - spanEnd, i - first);
            spanEnd = i;
        }
    }
    change.spans_.shrink_to_fit();
    change.before_.shrink_to_fit();
    change.after_.shrink_to_fit();
    return change;
}

template <class Visit>
void PixelChange::forEachPosition(Visit&& visit) const
{
    const std::uint8_t* at = spans_.data();
    const std::uint8_t* end = at + spans_.size();
    std::size_t position = 0;
    while (at != end) {
        position += takeNumber(at);
        for (std::size_t length = takeNumber(at); length > 0; --length) visit(position++);
    }
}

void PixelChange::write(std::uint32_t* pixels, int width, int height, const std::vector<Run>& values) const
{
    if (width != width_ || height != height_) return;
    auto run = values.begin();
    std::uint32_t usedOfRun = 0;
    forEachPosition([&](std::size_t position) {
        pixels[position] = run->value;
        if (++usedOfRun == run->count) {
            ++run;
            usedOfRun = 0;
        }
    });
}

void PixelChange::rebase(const std::uint32_t* pixels, int width, int height)
{
    if (width != width_ || height != height_) return;
    std::vector<Run> before;
    forEachPosition([&](std::size_t position) { append(before, pixels[position]); });
    before.shrink_to_fit();
    before_ = std::move(before);
}

std::size_t PixelChange::bytes() const
{
    return sizeof(*this) + spans_.capacity() + (before_.capacity() + after_.capacity()) * sizeof(Run);
}

}  // namespace core
