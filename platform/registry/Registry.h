// The registry: HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER, each kept in one
// REGEDIT4 file of the registry folder, and HKEY_CLASSES_ROOT, the merged view
// of both roots' "Software\Classes". Every call reads the files afresh, so
// separate processes (the register tool, the editor) see each other's writes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/registry/RegTypes.h"

namespace mirtala::registry {

struct RegKey;
using HKEY = RegKey*;

extern HKEY const HKEY_LOCAL_MACHINE;
extern HKEY const HKEY_CURRENT_USER;
extern HKEY const HKEY_CLASSES_ROOT;

// The folder of the registry files: $MIRTALA_REGISTRY_DIR when set, otherwise
// "mirtala/registry" in the user's data folder; empty when there is no home
// folder to find that in (reads then find nothing and writes fail).
std::string RegistryFolder();
inline constexpr const char* kRegistryFolderVariable = "MIRTALA_REGISTRY_DIR";

// Opens an existing key; subKey may name one level or several ("A\B").
LSTATUS RegOpenKey(HKEY parent, std::string_view subKey, HKEY* result);
// Opens a key, creating every missing level.
LSTATUS RegCreateKey(HKEY parent, std::string_view subKey, HKEY* result);
LSTATUS RegCloseKey(HKEY key);

// With data null, only *size is set. With a buffer too small, *size is set to
// the size needed and ERROR_MORE_DATA is returned. Strings include their NUL.
LSTATUS RegQueryValue(HKEY key, std::string_view name, std::uint32_t* type, std::uint8_t* data, std::uint32_t* size);
LSTATUS RegSetValue(HKEY key, std::string_view name, std::uint32_t type, const std::uint8_t* data, std::uint32_t size);
LSTATUS RegSetString(HKEY key, std::string_view name, std::string_view text);
// Sets string values of subKey, creating every missing level, in one write of
// its root's file, so that either all of them change or none; a value given
// without text is removed.
using RegStringChange = std::pair<std::string, std::optional<std::string>>;
LSTATUS RegWriteStrings(HKEY parent, std::string_view subKey, const std::vector<RegStringChange>& values);
// Removes subKey with everything below it.
LSTATUS RegDeleteTree(HKEY parent, std::string_view subKey);
// The name of the index-th subkey, in stored order.
LSTATUS RegEnumKey(HKEY key, std::uint32_t index, std::string* name);

// Reads a string value whole (up to its first NUL); empty optional-like flag.
bool RegReadString(HKEY key, std::string_view name, std::string* text);

// Why a root's file could not be read whole ("PATH cannot be read: line 3:
// ..." or "PATH cannot be read: Permission denied"), or empty. For
// HKEY_CLASSES_ROOT both files are checked. A root whose file is malformed or
// unreadable is read as far as it is well-formed and refuses writes, so that
// nothing after the fault is lost.
std::string RegFileProblem(HKEY root);

// Why a write to the registry would fail now (a file that cannot be read, no
// registry folder, a folder that cannot be created or written), or empty.
// Key and value names can hold any character but a line break; those are refused.
std::string RegWriteProblem();

}  // namespace mirtala::registry
