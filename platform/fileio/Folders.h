// Making a folder a file is to be written in, and checking that a folder can be read,
// each saying why not in the system's words ("Read-only file system", "Permission denied").
#pragma once

#include <string>

namespace mirtala::fileio {

// True when `path` is a folder, made with any missing parents if need be. Otherwise false
// with `reason` (if given) set to why the first folder that could not be made was not
// made, or "Not a directory" when something else has the name.
bool MakeFolders(const std::string& path, std::string* reason = nullptr);

// Why the folder `path` cannot be listed ("No such file or directory", "Not a directory",
// "Permission denied"); empty when it can.
std::string FolderReadProblem(const std::string& path);

}  // namespace mirtala::fileio
