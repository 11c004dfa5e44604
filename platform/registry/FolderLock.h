// The registry folder's lock: every read-modify-write of a registry file holds
// it, so that processes writing at the same time (the register tool, regset,
// the editor) never lose each other's changes. Readers take no lock; they see
// one whole file or the next, since every write is an atomic rename.
#pragma once

#include <string>

namespace mirtala::registry {

class FolderLock {
public:
    // Creates the folder when it is missing and waits for the lock.
    explicit FolderLock(const std::string& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool Held() const { return m_fd >= 0; }
    // Why the lock could not be taken: a sentence naming the folder.
    const std::string& Problem() const { return m_problem; }

    static constexpr const char* kFileName = "registry.lock";

private:
    int m_fd = -1;
    std::string m_problem;
};

}  // namespace mirtala::registry
