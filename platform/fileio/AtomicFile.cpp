// Atomic whole-file writes on POSIX file descriptors: resolve links to the
// file that is meant, refuse what is not a regular file or is read-only, write
// an unnamed temporary file beside it (a named one where the file system has
// none), give it a name only once it is whole, then rename it over the target.
#include "platform/fileio/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <random>

namespace mirtala::fileio {

namespace {

constexpr int kMaxLinks = 40;              // as the system allows in a path
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

// Temporary names carry the writing process's id (".NAME.~PID.XXXXXX"), so that a later
// save of the same file can tell the leftovers of a process that was killed.
std::string TempPrefix(const std::string& target) {
    const std::size_t slash = target.rfind('/');
    const std::string name = target.substr(slash == std::string::npos ? 0 : slash + 1);
    return "." + name.substr(0, kMaxTempStem) + ".~";
}

// Removes the temporary files beside `target` left by processes that no longer run.
void RemoveLeftovers(const std::string& folder, const std::string& prefix) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    const pid_t self = ::getpid();
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (name.substr(0, prefix.size()) != prefix) continue;
        const std::string_view rest = name.substr(prefix.size());
        const std::size_t dot = rest.find('.');
        if (dot == 0 || dot == std::string_view::npos || rest.size() - dot != 7) continue;
        long pid = 0;
        bool digits = dot <= 9;
        for (char c : rest.substr(0, dot)) {
            digits = digits && c >= '0' && c <= '9';
            pid = pid * 10 + (c - '0');
        }
        if (!digits || pid == self) continue;
        if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

std::string RandomSuffix() {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::minstd_rand random(std::random_device{}() ^ static_cast<unsigned>(::getpid()));
    std::string suffix(6, 'a');
    for (char& c : suffix) c = kLetters[random() % (sizeof kLetters - 1)];
    return suffix;
}

// An unnamed file in the folder: nothing of it is left if the process dies before
// it is linked. -1 where the file system cannot make one.
int OpenUnnamed(const std::string& folder) {
#ifdef O_TMPFILE
    // The name is given through /proc; without it the file could never be named.
    if (::access("/proc/self/fd", X_OK) != 0) return -1;
    return ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
#else
    (void)folder;
    errno = EOPNOTSUPP;
    return -1;
#endif
}

// Gives the unnamed file `fd` a unique name beginning with `stem`; false with errno on failure.
bool LinkUnnamed(int fd, const std::string& stem, std::string& named) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        named = stem + RandomSuffix();
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, named.c_str(), AT_SYMLINK_FOLLOW) == 0) return true;
        if (errno != EEXIST) return false;
    }
    return false;
}

bool IsReadOnly(const std::string& path, const struct stat& st) {
    // No write bit for anyone counts even for root, who may write anything.
    if ((st.st_mode & 0222) == 0) return true;
    return ::access(path.c_str(), W_OK) != 0 && (errno == EACCES || errno == EPERM || errno == EROFS);
}

bool OnReadOnlyFileSystem(const std::string& path) {
    struct statvfs fs {};
    return ::statvfs(path.c_str(), &fs) == 0 && (fs.f_flag & ST_RDONLY) != 0;
}

// Makes the rename itself durable; some file systems cannot sync a folder, which costs nothing here.
void SyncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

bool IsReadOnlyFile(const std::string& path) {
    std::string target;
    struct stat st {};
    if (!FollowLinks(path, target) || ::stat(target.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    return IsReadOnly(target, st);
}

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

    // The file's own permission counts, though the folder's alone would allow the rename.
    if (exists && IsReadOnly(target, old)) {
        if (error)
            *error = "Cannot write " + path +
                     (OnReadOnlyFileSystem(target) ? ": " + std::string(std::strerror(EROFS))
                                                   : std::string(": it is read-only"));
        return false;
    }

    const std::string folder = Folder(target);
    const std::string stem = folder + "/" + TempPrefix(target) + std::to_string(::getpid()) + ".";
    RemoveLeftovers(folder, TempPrefix(target));
    std::string tmp;
    int fd = OpenUnnamed(folder);
    const bool unnamed = fd >= 0;
    if (!unnamed) {
        // mkostemp creates the name exclusively: a link planted there is never followed.
        tmp = stem + "XXXXXX";
        fd = ::mkostemp(tmp.data(), O_CLOEXEC);
    }
    if (fd < 0) return Fail(error, "Cannot create a file beside " + path, errno);
    TakeOver(fd, exists ? &old : nullptr);

    int code = 0;
    if (!WriteAll(fd, bytes.data(), bytes.size()) || ::fsync(fd) != 0) code = errno;
    // The unnamed file gets its name only when whole; the name exists until the rename.
    if (code == 0 && unnamed && !LinkUnnamed(fd, stem, tmp)) {
        code = errno;
        ::close(fd);
        return Fail(error, "Cannot create a file beside " + path, code);
    }
    if (::close(fd) != 0 && code == 0) code = errno;
    if (code != 0) {
        if (!tmp.empty()) ::unlink(tmp.c_str());
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

}  // namespace mirtala::fileio
