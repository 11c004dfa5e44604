// A registry folder of its own for one test, chosen through the environment;
// the variable's former value comes back when the folder goes.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <optional>
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
        if (const char* old = std::getenv(kVariable)) m_old = old;
        ::setenv(kVariable, m_dir.c_str(), 1);
    }
    ~TempRegistry() {
        m_old ? ::setenv(kVariable, m_old->c_str(), 1) : ::unsetenv(kVariable);
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }
    const std::filesystem::path& Dir() const { return m_dir; }
    std::filesystem::path File(const char* root) const { return m_dir / (std::string(root) + ".reg"); }

private:
    static constexpr const char* kVariable = mirtala::registry::kRegistryFolderVariable;
    std::filesystem::path m_dir;
    std::optional<std::string> m_old;
};
