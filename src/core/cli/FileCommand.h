#pragma once
// The parts of writing files from the command line that need no display:
// the curves given, a curve that cannot be traced, the sound file, and the
// command for a sound alone.

#include <optional>
#include <string>

#include "core/cli/CommandLine.h"
#include "core/model/StoredCurves.h"

namespace cli {

// The request's curves in a model as the window's default drawing area holds them.
void storeCurves(const PictureRequest& request, model::StoredCurves& curves);

// "curve 2: Invalid floating point operation." for the first curve whose
// tracing fails; nothing when every curve can be traced.
std::optional<std::string> failingCurveMessage(model::StoredCurves& curves, double step);

// Writes the curves' sound to request.sound, whole or not at all: the
// message for standard error where it cannot.
std::optional<std::string> writeSoundFile(model::StoredCurves& curves, double step, const PictureRequest& request);

// --sound without -o: the sound file and the curves' plain text on standard
// output, no display nor toolkit needed. Returns the exit status.
int writeSoundCommand(const PictureRequest& request);

}  // namespace cli
