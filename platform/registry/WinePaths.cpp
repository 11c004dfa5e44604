// The Wine prefix from the environment, and Windows paths mapped through its
// drive links.
#include "platform/registry/WinePaths.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/registry/RegTree.h"

namespace mirtala::registry {

namespace fs = std::filesystem;

namespace {

// The folder of dir called name whatever its case: the exact name first, then
// the smallest name that differs from it only in case.
std::optional<fs::path> FindFolder(const fs::path& dir, const std::string& name) {
    std::error_code ec;
    if (fs::is_directory(dir / name, ec)) return dir / name;
    std::optional<fs::path> found;
    fs::directory_iterator it(dir, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::string entry = it->path().filename().string();
        if (!NamesEqual(entry, name) || !fs::is_directory(it->path(), ec)) continue;
        if (!found || entry < found->filename().string()) found = it->path();
    }
    return found;
}

// The folder a drive link names, written without the link.
std::optional<fs::path> DriveFolder(const fs::path& dosdevices, char letter) {
    std::optional<fs::path> link = FindFolder(dosdevices, std::string{char(letter | 0x20), ':'});
    if (!link) return std::nullopt;
    std::error_code ec;
    if (!fs::is_symlink(*link, ec)) return link;
    fs::path target = fs::read_symlink(*link, ec);
    if (ec) return link;
    return (target.is_absolute() ? target : dosdevices / target).lexically_normal();
}

}  // namespace

std::string WinePrefix() {
    if (const char* prefix = std::getenv(kWinePrefixVariable); prefix && *prefix) return prefix;
    const char* home = std::getenv("HOME");
    if (!home || !*home) return {};
    return std::string(home) + "/.wine";
}

bool IsWindowsPath(std::string_view path) {
    if (path.size() < 2 || path[1] != ':') return false;
    char letter = char(path[0] | 0x20);
    if (letter < 'a' || letter > 'z') return false;
    return path.size() == 2 || path[2] == '\\' || path[2] == '/';
}

std::optional<std::string> MapWindowsPath(std::string_view windowsPath, const std::string& prefix) {
    if (prefix.empty() || !IsWindowsPath(windowsPath)) return std::nullopt;
    std::optional<fs::path> drive = DriveFolder(fs::path(prefix) / "dosdevices", windowsPath[0]);
    if (!drive) return std::nullopt;
    std::vector<fs::path> folders{*drive};
    std::string_view rest = windowsPath.substr(2);
    while (!rest.empty()) {
        std::size_t end = rest.find_first_of("\\/");
        std::string component(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (component.empty() || component == ".") continue;
        if (component == "..") {
            if (folders.size() > 1) folders.pop_back();  // never above the drive's root
            continue;
        }
        std::optional<fs::path> next = FindFolder(folders.back(), component);
        if (!next) return std::nullopt;
        folders.push_back(*next);
    }
    std::string mapped = folders.back().string();
    if (mapped.empty() || mapped.back() != '/') mapped.push_back('/');
    return mapped;
}

}  // namespace mirtala::registry
