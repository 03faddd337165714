#pragma once
// Sounds as WAV files: 16-bit PCM stereo at 44.1 kHz, made in memory by
// libsndfile, so the bytes can be written whole or not at all.

#include <string>

#include "core/number/UserError.h"
#include "core/sound/SoundOfCurve.h"

namespace sound {

// The whole file; the library's reason where it cannot be made.
core::Expected<std::string> wavBytes(const StereoSamples& samples);

}  // namespace sound
