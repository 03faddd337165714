#pragma once
// Files that are written whole or not at all.

#include <string>
#include <string_view>

#include "core/number/UserError.h"

namespace core {

// Writes `bytes` to `path`: into a new temporary file beside it, every byte
// checked to have reached the device (fsync), then renamed over `path` and
// the directory synced. An existing file keeps its permission bits; a
// symbolic link is followed, so the file it names is replaced; a directory,
// device or pipe of that name, and a file the user may not write, are
// refused. On failure
// the temporary file is removed, an existing file is left as it was, and the
// error's message is the system's reason ("No space left on device").
Status writeFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace core
