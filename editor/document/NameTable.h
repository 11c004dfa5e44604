// The editor's 512 display names: pose names at 0 to 255 and gait names at
// 256 plus the gait number, with the name file and the two name imports.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace mirtala {

class Genome;
namespace fileio {
struct FileError;
}

class NameTable {
public:
    static constexpr unsigned kEntries = 512;
    static constexpr unsigned kGaitBase = 256;

    NameTable();  // every entry holds its number's decimal digits

    // The program's one table, created with its defaults at first use.
    static NameTable& Instance();

    std::string GetName(unsigned index) const;
    // The entry's bytes without a copy (empty past the last entry); valid until it changes.
    std::string_view NameBytes(unsigned index) const;
    // Line breaks become spaces, so that the name file keeps one name a line; the imports
    // follow the same rule.
    void SetName(unsigned index, std::string_view name);

    // Line k replaces entry k; LF and CR LF line ends. False when it cannot be opened.
    // `error` (if given) says why it could not be read.
    bool LoadNameFile(const std::string& path, fileio::FileError* error = nullptr);
    // All 512 entries, atomically. False (with `error` filled) when it could not be written.
    bool SaveNameFile(const std::string& path, std::string* error = nullptr) const;
    // Resets the pose names, then reads length-prefixed names. False when it cannot be opened.
    bool ImportPoseNames(const std::string& path);
    // Resets the gait names, then names the gaits whose gene ids the records give.
    bool ImportGaitNames(const std::string& path, const Genome& genome);

    // The text of a name file holding the whole table.
    std::string NameFileText() const;
    void ParseNameFile(std::string_view text);
    void ParsePoseNames(std::string_view bytes);
    void ParseGaitNames(std::string_view bytes, const Genome& genome);

    // Called after every change to the table (a name set, a file or an import
    // read, whether or not it succeeded), so that windows showing names can
    // follow; one listener, which replaces the one before.
    void SetChangeListener(std::function<void()> listener) { m_changed = std::move(listener); }

private:
    // Tells the listener when the function that made it returns, on every path.
    struct ChangeScope {
        const NameTable& table;
        ~ChangeScope() {
            if (table.m_changed) table.m_changed();
        }
    };
    void ResetRange(unsigned first, unsigned last);
    std::array<std::string, kEntries> m_names;
    std::function<void()> m_changed;
};

}  // namespace mirtala
