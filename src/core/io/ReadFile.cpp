#include "core/io/ReadFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace core {

Expected<std::string> readDescriptor(int descriptor, std::size_t maxBytes)
{
    std::string bytes;
    char buffer[65536];
    while (bytes.size() < maxBytes) {
        const ssize_t count = ::read(descriptor, buffer, std::min(sizeof buffer, maxBytes - bytes.size()));
        if (count == 0) break;
        if (count < 0) {
            if (errno == EINTR) continue;
            return UserError{std::strerror(errno)};
        }
        bytes.append(buffer, std::size_t(count));
    }
    return bytes;
}

Expected<std::string> readFileStart(const std::string& path, std::size_t maxBytes)
{
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return UserError{std::strerror(errno)};
    Expected<std::string> bytes = readDescriptor(descriptor, maxBytes);
    ::close(descriptor);
    return bytes;
}

}  // namespace core
