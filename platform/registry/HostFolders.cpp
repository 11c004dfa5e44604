// The folder search (our registry, the Wine prefix, the default) and the
// write of the editor's choice.
#include "platform/registry/HostFolders.h"

#include <sys/stat.h>

#include <memory>
#include <mutex>
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

// The two keys of a prefix's system.reg. A gait dialog creates ten controls at
// once, and system.reg runs to megabytes: the keys are read again only when the
// file changed (Wine replaces it on every save).
class WineKeys {
public:
    std::shared_ptr<const RegNode> Read(const std::string& prefix) {
        std::string path = prefix + "/system.reg";
        struct stat st {};
        bool exists = ::stat(path.c_str(), &st) == 0;
        Stamp stamp{exists, st.st_ino, st.st_size, st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_keys && path == m_path && stamp == m_stamp) return m_keys;
        auto keys = std::make_shared<RegNode>();
        std::string text;
        if (exists && ReadWholeFile(path, text)) ReadWineRegText(text, {kWow64Key, kNativeKey}, *keys);
        m_path = path;
        m_stamp = stamp;
        m_keys = keys;
        return keys;
    }

private:
    struct Stamp {
        bool exists;
        ino_t inode;
        off_t size;
        time_t seconds;
        long nanoseconds;
        friend bool operator==(const Stamp&, const Stamp&) = default;
    };
    std::mutex m_mutex;
    std::string m_path;
    Stamp m_stamp{};
    std::shared_ptr<const RegNode> m_keys;
};

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

HostFolder Find(const char* name, const char* fallback, const RegNode& wineKeys) {
    if (auto text = OurValue(name)) return {ResolveHostFolder(*text), HostFolder::Source::Registry};
    if (auto text = WineValue(wineKeys, name)) return {ResolveHostFolder(*text), HostFolder::Source::WinePrefix};
    return {ResolveHostFolder(fallback), HostFolder::Source::Default};
}

}  // namespace

std::string ResolveHostFolder(std::string_view text) {
    if (std::optional<std::string> mapped = MapWindowsPath(text, WinePrefix())) return *mapped;
    return WithSeparator(std::string(text));
}

HostFolders FindHostFolders() {
    static WineKeys wine;
    HostFolders folders;
    folders.winePrefix = WinePrefix();
    std::shared_ptr<const RegNode> keys = folders.winePrefix.empty() ? std::make_shared<RegNode>()
                                                                     : wine.Read(folders.winePrefix);
    folders.images = Find(kImagesDirectoryValue, kDefaultImagesDirectory, *keys);
    folders.bodyData = Find(kBodyDataDirectoryValue, kDefaultBodyDataDirectory, *keys);
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
