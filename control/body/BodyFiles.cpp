// The search for a part's file: every age of a variant before the next lower variant,
// then the same again for the other sex. Names are matched whatever their case.
#include "control/body/BodyFiles.h"

#include "platform/fileio/AtomicFile.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <system_error>

namespace zubrelle {
namespace {

std::string Lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; });
    return out;
}

std::optional<std::vector<std::uint8_t>> ReadWhole(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (!mirtala::fileio::ReadWholeFile(path, bytes)) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace

DirectoryIndex::DirectoryIndex(const std::string& directory) {
    std::error_code error;
    const std::filesystem::path dir = directory.empty() ? std::filesystem::path(".") : std::filesystem::path(directory);
    std::filesystem::directory_iterator it(dir, error);
    if (error) {
        return;
    }
    m_listed = true;
    for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
        if (error) {
            break;
        }
        const std::string name = it->path().filename().string();
        const std::string key = Lower(name);
        auto found = m_names.find(key);
        if (found == m_names.end()) {
            m_names.emplace(key, name);
        } else if (found->second != key && (name == key || name < found->second)) {
            found->second = name;
        }
    }
}

const std::string* DirectoryIndex::Find(const std::string& lowerName) const {
    auto found = m_names.find(lowerName);
    return found == m_names.end() ? nullptr : &found->second;
}

const DirectoryIndex& DirectoryListings::Of(const std::string& directory) {
    auto found = m_listed.find(directory);
    if (found == m_listed.end()) found = m_listed.emplace(directory, DirectoryIndex(directory)).first;
    return found->second;
}

std::string WithTrailingSeparator(std::string_view directory) {
    std::string out(directory);
    if (!out.empty() && out.back() != '/' && out.back() != '\\') {
        out.push_back('/');
    }
    return out;
}

std::string BodyFileStem(int part, int genusSexDigit, int age, int variant) {
    std::string stem(4, ' ');
    // Unsigned arithmetic: out-of-range values wrap instead of overflowing.
    stem[0] = char(static_cast<unsigned char>('a' + static_cast<unsigned>(part) - 1u));
    stem[1] = char(static_cast<unsigned char>('0' + static_cast<unsigned>(genusSexDigit)));
    stem[2] = char(static_cast<unsigned char>('0' + static_cast<unsigned>(age)));
    stem[3] = char(static_cast<unsigned char>('a' + static_cast<unsigned>(variant)));
    return stem;
}

std::optional<BodyFile> FindBodyFile(std::string_view directory, int part, int genus, int sex, int age, int variant,
                                     std::string_view extension, DirectoryListings* listings) {
    const std::string dir = WithTrailingSeparator(directory);
    const std::string ext = Lower(extension);
    DirectoryListings own;
    DirectoryListings& shared = listings ? *listings : own;
    const DirectoryIndex* index = nullptr;

    // A name character repeats every 256 values, so at most 256 steps of each loop can
    // name different files; the rest would only try the same names again.
    const long long lowestVariant = std::max<long long>(0, static_cast<long long>(variant) - 255);
    const long long lowestAge = std::max<long long>(0, static_cast<long long>(age) - 255);

    long long digit = static_cast<long long>(genus) + 4LL * sex;
    for (int pass = 0; pass < 2; ++pass) {
        for (long long v = variant; v >= lowestVariant; --v) {
            for (long long a = age; a >= lowestAge; --a) {
                const std::string name = BodyFileStem(part, int(digit % 256), int(a), int(v)) + ext;
                if (name.find_first_of(std::string_view("/\0", 2)) != std::string::npos) {
                    continue;  // out-of-range values must not name another directory
                }
                bool triedExact = false;
                if (!index) {
                    // Most lookups hit the exact name; list the directory only on a miss.
                    triedExact = true;
                    if (auto bytes = ReadWhole(dir + name)) {
                        return BodyFile{dir + name, std::move(*bytes)};
                    }
                    index = &shared.Of(dir);
                }
                if (index->Listed()) {
                    const std::string* actual = index->Find(Lower(name));
                    if (actual != nullptr && !(triedExact && *actual == name)) {
                        if (auto bytes = ReadWhole(dir + *actual)) {
                            return BodyFile{dir + *actual, std::move(*bytes)};
                        }
                    }
                } else if (!triedExact) {
                    if (auto bytes = ReadWhole(dir + name)) {
                        return BodyFile{dir + name, std::move(*bytes)};
                    }
                }
            }
        }
        digit = digit > 2 ? digit - 4 : digit + 4;
    }
    return std::nullopt;
}

}  // namespace zubrelle
