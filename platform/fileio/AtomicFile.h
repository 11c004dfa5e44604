// Reading a whole file, and writing one atomically: a temporary file beside it, then a rename,
// so that a failure leaves the old file as it was.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mirtala {

// True when every byte reached the disk and the file now holds exactly `bytes`.
// On failure the old file is untouched and `error` (if given) says why.
bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         std::string* error = nullptr);

bool WriteFileAtomically(const std::string& path, std::string_view text, std::string* error = nullptr);

// Reads a whole regular file; false when it cannot be opened or read, or is a
// folder, pipe or device.
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& out);
bool ReadWholeFile(const std::string& path, std::string& out);

}  // namespace mirtala
