// Folder creation and the read check on the system calls themselves, so the reason is the
// one the system gave: a later look at the missing folder would only say it is missing.
#include "platform/fileio/Folders.h"

#include <dirent.h>
#include <sys/stat.h>
#include <cerrno>
#include <cstring>

namespace mirtala::fileio {

namespace {

bool IsFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool Fail(std::string* reason, int code) {
    if (reason) *reason = std::strerror(code);
    return false;
}

}  // namespace

bool MakeFolders(const std::string& path, std::string* reason) {
    if (path.empty()) return Fail(reason, ENOENT);
    // Each prefix ending before a '/' in turn, then the whole path.
    for (std::size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
        const std::string folder = path.substr(0, end);
        if (!folder.empty() && ::mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) {
            // A folder that is there already is fine whatever mkdir says (EROFS or EACCES on it).
            const int code = errno;
            if (!IsFolder(folder)) return Fail(reason, code);
        }
        if (end == std::string::npos) break;
    }
    return IsFolder(path) || Fail(reason, ENOTDIR);
}

std::string FolderReadProblem(const std::string& path) {
    DIR* dir = ::opendir(path.c_str());
    if (!dir) return std::strerror(errno);
    ::closedir(dir);
    return {};
}

}  // namespace mirtala::fileio
