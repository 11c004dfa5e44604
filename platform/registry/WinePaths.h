// Where the Wine prefix is, and which folder of it a Windows path names.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mirtala::registry {

inline constexpr const char* kWinePrefixVariable = "WINEPREFIX";

// $WINEPREFIX when set and not empty, else ~/.wine; empty when there is no home.
std::string WinePrefix();

// "C:\...", "c:/..." or a bare "C:": a drive letter, a colon, then a separator or nothing.
bool IsWindowsPath(std::string_view path);

// The folder a Windows path names inside the prefix, ending with '/': its
// drive through the prefix's dosdevices/ link ("c:" -> "../drive_c"), then
// each component matched whatever its case, as Windows paths ignore case (an
// exact name wins over one that differs in case). Nothing when it names no
// existing folder: an unknown drive, a missing component, or no prefix.
std::optional<std::string> MapWindowsPath(std::string_view windowsPath, const std::string& prefix);

}  // namespace mirtala::registry
