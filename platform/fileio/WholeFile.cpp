// Whole-file reads on POSIX file descriptors.
#include "platform/fileio/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace mirtala::fileio {

namespace {

bool Fail(FileError* error, int code, const std::string& reason) {
    if (error) *error = FileError{code, reason};
    return false;
}

// Reads until the end of the file; false with errno set on a read error.
template <typename Buffer>
bool ReadAll(int fd, std::size_t expected, Buffer& out) {
    // The size the file had is read straight into the buffer; a small probe
    // then tells whether it grew meanwhile, without doubling a large buffer.
    out.resize(expected);
    std::size_t have = 0;
    char probe[4096];
    for (;;) {
        const bool intoBuffer = have < out.size();
        ssize_t n = intoBuffer ? ::read(fd, out.data() + have, out.size() - have) : ::read(fd, probe, sizeof probe);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) break;
        if (!intoBuffer) {
            out.resize(have + static_cast<std::size_t>(n));
            std::memcpy(out.data() + have, probe, static_cast<std::size_t>(n));
        }
        have += static_cast<std::size_t>(n);
    }
    out.resize(have);
    return true;
}

// At most `limit` bytes when `limit` is not npos.
template <typename Buffer>
bool ReadInto(const std::string& path, Buffer& out, FileError* error, std::size_t limit = std::string::npos) {
    out.clear();
    // Non-blocking open, so that a pipe or device under the name cannot hang the
    // reader; only regular files are read (the flag does nothing to those).
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return Fail(error, errno, std::strerror(errno));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const bool folder = S_ISDIR(st.st_mode);
        ::close(fd);
        return Fail(error, folder ? EISDIR : EINVAL,
                    folder ? "it is a folder, not a file" : "it is not a regular file (a device, pipe or socket)");
    }
    bool ok = true;
    if (limit != std::string::npos) {
        out.resize(limit);
        std::size_t have = 0;
        while (have < limit) {
            const ssize_t n = ::read(fd, out.data() + have, limit - have);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                ok = n == 0;
                break;
            }
            have += static_cast<std::size_t>(n);
        }
        out.resize(have);
    } else {
        ok = ReadAll(fd, st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 0, out);
    }
    const int saved = errno;
    ::close(fd);
    if (!ok) {
        out.clear();
        return Fail(error, saved, std::strerror(saved));
    }
    return true;
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& out, FileError* error) {
    return ReadInto(path, out, error);
}
bool ReadWholeFile(const std::string& path, std::string& out, FileError* error) { return ReadInto(path, out, error); }

bool ReadFileHead(const std::string& path, std::size_t count, std::vector<std::uint8_t>& out, FileError* error) {
    return ReadInto(path, out, error, count);
}

}  // namespace mirtala::fileio
