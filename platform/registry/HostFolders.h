// The host product's two folders, of sprite files ("Images Directory") and of
// attachment files ("Body Data Directory"): where the picture control finds
// them, and how the editor chooses them.
#pragma once

#include <string>
#include <string_view>

namespace mirtala::registry {

inline constexpr const char* kHostProductKey = "Software\\Vantrelle Technology\\Tarvossa 2\\1.0";
inline constexpr const char* kImagesDirectoryValue = "Images Directory";
inline constexpr const char* kBodyDataDirectoryValue = "Body Data Directory";
inline constexpr const char* kDefaultImagesDirectory = "c:\\program files\\tarvossa 2\\images\\";
inline constexpr const char* kDefaultBodyDataDirectory = "c:\\program files\\tarvossa 2\\body data\\";

struct HostFolder {
    enum class Source { Registry, WinePrefix, Default };
    std::string path;  // the prefix of the file names, ending with a separator
    Source source = Source::Default;
};

struct HostFolders {
    HostFolder images, bodyData;
    std::string winePrefix;  // the prefix looked at, whether or not it exists
};

// Each folder from the first step that gives it a value that is not empty:
// our registry (HKEY_LOCAL_MACHINE\<kHostProductKey>); the same key in the Wine
// prefix's system.reg, under Software\Wow6432Node first (where a 32-bit
// installer writes on a 64-bit prefix) and then under Software; else the
// default path. Each value goes through ResolveHostFolder. An unreadable or
// malformed system.reg gives what it holds before and after its faults, or
// nothing; it is never written.
HostFolders FindHostFolders();

// A folder text made ready for use: a Windows path is mapped into the Wine
// prefix (MapWindowsPath) and kept as it was when it maps to nothing, so that
// an error names what was looked for; a missing trailing separator is added.
std::string ResolveHostFolder(std::string_view text);

// Writes both values to our registry in one atomic write of its file. An
// empty text removes its value, so that the search goes on to the Wine prefix
// and the default; a text without a trailing separator gets one. False, with
// the reason in *error, when the registry cannot be written.
bool WriteHostFolders(const std::string& images, const std::string& bodyData, std::string* error);

}  // namespace mirtala::registry
