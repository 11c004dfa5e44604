// Finding a part's sprite or attachment file, with the fallbacks to younger ages, lower
// variants and the other sex.
#pragma once

#include <cstdint>
#include <map>
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

// A directory's file names by their lower-case form. An exact match wins over names that
// differ in case; among those, the smallest name.
class DirectoryIndex {
public:
    explicit DirectoryIndex(const std::string& directory);
    bool Listed() const { return m_listed; }
    const std::string* Find(const std::string& lowerName) const;

private:
    bool m_listed = false;
    std::map<std::string, std::string> m_names;
};

// The listings that the lookups of one body load share: a folder is listed at most once
// however many parts miss their exact name (a body at an age without files of its own
// misses all fourteen, in both folders, and listing is what a load costs).
class DirectoryListings {
public:
    const DirectoryIndex& Of(const std::string& directory);

private:
    std::map<std::string, DirectoryIndex> m_listed;
};

// Searches directory (a prefix of the file names) for the part's file with extension
// (".s16" or ".att"), matching names whatever their case. Candidates that exist but
// cannot be read count as absent. Returns the first candidate read, or nothing.
// `listings` (if given) keeps the folder's listing for the next lookups of the same load.
std::optional<BodyFile> FindBodyFile(std::string_view directory, int part, int genus, int sex, int age, int variant,
                                     std::string_view extension, DirectoryListings* listings = nullptr);

}  // namespace zubrelle
