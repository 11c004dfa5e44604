// A Wine prefix of a test's own, chosen through $WINEPREFIX: a drive_c folder
// with its dosdevices/c: link, and a system.reg when a test writes one. The
// variable's former value comes back when the prefix goes.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/registry/WinePaths.h"
#include "registry/TempRegistry.h"

class FakeWinePrefix {
public:
    FakeWinePrefix() {
        std::filesystem::create_directories(m_temp.Path() + "/drive_c");
        std::filesystem::create_directories(m_temp.Path() + "/dosdevices");
        std::filesystem::create_symlink("../drive_c", m_temp.Path() + "/dosdevices/c:");
    }

    const std::string& Path() const { return m_temp.Path(); }
    // Creates the folders of a path below the prefix.
    void Folder(std::string_view below) const { std::filesystem::create_directories(m_temp.Path() + "/" += below); }
    // Writes system.reg: Wine's header, then body.
    void WriteSystemReg(std::string_view body) const {
        m_temp.Write("system.reg",
                     "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n" + std::string(body));
    }

private:
    mirtala::test::TempDir m_temp;
    ScopedVariable m_variable{mirtala::registry::kWinePrefixVariable, m_temp.Path()};
};
