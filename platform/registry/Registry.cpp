// The registry calls over the two root files.
#include "platform/registry/Registry.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "platform/fileio/AtomicFile.h"
#include "platform/registry/FolderLock.h"
#include "platform/registry/RegFile.h"
#include "platform/registry/RegTree.h"

namespace mirtala::registry {

struct RegKey {
    RegRoot root;
    std::vector<std::string> path;  // below the root (for classes, below Software\Classes)
    bool predefined = false;
};

namespace {

RegKey g_localMachine{RegRoot::LocalMachine, {}, true};
RegKey g_currentUser{RegRoot::CurrentUser, {}, true};
RegKey g_classesRoot{RegRoot::ClassesRoot, {}, true};

const char* RootName(RegRoot root) { return root == RegRoot::CurrentUser ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE"; }

// Empty when no registry folder is known.
std::string RootFile(RegRoot root) {
    const std::string folder = RegistryFolder();
    return folder.empty() ? folder : folder + "/" + RootName(root) + ".reg";
}

struct LoadedRoot {
    RegRoot root;
    RegNode tree;
    RegParseResult parse;
};

// Reads parse the file again only when it changed: every write replaces the
// file (new inode, new time), so the file's identity tells whether it did; the
// change time also catches new permissions on a file that could not be read.
struct FileStamp {
    bool exists = false;
    ino_t inode = 0;
    off_t size = 0;
    std::int64_t mtimeNs = 0;
    std::int64_t ctimeNs = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

FileStamp Stamp(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return {};
    return {true, st.st_ino, st.st_size, std::int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec,
            std::int64_t(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec};
}

LoadedRoot Load(RegRoot root);

std::shared_ptr<const LoadedRoot> Read(RegRoot root) {
    static std::shared_ptr<const LoadedRoot> cached[2];
    static std::string cachedPath[2];
    static FileStamp cachedStamp[2];
    int slot = root == RegRoot::CurrentUser ? 1 : 0;
    std::string path = RootFile(root);
    FileStamp stamp = Stamp(path);
    if (cached[slot] && cachedPath[slot] == path && cachedStamp[slot] == stamp && stamp.exists) return cached[slot];
    auto loaded = std::make_shared<LoadedRoot>(Load(root));
    cached[slot] = loaded;
    cachedPath[slot] = path;
    cachedStamp[slot] = stamp;
    return loaded;
}

// A missing file (or folder) is an empty root. A file that is there but cannot
// be read (no permission, a folder, a device) counts as malformed: it is never
// written over.
LoadedRoot Load(RegRoot root) {
    LoadedRoot loaded{root, RegNode(), {}};
    const std::string file = RootFile(root);
    if (file.empty()) return loaded;
    std::string text;
    fileio::FileError error;
    if (fileio::ReadWholeFile(file, text, &error)) {
        loaded.parse = ParseRegText(text, RootName(root), loaded.tree);
    } else if (error.code != ENOENT && error.code != ENOTDIR) {
        loaded.parse.complete = false;
        loaded.parse.problem = error.reason;
    }
    return loaded;
}

// Only under the folder's lock.
LSTATUS Save(const LoadedRoot& loaded) {
    if (!loaded.parse.complete) return ERROR_INVALID_DATA;
    return fileio::WriteFileAtomically(RootFile(loaded.root), FormatRegText(loaded.tree, RootName(loaded.root)))
               ? ERROR_SUCCESS
               : ERROR_WRITE_FAULT;
}

// Where a key lives: the stored root and the path inside that root's file.
struct Location {
    RegRoot root;
    std::vector<std::string> path;
};

// A classes key lives under the current user when that root has it, else under
// the local machine, as both reading and creating do on the original platform.
Location Locate(RegRoot root, const std::vector<std::string>& path) {
    if (root != RegRoot::ClassesRoot) return {root, path};
    std::vector<std::string> full{"Software", "Classes"};
    full.insert(full.end(), path.begin(), path.end());
    auto user = Read(RegRoot::CurrentUser);
    if (user->tree.Find(full)) return {RegRoot::CurrentUser, full};
    return {RegRoot::LocalMachine, full};
}

bool Valid(HKEY key) { return key != nullptr; }

// A name the file can hold: key and value names stand on one line of it.
bool Storable(std::string_view name) { return name.find_first_of("\r\n") == std::string_view::npos; }

// One read-modify-write of the root that holds `path`, under the folder's
// lock: the file is read afresh, changed in memory and written back whole.
LSTATUS Modify(RegRoot root, const std::vector<std::string>& path,
               const std::function<LSTATUS(RegNode& tree, std::vector<std::string>& at)>& change) {
    FolderLock lock(RegistryFolder());
    if (!lock.Held()) return RegistryFolder().empty() ? ERROR_PATH_NOT_FOUND : ERROR_ACCESS_DENIED;
    // A classes key is placed by what the user's file holds: that file must be read whole too.
    if (root == RegRoot::ClassesRoot && !Read(RegRoot::CurrentUser)->parse.complete) return ERROR_INVALID_DATA;
    Location at = Locate(root, path);
    LoadedRoot loaded = Load(at.root);
    if (!loaded.parse.complete) return ERROR_INVALID_DATA;
    if (LSTATUS status = change(loaded.tree, at.path); status != ERROR_SUCCESS) return status;
    return Save(loaded);
}

std::vector<std::string> Join(HKEY parent, std::string_view subKey) {
    std::vector<std::string> path = parent->path;
    for (auto& level : SplitKeyPath(subKey)) path.push_back(std::move(level));
    return path;
}

LSTATUS MakeKey(HKEY parent, std::vector<std::string> path, HKEY* result) {
    *result = new RegKey{parent->root, std::move(path), false};
    return ERROR_SUCCESS;
}

}  // namespace

HKEY const HKEY_LOCAL_MACHINE = &g_localMachine;
HKEY const HKEY_CURRENT_USER = &g_currentUser;
HKEY const HKEY_CLASSES_ROOT = &g_classesRoot;

std::string RegistryFolder() {
    if (const char* dir = std::getenv(kRegistryFolderVariable); dir && *dir) return dir;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) return std::string(data) + "/mirtala/registry";
    // Without a home folder there is no registry folder: guessing one (the
    // working folder) would scatter registries wherever a tool happens to run.
    const char* home = std::getenv("HOME");
    return home && *home ? std::string(home) + "/.local/share/mirtala/registry" : std::string();
}

LSTATUS RegOpenKey(HKEY parent, std::string_view subKey, HKEY* result) {
    if (!Valid(parent) || !result) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    if (!Storable(subKey)) return ERROR_FILE_NOT_FOUND;
    std::vector<std::string> path = Join(parent, subKey);
    Location at = Locate(parent->root, path);
    auto loaded = Read(at.root);
    if (!loaded->tree.Find(at.path)) return ERROR_FILE_NOT_FOUND;
    return MakeKey(parent, std::move(path), result);
}

LSTATUS RegCreateKey(HKEY parent, std::string_view subKey, HKEY* result) {
    if (!Valid(parent) || !result) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    if (!Storable(subKey)) return ERROR_INVALID_PARAMETER;
    std::vector<std::string> path = Join(parent, subKey);
    // A key that is there already needs no lock and no write.
    Location at = Locate(parent->root, path);
    if (!Read(at.root)->tree.Find(at.path)) {
        LSTATUS status = Modify(parent->root, path, [](RegNode& tree, std::vector<std::string>& levels) {
            if (tree.Find(levels)) return ERROR_ALREADY_EXISTS;
            RegNode* node = &tree;
            for (const auto& level : levels) node = &node->AddChild(level);
            return ERROR_SUCCESS;
        });
        if (status != ERROR_SUCCESS && status != ERROR_ALREADY_EXISTS) return status;
    }
    return MakeKey(parent, std::move(path), result);
}

LSTATUS RegCloseKey(HKEY key) {
    if (!Valid(key)) return ERROR_INVALID_HANDLE;
    if (!key->predefined) delete key;
    return ERROR_SUCCESS;
}

LSTATUS RegQueryValue(HKEY key, std::string_view name, std::uint32_t* type, std::uint8_t* data, std::uint32_t* size) {
    if (!Valid(key)) return ERROR_INVALID_HANDLE;
    if (data && !size) return ERROR_INVALID_PARAMETER;
    Location at = Locate(key->root, key->path);
    auto loaded = Read(at.root);
    const RegNode* node = loaded->tree.Find(at.path);
    if (!node) return ERROR_FILE_NOT_FOUND;
    const RegValue* value = node->Value(name);
    if (!value) return ERROR_FILE_NOT_FOUND;
    if (type) *type = value->type;
    auto needed = static_cast<std::uint32_t>(value->data.size());
    if (data) {
        if (*size < needed) {
            *size = needed;
            return ERROR_MORE_DATA;
        }
        if (needed) std::memcpy(data, value->data.data(), needed);
    }
    if (size) *size = needed;
    return ERROR_SUCCESS;
}

LSTATUS RegSetValue(HKEY key, std::string_view name, std::uint32_t type, const std::uint8_t* data, std::uint32_t size) {
    if (!Valid(key)) return ERROR_INVALID_HANDLE;
    if ((size && !data) || !Storable(name)) return ERROR_INVALID_PARAMETER;
    return Modify(key->root, key->path, [&](RegNode& tree, std::vector<std::string>& at) {
        RegNode* node = tree.Find(at);
        if (!node) return ERROR_FILE_NOT_FOUND;
        node->SetValue(RegValue{std::string(name), type, std::vector<std::uint8_t>(data, data + size)});
        return ERROR_SUCCESS;
    });
}

LSTATUS RegSetString(HKEY key, std::string_view name, std::string_view text) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return RegSetValue(key, name, REG_SZ, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
}

LSTATUS RegWriteStrings(HKEY parent, std::string_view subKey, const std::vector<RegStringChange>& values) {
    if (!Valid(parent)) return ERROR_INVALID_HANDLE;
    if (!Storable(subKey)) return ERROR_INVALID_PARAMETER;
    for (const auto& change : values)
        if (!Storable(change.first)) return ERROR_INVALID_PARAMETER;
    return Modify(parent->root, Join(parent, subKey), [&](RegNode& tree, std::vector<std::string>& at) {
        RegNode* node = &tree;
        for (const auto& level : at) node = &node->AddChild(level);
        for (const auto& [name, text] : values) {
            if (!text) {
                node->RemoveValue(name);
                continue;
            }
            RegValue value{name, REG_SZ, std::vector<std::uint8_t>(text->begin(), text->end())};
            value.data.push_back(0);
            node->SetValue(std::move(value));
        }
        return ERROR_SUCCESS;
    });
}

LSTATUS RegDeleteTree(HKEY parent, std::string_view subKey) {
    if (!Valid(parent)) return ERROR_INVALID_HANDLE;
    if (!Storable(subKey)) return ERROR_FILE_NOT_FOUND;
    std::vector<std::string> path = Join(parent, subKey);
    if (path.empty()) return ERROR_ACCESS_DENIED;
    return Modify(parent->root, path, [](RegNode& tree, std::vector<std::string>& at) {
        std::string last = at.back();
        at.pop_back();
        RegNode* node = tree.Find(at);
        return node && node->RemoveChild(last) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    });
}

LSTATUS RegEnumKey(HKEY key, std::uint32_t index, std::string* name) {
    if (!Valid(key) || !name) return ERROR_INVALID_PARAMETER;
    Location at = Locate(key->root, key->path);
    auto loaded = Read(at.root);
    const RegNode* node = loaded->tree.Find(at.path);
    if (!node) return ERROR_FILE_NOT_FOUND;
    if (index >= node->Children().size()) return ERROR_NO_MORE_ITEMS;
    *name = node->Children()[index]->Name();
    return ERROR_SUCCESS;
}

bool RegReadString(HKEY key, std::string_view name, std::string* text) {
    std::uint32_t size = 0;
    if (RegQueryValue(key, name, nullptr, nullptr, &size) != ERROR_SUCCESS) return false;
    std::vector<std::uint8_t> buffer(size);
    if (RegQueryValue(key, name, nullptr, buffer.data(), &size) != ERROR_SUCCESS) return false;
    std::string value(buffer.begin(), buffer.begin() + size);
    *text = value.substr(0, value.find('\0'));
    return true;
}

std::string RegFileProblem(HKEY root) {
    if (!Valid(root)) return {};
    // The classes view reads both files, the user's first.
    std::vector<RegRoot> files{root->root};
    if (root->root == RegRoot::ClassesRoot) files = {RegRoot::CurrentUser, RegRoot::LocalMachine};
    for (RegRoot r : files) {
        auto loaded = Read(r);
        if (!loaded->parse.complete) return RootFile(r) + " cannot be read: " + loaded->parse.problem;
    }
    return {};
}

std::string RegWriteProblem() {
    if (std::string problem = RegFileProblem(HKEY_CLASSES_ROOT); !problem.empty())
        return "the registry file " + problem;
    FolderLock lock(RegistryFolder());
    return lock.Problem();
}

}  // namespace mirtala::registry
