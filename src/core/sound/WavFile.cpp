#include "core/sound/WavFile.h"

#include <sndfile.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace sound {

namespace {

// A growing file in memory behind libsndfile's virtual I/O.
struct MemoryFile {
    std::string bytes;
    sf_count_t position = 0;
};

MemoryFile& fileOf(void* user) { return *static_cast<MemoryFile*>(user); }

sf_count_t lengthOf(void* user) { return sf_count_t(fileOf(user).bytes.size()); }

sf_count_t seekTo(sf_count_t offset, int whence, void* user)
{
    MemoryFile& file = fileOf(user);
    const sf_count_t base = whence == SEEK_CUR ? file.position : whence == SEEK_END ? sf_count_t(file.bytes.size()) : 0;
    if (base + offset < 0) return -1;
    file.position = base + offset;
    return file.position;
}

sf_count_t readFrom(void* data, sf_count_t count, void* user)
{
    MemoryFile& file = fileOf(user);
    const sf_count_t available = std::max<sf_count_t>(0, sf_count_t(file.bytes.size()) - file.position);
    const sf_count_t taken = std::min(count, available);
    std::memcpy(data, file.bytes.data() + file.position, std::size_t(taken));
    file.position += taken;
    return taken;
}

sf_count_t writeTo(const void* data, sf_count_t count, void* user)
{
    MemoryFile& file = fileOf(user);
    const std::size_t end = std::size_t(file.position + count);
    if (end > file.bytes.size()) file.bytes.resize(end);
    std::memcpy(file.bytes.data() + file.position, data, std::size_t(count));
    file.position += count;
    return count;
}

sf_count_t positionOf(void* user) { return fileOf(user).position; }

}  // namespace

core::Expected<std::string> wavBytes(const StereoSamples& samples)
{
    SF_VIRTUAL_IO io{lengthOf, seekTo, readFrom, writeTo, positionOf};
    MemoryFile file;
    SF_INFO info{};
    info.samplerate = kSampleRate;
    info.channels = kChannels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    std::unique_ptr<SNDFILE, int (*)(SNDFILE*)> sound(sf_open_virtual(&io, SFM_WRITE, &info, &file), sf_close);
    if (!sound) return core::UserError{sf_strerror(nullptr)};
    const sf_count_t frames = sf_count_t(samples.size() / kChannels);
    if (sf_writef_short(sound.get(), samples.data(), frames) != frames) return core::UserError{sf_strerror(sound.get())};
    if (sf_close(sound.release()) != 0) return core::UserError{"the sound file could not be completed"};
    return std::move(file.bytes);
}

}  // namespace sound
