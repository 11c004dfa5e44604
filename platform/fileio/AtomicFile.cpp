// Atomic whole-file writes on POSIX file descriptors: resolve links to the
// file that is meant, refuse what is not a regular file, write a uniquely named
// temporary file beside it, then rename it over the target.
#include "platform/fileio/AtomicFile.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mirtala {

namespace {

constexpr int kMaxLinks = 40;           // as the system allows in a path
constexpr std::size_t kMaxTempStem = 200;  // keeps the temporary name under NAME_MAX

bool Fail(std::string* error, const std::string& what, int code) {
    if (error) *error = what + ": " + std::strerror(code);
    return false;
}

std::string Folder(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a write to `path` is meant for: links are followed to their
// target (which need not exist yet). False with errno on a loop or a link too long.
bool FollowLinks(const std::string& path, std::string& target) {
    target = path;
    char link[PATH_MAX];
    for (int hops = 0;; ++hops) {
        const ssize_t n = ::readlink(target.c_str(), link, sizeof link);
        if (n < 0) return true;  // not a link (or not there): the target itself
        if (hops == kMaxLinks) {
            errno = ELOOP;
            return false;
        }
        if (static_cast<std::size_t>(n) == sizeof link) {
            errno = ENAMETOOLONG;
            return false;
        }
        const std::string to(link, static_cast<std::size_t>(n));
        target = to.front() == '/' ? to : Folder(target) + "/" + to;
    }
}

bool WriteAll(int fd, const std::uint8_t* p, std::size_t left) {
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

// Gives the new file the owner and permissions of the one it replaces; a new
// file gets the usual permissions. Ownership is kept where the system lets us.
void TakeOver(int fd, const struct stat* old) {
    if (old) {
        if (old->st_uid != ::geteuid() || old->st_gid != ::getegid()) {
            [[maybe_unused]] int ignored = ::fchown(fd, old->st_uid, old->st_gid);
        }
        ::fchmod(fd, old->st_mode & 07777);
        return;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
}

// Makes the rename itself durable; some file systems cannot sync a folder, which costs nothing here.
void SyncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes, std::string* error) {
    std::string target;
    if (path.empty() || path.back() == '/') return Fail(error, "Cannot write " + path, EISDIR);
    if (!FollowLinks(path, target)) return Fail(error, "Cannot write " + path, errno);

    struct stat old {};
    const bool exists = ::lstat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) return Fail(error, "Cannot write " + path, errno);
    if (exists && S_ISDIR(old.st_mode)) {
        if (error) *error = "Cannot write " + path + ": it is a folder";
        return false;
    }
    if (exists && !S_ISREG(old.st_mode)) {
        if (error) *error = "Cannot write " + path + ": it is not a regular file (a device, pipe or socket)";
        return false;
    }

    const std::string folder = Folder(target);
    std::string name = target.substr(target.rfind('/') == std::string::npos ? 0 : target.rfind('/') + 1);
    std::string tmp = folder + "/." + name.substr(0, kMaxTempStem) + ".XXXXXX";
    // mkostemp creates the name exclusively: a link planted there is never followed.
    int fd = ::mkostemp(tmp.data(), O_CLOEXEC);
    if (fd < 0) return Fail(error, "Cannot create a file beside " + path, errno);
    TakeOver(fd, exists ? &old : nullptr);

    int code = 0;
    if (!WriteAll(fd, bytes.data(), bytes.size()) || ::fsync(fd) != 0) code = errno;
    if (::close(fd) != 0 && code == 0) code = errno;
    if (code != 0) {
        ::unlink(tmp.c_str());
        return Fail(error, "Cannot write " + path, code);
    }
    if (::rename(tmp.c_str(), target.c_str()) != 0) {
        code = errno;
        ::unlink(tmp.c_str());
        return Fail(error, "Cannot replace " + path, code);
    }
    SyncFolder(folder);
    return true;
}

bool WriteFileAtomically(const std::string& path, std::string_view text, std::string* error) {
    return WriteFileAtomically(path, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, error);
}

}  // namespace mirtala
