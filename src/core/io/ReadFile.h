#pragma once
// Files read whole, up to a limit.

#include <cstddef>
#include <string>

#include "core/number/UserError.h"

namespace core {

// The bytes of an open file descriptor up to its end, but at most
// `maxBytes`: a caller that allows n bytes asks for n + 1 to tell a longer
// file. On failure the error's message is the system's reason ("Is a
// directory").
Expected<std::string> readDescriptor(int descriptor, std::size_t maxBytes);
// The same for the file at `path` ("No such file or directory").
Expected<std::string> readFileStart(const std::string& path, std::size_t maxBytes);

}  // namespace core
