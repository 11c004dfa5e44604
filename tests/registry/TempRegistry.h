// A registry folder of its own for one test, chosen through the environment;
// the variable's former value comes back when the folder goes. And a string
// value read back as a test reads it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "fixtures/TempDir.h"
#include "platform/registry/Registry.h"

class TempRegistry {
public:
    TempRegistry() : m_dir(m_temp.Path()) {
        if (const char* old = std::getenv(kVariable)) m_old = old;
        ::setenv(kVariable, m_dir.c_str(), 1);
    }
    ~TempRegistry() {
        m_old ? ::setenv(kVariable, m_old->c_str(), 1) : ::unsetenv(kVariable);
    }
    const std::filesystem::path& Dir() const { return m_dir; }
    std::filesystem::path File(const char* root) const { return m_dir / (std::string(root) + ".reg"); }

private:
    static constexpr const char* kVariable = mirtala::registry::kRegistryFolderVariable;
    mirtala::test::TempDir m_temp;
    std::filesystem::path m_dir;
    std::optional<std::string> m_old;
};

// A value's text, or why there is none: "<missing key>" or "<missing value>".
inline std::string ReadRegString(mirtala::registry::HKEY root, const std::string& path, const std::string& name = "") {
    namespace reg = mirtala::registry;
    reg::HKEY key = nullptr;
    if (reg::RegOpenKey(root, path, &key) != reg::ERROR_SUCCESS) return "<missing key>";
    std::string text = "<missing value>";
    reg::RegReadString(key, name, &text);
    reg::RegCloseKey(key);
    return text;
}
