#include "core/io/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

namespace core {

namespace {

UserError systemError(int error)
{
    return {std::strerror(error)};
}

std::string directoryOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a chain of symbolic links ends at; the path itself when it is no
// link. A dangling link names the file it would point to.
std::string linkTarget(std::string path)
{
    for (int depth = 0; depth < 40; ++depth) {
        struct stat info;
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
        std::string target(4096, '\0');
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length <= 0 || std::size_t(length) >= target.size()) return path;
        target.resize(std::size_t(length));
        path = target[0] == '/' ? target : directoryOf(path) + "/" + target;
    }
    return path;
}

// The temporary file: created here, removed again unless renamed into place.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& target) : target_(target) {}
    ~TemporaryFile()
    {
        if (fd_ >= 0) ::close(fd_);
        if (!path_.empty() && !renamed_) ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // A new hidden name beside the target, opened exclusively; the umask
    // applies to its mode as to any new file.
    Status create()
    {
        static std::mt19937 generator{std::random_device{}()};
        const std::size_t slash = target_.rfind('/');
        const std::string directory = slash == std::string::npos ? "" : target_.substr(0, slash + 1);
        // Short enough that the temporary name stays within a file name's limit.
        const std::string name = target_.substr(directory.size()).substr(0, 200);
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::string candidate = directory + "." + name + "." + std::to_string(generator() % 1000000000u);
            const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0) {
                fd_ = fd;
                path_ = candidate;
                return {};
            }
            if (errno != EEXIST && errno != EINTR) return systemError(errno);
        }
        return systemError(EEXIST);
    }

    int fd() const { return fd_; }

    Status write(std::string_view bytes)
    {
        while (!bytes.empty()) {
            const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
            if (written < 0 && errno == EINTR) continue;
            if (written < 0) return systemError(errno);
            if (written == 0) return systemError(ENOSPC);
            bytes.remove_prefix(std::size_t(written));
        }
        return {};
    }

    // The bytes on the device, then the descriptor closed: either can be
    // where a full or failing device is first reported.
    Status syncAndClose()
    {
        int synced;
        do synced = ::fsync(fd_);
        while (synced != 0 && errno == EINTR);
        if (synced != 0) return systemError(errno);
        const int closed = ::close(fd_);
        fd_ = -1;
        if (closed != 0) return systemError(errno);
        return {};
    }

    Status renameOverTarget()
    {
        if (::rename(path_.c_str(), target_.c_str()) != 0) return systemError(errno);
        renamed_ = true;
        return {};
    }

private:
    std::string target_, path_;
    int fd_ = -1;
    bool renamed_ = false;
};

// The rename made durable. A file system that cannot sync a directory says
// so with EINVAL; a directory that cannot be read is left to the system.
Status syncDirectory(const std::string& directory)
{
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return {};
    const int synced = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    if (synced != 0 && error != EINVAL && error != ENOTSUP) return systemError(error);
    return {};
}

}  // namespace

Status writeFileAtomically(const std::string& path, std::string_view bytes)
{
    if (path.empty()) return systemError(ENOENT);
    const std::string target = linkTarget(path);
    struct stat existing;
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    // Only a plain file is replaced: a rename over a device or a pipe would
    // remove it instead of writing to it.
    if (exists && !S_ISREG(existing.st_mode)) return systemError(S_ISDIR(existing.st_mode) ? EISDIR : ENOTSUP);
    // A file the user may not write is not replaced behind their back.
    if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return systemError(errno);

    TemporaryFile file(target);
    if (Status failure = file.create()) return failure;
    // The permission bits, not set-user-ID and the like: the new file may
    // belong to someone else than the old one did. A file system without
    // permission bits refuses, and the file is whole all the same.
    if (exists) (void)::fchmod(file.fd(), existing.st_mode & 0777);
    if (Status failure = file.write(bytes)) return failure;
    if (Status failure = file.syncAndClose()) return failure;
    if (Status failure = file.renameOverTarget()) return failure;
    return syncDirectory(directoryOf(target));
}

}  // namespace core
