#pragma once
// The command line's picture: the curves given traced as a window would draw
// them, written to a file, their intersections printed on standard output.

#include "core/cli/CommandLine.h"

namespace platform {

// Runs inside a started application; returns the exit status.
int writePictureCommand(const cli::PictureRequest& request);

}  // namespace platform
