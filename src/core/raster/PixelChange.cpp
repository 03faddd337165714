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

void PixelChange::pack(const std::vector<std::uint8_t>& spans, const std::vector<Run>& before,
                       const std::vector<Run>& after)
{
    std::vector<std::uint8_t> bytes(spans.size() + (before.size() + after.size()) * sizeof(Run));
    // No change at all: nothing to copy (and no block to copy into).
    if (!bytes.empty()) {
        std::memcpy(bytes.data(), spans.data(), spans.size());
        std::memcpy(bytes.data() + spans.size(), before.data(), before.size() * sizeof(Run));
        std::memcpy(bytes.data() + spans.size() + before.size() * sizeof(Run), after.data(),
                    after.size() * sizeof(Run));
    }
    bytes_ = std::move(bytes);
    spanBytes_ = spans.size();
    beforeRuns_ = before.size();
    afterRuns_ = after.size();
}

std::vector<PixelChange::Run> PixelChange::runs(std::size_t first, std::size_t count) const
{
    std::vector<Run> runs(count);
    if (count > 0) std::memcpy(runs.data(), bytes_.data() + spanBytes_ + first * sizeof(Run), count * sizeof(Run));
    return runs;
}

PixelChange PixelChange::between(const std::uint32_t* was, const std::uint32_t* is, int imageWidth, int imageHeight)
{
    PixelChange change;
    change.width_ = imageWidth;
    change.height_ = imageHeight;
    std::vector<std::uint8_t> spans;
    std::vector<Run> before, after;
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
                append(before, was[i]);
                append(after, is[i]);
            }
            putNumber(spans, first - spanEnd);
            putNumber(spans, i - first);
            spanEnd = i;
        }
    }
    change.pack(spans, before, after);
    return change;
}

template <class Visit>
void PixelChange::forEachPosition(Visit&& visit) const
{
    const std::uint8_t* at = bytes_.data();
    const std::uint8_t* end = at + spanBytes_;
    std::size_t position = 0;
    while (at != end) {
        position += takeNumber(at);
        for (std::size_t length = takeNumber(at); length > 0; --length) visit(position++);
    }
}

void PixelChange::write(std::uint32_t* pixels, int width, int height, std::size_t firstRun) const
{
    if (width != width_ || height != height_ || empty()) return;
    const std::uint8_t* runBytes = bytes_.data() + spanBytes_ + firstRun * sizeof(Run);
    Run run;
    std::memcpy(&run, runBytes, sizeof(Run));
    std::uint32_t usedOfRun = 0;
    forEachPosition([&](std::size_t position) {
        pixels[position] = run.value;
        if (++usedOfRun == run.count) {
            runBytes += sizeof(Run);
            usedOfRun = 0;
            // Past the last run there is nothing more to read: the spans end too.
            if (runBytes < bytes_.data() + bytes_.size()) std::memcpy(&run, runBytes, sizeof(Run));
        }
    });
}

void PixelChange::rebase(const std::uint32_t* pixels, int width, int height)
{
    if (width != width_ || height != height_ || empty()) return;
    std::vector<Run> before;
    forEachPosition([&](std::size_t position) { append(before, pixels[position]); });
    const std::vector<std::uint8_t> spans(bytes_.begin(), bytes_.begin() + std::ptrdiff_t(spanBytes_));
    pack(spans, before, runs(beforeRuns_, afterRuns_));
}

std::size_t PixelChange::bytes() const
{
    return sizeof(*this) + bytes_.capacity();
}

}  // namespace core
