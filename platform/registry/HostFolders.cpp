// The folder search (our registry, the Wine prefix, the default) and the
// write of the editor's choice.
#include "platform/registry/HostFolders.h"

#include <sys/stat.h>
#include <time.h>

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

// The two keys of the prefix's system.reg. A gait dialog creates ten controls
// at once and system.reg runs to megabytes, so the keys of an unchanged file
// are kept. A file is taken as unchanged only when its identity, size and
// times are the same and those times were already two seconds old when it was
// read: a rewrite within one tick of the file system's clock cannot hide.
class WineKeys {
public:
    std::shared_ptr<const RegNode> Read(const std::string& prefix) {
        std::string path = prefix + "/system.reg";
        Stamp stamp = StampOf(path);
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_keys && m_trusted && path == m_path && stamp == m_stamp) return m_keys;
        auto keys = std::make_shared<RegNode>();
        std::string text;
        if (fileio::ReadWholeFile(path, text)) ReadWineRegText(text, {kWow64Key, kNativeKey}, *keys);
        m_path = path;
        m_stamp = stamp;
        m_trusted = stamp.exists && Settled(stamp);
        m_keys = keys;
        return keys;
    }

private:
    struct Stamp {
        bool exists = false;
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        std::int64_t modified = 0;  // nanoseconds
        std::int64_t changed = 0;
        friend bool operator==(const Stamp&, const Stamp&) = default;
    };
    static std::int64_t Nanoseconds(const timespec& t) { return std::int64_t(t.tv_sec) * 1000000000 + t.tv_nsec; }
    static Stamp StampOf(const std::string& path) {
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0) return {};
        return {true, st.st_dev, st.st_ino, st.st_size, Nanoseconds(st.st_mtim), Nanoseconds(st.st_ctim)};
    }
    static bool Settled(const Stamp& stamp) {
        timespec now{};
        ::clock_gettime(CLOCK_REALTIME, &now);
        std::int64_t limit = Nanoseconds(now) - 2000000000LL;
        return stamp.modified < limit && stamp.changed < limit;
    }
    std::mutex m_mutex;
    std::string m_path;
    Stamp m_stamp;
    bool m_trusted = false;
    std::shared_ptr<const RegNode> m_keys;
};

std::shared_ptr<const RegNode> ReadWineKeys(const std::string& prefix) {
    static WineKeys keys;
    if (prefix.empty()) return std::make_shared<const RegNode>();
    return keys.Read(prefix);
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
HostFolder Find(const char* name, const char* fallback, const std::string& prefix,
                std::shared_ptr<const RegNode>& wineKeys) {
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
    std::shared_ptr<const RegNode> wineKeys;
    folders.images = Find(kImagesDirectoryValue, kDefaultImagesDirectory, folders.winePrefix, wineKeys);
    folders.bodyData = Find(kBodyDataDirectoryValue, kDefaultBodyDataDirectory, folders.winePrefix, wineKeys);
    return folders;
}

bool WriteHostFolders(const std::string& images, const std::string& bodyData, std::string* error) {
    auto change = [](const char* name, const std::string& text) {
        return RegStringChange{name, text.empty() ? std::nullopt : std::optional(WithSeparator(text))};
    };
    LSTATUS status =
        RegWriteStrings(HKEY_LOCAL_MACHINE, kHostProductKey,
                        {change(kImagesDirectoryValue, images), change(kBodyDataDirectoryValue, bodyData)});
    if (status == ERROR_SUCCESS) return true;
    if (error) {
        std::string problem = RegWriteProblem();
        *error = "The folders cannot be written to the registry in " + RegistryFolder() +
                 (problem.empty() ? "." : ": " + problem);
    }
    return false;
}

}  // namespace mirtala::registry
