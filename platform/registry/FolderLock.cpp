// An advisory lock (flock) on a lock file in the registry folder.
#include "platform/registry/FolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

#include <filesystem>

namespace mirtala::registry {

FolderLock::FolderLock(const std::string& folder) {
    if (folder.empty()) {
        m_problem = "no registry folder is known: neither MIRTALA_REGISTRY_DIR nor HOME is set";
        return;
    }
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        m_problem = "the registry folder " + folder + " cannot be created: " + ec.message();
        return;
    }
    const std::string path = folder + "/" + kFileName;
    m_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
    // Another user's lock file can still be locked through a read-only descriptor.
    if (m_fd < 0 && errno == EACCES) m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (m_fd < 0) {
        m_problem =
            "the registry folder " + folder + " cannot be written (" + kFileName + ": " + std::strerror(errno) + ")";
        return;
    }
    while (::flock(m_fd, LOCK_EX) != 0) {
        if (errno == EINTR) continue;
        m_problem = "the registry folder " + folder + " cannot be locked: " + std::strerror(errno);
        ::close(m_fd);
        m_fd = -1;
        return;
    }
}

FolderLock::~FolderLock() {
    if (m_fd >= 0) ::close(m_fd);  // closing releases the lock
}

}  // namespace mirtala::registry
