// The registry calls over the two root files.
#include "platform/registry/Registry.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <cstring>
#include <vector>

#include "platform/fileio/AtomicFile.h"
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

const char* RootName(RegRoot root) {
    return root == RegRoot::CurrentUser ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
}

std::string RootFile(RegRoot root) { return RegistryFolder() + "/" + RootName(root) + ".reg"; }

struct LoadedRoot {
    RegRoot root;
    RegNode tree;
    RegParseResult parse;
};

// Reads parse the file again only when it changed: every write replaces the
// file (new inode, new time), so the file's identity tells whether it did.
struct FileStamp {
    bool exists = false;
    ino_t inode = 0;
    off_t size = 0;
    std::int64_t mtimeNs = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

FileStamp Stamp(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return {};
    return {true, st.st_ino, st.st_size, std::int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

LoadedRoot Load(RegRoot root);

std::shared_ptr<const LoadedRoot> Read(RegRoot root) {
    static std::shared_ptr<const LoadedRoot> cached[2];
    static std::string cachedPath[2];
    static FileStamp cachedStamp[2];
    int slot = root == RegRoot::CurrentUser ? 1 : 0;
    std::string path = RootFile(root);
    FileStamp stamp = Stamp(path);
    if (cached[slot] && cachedPath[slot] == path && cachedStamp[slot] == stamp && stamp.exists)
        return cached[slot];
    auto loaded = std::make_shared<LoadedRoot>(Load(root));
    cached[slot] = loaded;
    cachedPath[slot] = path;
    cachedStamp[slot] = stamp;
    return loaded;
}

LoadedRoot Load(RegRoot root) {
    LoadedRoot loaded{root, RegNode(), {}};
    std::string text;
    if (ReadWholeFile(RootFile(root), text)) loaded.parse = ParseRegText(text, RootName(root), loaded.tree);
    return loaded;
}

LSTATUS Save(const LoadedRoot& loaded) {
    if (!loaded.parse.complete) return ERROR_INVALID_DATA;
    const std::string file = RootFile(loaded.root);
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(file).parent_path(), ec);
    return WriteFileAtomically(file, FormatRegText(loaded.tree, RootName(loaded.root)))
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
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
        return std::string(data) + "/mirtala/registry";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/.local/share/mirtala/registry";
}

LSTATUS RegOpenKey(HKEY parent, std::string_view subKey, HKEY* result) {
    if (!Valid(parent) || !result) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    std::vector<std::string> path = Join(parent, subKey);
    Location at = Locate(parent->root, path);
    auto loaded = Read(at.root);
    if (!loaded->tree.Find(at.path)) return ERROR_FILE_NOT_FOUND;
    return MakeKey(parent, std::move(path), result);
}

LSTATUS RegCreateKey(HKEY parent, std::string_view subKey, HKEY* result) {
    if (!Valid(parent) || !result) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    std::vector<std::string> path = Join(parent, subKey);
    Location at = Locate(parent->root, path);
    LoadedRoot loaded = Load(at.root);
    if (!loaded.tree.Find(at.path)) {
        RegNode* node = &loaded.tree;
        for (const auto& level : at.path) node = &node->AddChild(level);
        if (LSTATUS status = Save(loaded); status != ERROR_SUCCESS) return status;
    }
    return MakeKey(parent, std::move(path), result);
}

LSTATUS RegCloseKey(HKEY key) {
    if (!Valid(key)) return ERROR_INVALID_HANDLE;
    if (!key->predefined) delete key;
    return ERROR_SUCCESS;
}

LSTATUS RegQueryValue(HKEY key, std::string_view name, std::uint32_t* type, std::uint8_t* data,
                      std::uint32_t* size) {
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

LSTATUS RegSetValue(HKEY key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                    std::uint32_t size) {
    if (!Valid(key)) return ERROR_INVALID_HANDLE;
    if (size && !data) return ERROR_INVALID_PARAMETER;
    Location at = Locate(key->root, key->path);
    LoadedRoot loaded = Load(at.root);
    RegNode* node = loaded.tree.Find(at.path);
    if (!node) return ERROR_FILE_NOT_FOUND;
    RegValue value{std::string(name), type, std::vector<std::uint8_t>(data, data + size)};
    node->SetValue(std::move(value));
    return Save(loaded);
}

LSTATUS RegSetString(HKEY key, std::string_view name, std::string_view text) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return RegSetValue(key, name, REG_SZ, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
}

LSTATUS RegDeleteValue(HKEY key, std::string_view name) {
    if (!Valid(key)) return ERROR_INVALID_HANDLE;
    Location at = Locate(key->root, key->path);
    LoadedRoot loaded = Load(at.root);
    RegNode* node = loaded.tree.Find(at.path);
    if (!node || !node->RemoveValue(name)) return ERROR_FILE_NOT_FOUND;
    return Save(loaded);
}

LSTATUS RegWriteStrings(HKEY parent, std::string_view subKey, const std::vector<RegStringChange>& values) {
    if (!Valid(parent)) return ERROR_INVALID_HANDLE;
    Location at = Locate(parent->root, Join(parent, subKey));
    LoadedRoot loaded = Load(at.root);
    RegNode* node = &loaded.tree;
    for (const auto& level : at.path) node = &node->AddChild(level);
    for (const auto& [name, text] : values) {
        if (!text) {
            node->RemoveValue(name);
            continue;
        }
        RegValue value{name, REG_SZ, std::vector<std::uint8_t>(text->begin(), text->end())};
        value.data.push_back(0);
        node->SetValue(std::move(value));
    }
    return Save(loaded);
}

LSTATUS RegDeleteTree(HKEY parent, std::string_view subKey) {
    if (!Valid(parent)) return ERROR_INVALID_HANDLE;
    std::vector<std::string> path = Join(parent, subKey);
    if (path.empty()) return ERROR_ACCESS_DENIED;
    Location at = Locate(parent->root, path);
    LoadedRoot loaded = Load(at.root);
    std::string last = at.path.back();
    at.path.pop_back();
    RegNode* node = loaded.tree.Find(at.path);
    if (!node || !node->RemoveChild(last)) return ERROR_FILE_NOT_FOUND;
    return Save(loaded);
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
    RegRoot r = root->root == RegRoot::ClassesRoot ? RegRoot::LocalMachine : root->root;
    auto loaded = Read(r);
    if (loaded->parse.complete) return {};
    return RootFile(r) + ", " + loaded->parse.problem;
}

}  // namespace mirtala::registry
