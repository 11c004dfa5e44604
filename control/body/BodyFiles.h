// Finding a part's sprite or attachment file, with the fallbacks to younger ages, lower
// variants and the other sex.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zubrelle {

struct BodyFile {
    std::string path;                 // the name as it exists on disk
    std::vector<std::uint8_t> bytes;  // the whole file
};

// A directory string without a trailing '/' or '\' gets a '/'; an empty one stays empty
// (the current directory).
std::string WithTrailingSeparator(std::string_view directory);

// The four name characters of a combination: part letter, genus-sex digit, age digit,
// variant letter (e.g. "e54c").
std::string BodyFileStem(int part, int genusSexDigit, int age, int variant);

// Searches directory (a prefix of the file names) for the part's file with extension
// (".s16" or ".att"), matching names whatever their case. Candidates that exist but
// cannot be read count as absent. Returns the first candidate read, or nothing.
std::optional<BodyFile> FindBodyFile(std::string_view directory, int part, int genus, int sex,
                                     int age, int variant, std::string_view extension);

}  // namespace zubrelle
