// Whole-file reads and atomic replacement of a file (temporary file, then rename).
#pragma once

#include <string>

namespace mirtala::registry {

// False when the file cannot be opened; a missing file reads as absent.
bool ReadWholeFile(const std::string& path, std::string* contents);
// Writes beside the target and renames over it, so readers see the old or the
// new file, never a part; false (target untouched) on any failure.
bool WriteFileAtomically(const std::string& path, const std::string& contents);

}  // namespace mirtala::registry
