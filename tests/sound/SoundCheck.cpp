// Checks a WAV file of the program's sound by its samples alone.
//   veltrano_sound_check FILE.wav
//       FILE holds y = x² − 3x + 1 and y = −2x² + 7x − 3 at the default speed:
//       the pitch follows the height within a quarter tone at 20 points of each.
//   veltrano_sound_check RECORDED.wav REFERENCE.wav
//       a recording of REFERENCE played (with silence before it) has its
//       pitch track within a quarter tone at 20 points where REFERENCE has a tone.
// Exit status 0 when it holds, 1 when not, 2 when a file cannot be read.

#include <sndfile.h>

#include <cstdio>

#include "sound/SoundAnalysis.h"

namespace {

bool read(const char* path, analysis::Channels& channels)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(path, SFM_READ, &info);
    if (!file || info.channels != 2 || info.samplerate != 44100) {
        std::fprintf(stderr, "%s: not a 44.1 kHz stereo sound file\n", path);
        if (file) sf_close(file);
        return false;
    }
    std::vector<std::int16_t> samples(std::size_t(info.frames * 2));
    const sf_count_t frames = sf_readf_short(file, samples.data(), info.frames);
    sf_close(file);
    samples.resize(std::size_t(frames * 2));
    channels = analysis::channelsOf(samples);
    return true;
}

// How many frames later the recording's sound begins: the lag, in steps of
// 5 ms, at which the two level envelopes agree best (a first tick the
// recording missed does not throw it off by a tenth of a second).
std::int64_t lagOf(const std::vector<double>& recorded, const std::vector<double>& reference)
{
    constexpr std::int64_t step = 220;
    const auto envelope = [](const std::vector<double>& x) {
        std::vector<double> levels;
        for (std::int64_t n = 0; n + step <= std::int64_t(x.size()); n += step) levels.push_back(analysis::rms(x, n, n + step));
        return levels;
    };
    const std::vector<double> heard = envelope(recorded), made = envelope(reference);
    std::int64_t best = 0;
    double bestAgreement = -1;
    for (std::int64_t lag = -std::int64_t(made.size()); lag < std::int64_t(heard.size()); ++lag) {
        double agreement = 0;
        for (std::int64_t i = 0; i < std::int64_t(made.size()); ++i)
            if (i + lag >= 0 && i + lag < std::int64_t(heard.size())) agreement += made[std::size_t(i)] * heard[std::size_t(i + lag)];
        if (agreement > bestAgreement) best = lag, bestAgreement = agreement;
    }
    return best * step;
}

int compare(const analysis::Channels& recorded, const analysis::Channels& reference)
{
    const std::int64_t shift = lagOf(recorded.mid, reference.mid);
    std::vector<std::int64_t> toned;  // every 10 ms of the reference with a tone in it
    for (std::int64_t n = 1024; n + 1024 < std::int64_t(reference.mid.size()); n += 441)
        if (analysis::levelAt(reference.mid, n, 1024, analysis::strongestPitch(reference.mid, n, 200, 950)) > 0.2)
            toned.push_back(n);
    int failed = 0;
    for (int i = 0; i < 20 && toned.size() >= 20; ++i) {
        const std::int64_t n = toned[toned.size() * std::size_t(i) / 20];
        const double expected = analysis::strongestPitch(reference.mid, n, 200, 950);
        const double heard = n + shift + 1024 < std::int64_t(recorded.mid.size())
                                 ? analysis::strongestPitch(recorded.mid, n + shift, 200, 950) : 0;
        const bool near = heard > 0 && std::abs(analysis::centsBetween(heard, expected)) < 50;
        std::printf("%s: %.3f s: %.1f Hz recorded, %.1f Hz made\n", near ? "ok" : "FAIL", double(n) / 44100, heard,
                    expected);
        failed += !near;
    }
    std::printf("the sound starts %.1f ms into the recording; %zu points with a tone\n",
                double(shift) / 44.1, toned.size());
    return toned.size() >= 20 && failed == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[])
{
    analysis::Channels first, second;
    if (argc < 2 || argc > 3 || !read(argv[1], first) || (argc == 3 && !read(argv[2], second))) return 2;
    if (argc == 3) return compare(first, second);
    const std::int64_t frames = 132300, second_start = frames + 22050;
    const double one = analysis::worstPitchError(first.mid, 0, frames, [](double x) { return x * x - 3 * x + 1; },
                                                 -2.1083, 5.1083);
    const double two = analysis::worstPitchError(first.mid, second_start, frames,
                                                 [](double x) { return -2 * x * x + 7 * x - 3; }, -0.9451, 4.4451);
    std::printf("worst pitch errors: %.1f and %.1f cents (a quarter tone is 50)\n", one, two);
    return one < 50 && two < 50 && first.mid.size() == std::size_t(2 * frames + 22050) ? 0 : 1;
}
