// The folder search (our registry, the Wine prefix, the default) and the
// write of the editor's choice.
#include "platform/registry/HostFolders.h"

#include <optional>
#include <vector>

#include "platform/fileio/AtomicFile.h"
#include "platform/registry/Registry.h"
#include "platform/registry/WinePaths.h"
#include "platform/registry/WineRegFile.h"

namespace mirtala::registry {

namespace {

constexpr std::uint32_t kRegMultiSz = 7;
const std::vector<std::string> kWow64Key{"Software", "Wow6432Node", "Vantrelle Technology", "Tarvossa 2", "1.0"};
const std::vector<std::string> kNativeKey{"Software", "Vantrelle Technology", "Tarvossa 2", "1.0"};

std::string WithSeparator(std::string text) {
    if (!text.empty() && text.back() != '/' && text.back() != '\\') text.push_back(IsWindowsPath(text) ? '\\' : '/');
    return text;
}

std::optional<std::string> OurValue(const char* name) {
    HKEY key = nullptr;
    if (RegOpenKey(HKEY_LOCAL_MACHINE, kHostProductKey, &key) != ERROR_SUCCESS) return std::nullopt;
    std::string text;
    bool found = RegReadString(key, name, &text);
    RegCloseKey(key);
    if (!found || text.empty()) return std::nullopt;
    return text;
}

// The two keys of the prefix's system.reg; none when it cannot be read.
RegNode ReadWineKeys(const std::string& prefix) {
    RegNode keys;
    std::string text;
    if (!prefix.empty() && ReadWholeFile(prefix + "/system.reg", text))
        ReadWineRegText(text, {kWow64Key, kNativeKey}, keys);
    return keys;
}

std::optional<std::string> WineValue(const RegNode& keys, const char* name) {
    for (const auto* path : {&kWow64Key, &kNativeKey}) {
        const RegNode* key = keys.Find(*path);
        const RegValue* value = key ? key->Value(name) : nullptr;
        if (!value || (value->type != REG_SZ && value->type != REG_EXPAND_SZ && value->type != kRegMultiSz)) continue;
        std::string text(value->data.begin(), value->data.end());
        text = text.substr(0, text.find('\0'));  // the first string of a multi-string
        if (!text.empty()) return text;
    }
    return std::nullopt;
}

// system.reg is read only when our registry lacks a value, and then once.
HostFolder Find(const char* name, const char* fallback, const std::string& prefix, std::optional<RegNode>& wineKeys) {
    if (auto text = OurValue(name)) return {ResolveHostFolder(*text), HostFolder::Source::Registry};
    if (!wineKeys) wineKeys = ReadWineKeys(prefix);
    if (auto text = WineValue(*wineKeys, name)) return {ResolveHostFolder(*text), HostFolder::Source::WinePrefix};
    return {ResolveHostFolder(fallback), HostFolder::Source::Default};
}

}  // namespace

std::string ResolveHostFolder(std::string_view text) {
    if (std::optional<std::string> mapped = MapWindowsPath(text, WinePrefix())) return *mapped;
    return WithSeparator(std::string(text));
}

HostFolders FindHostFolders() {
    HostFolders folders;
    folders.winePrefix = WinePrefix();
    std::optional<RegNode> wineKeys;
    folders.images = Find(kImagesDirectoryValue, kDefaultImagesDirectory, folders.winePrefix, wineKeys);
    folders.bodyData = Find(kBodyDataDirectoryValue, kDefaultBodyDataDirectory, folders.winePrefix, wineKeys);
    return folders;
}

bool WriteHostFolders(const std::string& images, const std::string& bodyData, std::string* error) {
    auto change = [](const char* name, const std::string& text) {
        return RegStringChange{name, text.empty() ? std::nullopt : std::optional(WithSeparator(text))};
    };
    LSTATUS status = RegWriteStrings(HKEY_LOCAL_MACHINE, kHostProductKey,
                                     {change(kImagesDirectoryValue, images), change(kBodyDataDirectoryValue, bodyData)});
    if (status == ERROR_SUCCESS) return true;
    if (error) {
        std::string problem = RegFileProblem(HKEY_LOCAL_MACHINE);
        *error = "The folders cannot be written to the registry in " + RegistryFolder() +
                 (problem.empty() ? "." : ": " + problem);
    }
    return false;
}

}  // namespace mirtala::registry
