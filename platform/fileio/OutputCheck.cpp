// Signature checks of picture outputs, reading at most their first eight bytes.
#include "platform/fileio/OutputCheck.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <string_view>

namespace mirtala::fileio {

std::string PictureOutputRefusal(const std::string& path, PictureKind kind) {
    const char* name = kind == PictureKind::Png ? "PNG" : "GIF";
    const std::string refusal = path + " exists and is not a " + name + " file; it was not changed.";
    // Non-blocking, so that a pipe under the name cannot hang the check.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        const int code = errno;
        struct stat st {};
        // Nothing there, or no regular file: the writer's own refusal says what is there.
        if (code == ENOENT || (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode))) return {};
        return path + " exists and cannot be read (" + std::strerror(code) + "); it was not changed.";
    }
    struct stat st {};
    char head[8] = {};
    ssize_t got = -1;
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (regular) got = ::read(fd, head, sizeof head);
    ::close(fd);
    if (!regular) return {};
    if (got == 0) return {};
    const std::string_view bytes(head, got > 0 ? static_cast<std::size_t>(got) : 0);
    const bool matches = kind == PictureKind::Png ? bytes == std::string_view("\x89PNG\r\n\x1a\n", 8)
                                                  : bytes.substr(0, 6) == "GIF87a" || bytes.substr(0, 6) == "GIF89a";
    return matches ? std::string() : refusal;
}

}  // namespace mirtala::fileio
