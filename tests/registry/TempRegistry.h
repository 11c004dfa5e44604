// A registry folder of its own for one test, chosen through the environment;
// the variable's former value comes back when the folder goes. And a string
// value written and read back as a test does it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "fixtures/TempDir.h"
#include "platform/registry/Registry.h"

// An environment variable set for the life of a test's object, then put back as it was.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::string& value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedVariable() { m_old ? ::setenv(m_name, m_old->c_str(), 1) : ::unsetenv(m_name); }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

class TempRegistry {
public:
    std::filesystem::path Dir() const { return m_temp.Path(); }
    std::filesystem::path File(const char* root) const { return Dir() / (std::string(root) + ".reg"); }

private:
    mirtala::test::TempDir m_temp;
    ScopedVariable m_variable{mirtala::registry::kRegistryFolderVariable, m_temp.Path()};
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

// Creates the key as needed and sets a string value in it; false when either call fails.
inline bool WriteRegString(mirtala::registry::HKEY root, const std::string& path, const std::string& name,
                           const std::string& value) {
    namespace reg = mirtala::registry;
    reg::HKEY key = nullptr;
    const bool written = reg::RegCreateKey(root, path, &key) == reg::ERROR_SUCCESS &&
                         reg::RegSetString(key, name, value) == reg::ERROR_SUCCESS;
    reg::RegCloseKey(key);
    return written;
}
