// A registry folder of its own for one test, chosen through the environment.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "platform/registry/Registry.h"

class TempRegistry {
public:
    TempRegistry() {
        static int counter = 0;
        m_dir = std::filesystem::temp_directory_path() /
                ("mirtala-reg-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
        const char* old = std::getenv(mirtala::registry::kRegistryFolderVariable);
        m_hadOld = old != nullptr;
        if (old) m_old = old;
        ::setenv(mirtala::registry::kRegistryFolderVariable, m_dir.c_str(), 1);
    }
    ~TempRegistry() {
        if (m_hadOld) {
            ::setenv(mirtala::registry::kRegistryFolderVariable, m_old.c_str(), 1);
        } else {
            ::unsetenv(mirtala::registry::kRegistryFolderVariable);
        }
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }
    const std::filesystem::path& Dir() const { return m_dir; }
    std::filesystem::path File(const char* root) const { return m_dir / (std::string(root) + ".reg"); }

private:
    std::filesystem::path m_dir;
    std::string m_old;
    bool m_hadOld = false;
};
