// Name table operations and the three name-file formats.
#include "editor/document/NameTable.h"

#include "editor/genome/PoseGenes.h"
#include "platform/fileio/AtomicFile.h"

#include <algorithm>

namespace mirtala {

namespace {

// Little-endian reads that never pass the end of the bytes.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : m_bytes(bytes) {}
    std::size_t Left() const { return m_bytes.size() - m_pos; }
    bool ReadU16(unsigned& value) {
        if (Left() < 2) return false;
        value = static_cast<unsigned char>(m_bytes[m_pos]) |
                (static_cast<unsigned>(static_cast<unsigned char>(m_bytes[m_pos + 1])) << 8);
        m_pos += 2;
        return true;
    }
    // Up to n bytes; false when fewer than n were left.
    bool Take(std::size_t n, std::string_view& out) {
        const std::size_t got = std::min(n, Left());
        out = m_bytes.substr(m_pos, got);
        m_pos += got;
        return got == n;
    }
    bool Skip(std::size_t n) {
        std::string_view ignored;
        return Take(n, ignored);
    }

private:
    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

std::string_view AsText(const std::vector<std::uint8_t>& bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// The one rule for every name that enters the table, typed or imported: line breaks become
// spaces, so that the name file written at exit keeps one name a line and 512 lines.
std::string OneLine(std::string_view name) {
    std::string flat(name);
    std::replace_if(
        flat.begin(), flat.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return flat;
}

}  // namespace

NameTable::NameTable() { ResetRange(0, kEntries); }

NameTable& NameTable::Instance() {
    static NameTable table;
    return table;
}

void NameTable::ResetRange(unsigned first, unsigned last) {
    for (unsigned i = first; i < last; ++i) m_names[i] = std::to_string(i % kGaitBase);
}

std::string NameTable::GetName(unsigned index) const { return index < kEntries ? m_names[index] : std::string(); }

std::string_view NameTable::NameBytes(unsigned index) const {
    return index < kEntries ? std::string_view(m_names[index]) : std::string_view();
}

void NameTable::SetName(unsigned index, std::string_view name) {
    const ChangeScope changed{*this};
    if (index >= kEntries) return;
    m_names[index] = OneLine(name);
}

void NameTable::ParseNameFile(std::string_view text) {
    const ChangeScope changed{*this};
    unsigned k = 0;
    std::size_t pos = 0;
    while (pos < text.size() && k < kEntries) {
        std::size_t end = text.find('\n', pos);
        std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        m_names[k++] = std::string(line);
        pos = next;
    }
}

bool NameTable::LoadNameFile(const std::string& path, fileio::FileError* error) {
    std::vector<std::uint8_t> bytes;
    if (!fileio::ReadWholeFile(path, bytes, error)) return false;
    ParseNameFile(AsText(bytes));
    return true;
}

std::string NameTable::NameFileText() const {
    std::string text;
    for (const std::string& name : m_names) {
        text += name;
        text += '\n';
    }
    return text;
}

bool NameTable::SaveNameFile(const std::string& path, std::string* error) const {
    const std::string text = NameFileText();
    return fileio::WriteFileAtomically(path, std::string_view(text), error);
}

void NameTable::ParsePoseNames(std::string_view bytes) {
    const ChangeScope changed{*this};
    ResetRange(0, kGaitBase);
    ByteReader in(bytes);
    unsigned length = 0;
    for (unsigned k = 0; in.ReadU16(length); ++k) {
        std::string_view name;
        const bool whole = in.Take(length, name);
        if (k < kGaitBase) {
            m_names[k] = OneLine(name);
            m_names[k].resize(length, '\0');  // a name cut short keeps its length, padded with zeros
        }
        if (!whole) break;
    }
}

bool NameTable::ImportPoseNames(const std::string& path) {
    const ChangeScope changed{*this};
    std::vector<std::uint8_t> bytes;
    if (!fileio::ReadWholeFile(path, bytes)) {
        ResetRange(0, kGaitBase);
        return false;
    }
    ParsePoseNames(AsText(bytes));
    return true;
}

void NameTable::ParseGaitNames(std::string_view bytes, const Genome& genome) {
    const ChangeScope changed{*this};
    ResetRange(kGaitBase, kEntries);
    ByteReader in(bytes);
    if (!in.Skip(4)) return;
    unsigned type = 0, subtype = 0, id = 0, l1 = 0, l2 = 0;
    while (in.ReadU16(type)) {
        if (!in.ReadU16(subtype) || !in.ReadU16(id) || !in.Skip(2) || !in.ReadU16(l1)) return;
        if (type == kCreatureGeneType && subtype == kGaitSubtype) {
            std::string_view name;
            if (!in.Take(l1, name)) return;  // a name cut short is not used
            for (GeneCursor c(genome, 0, kCreatureGeneType, kGaitSubtype); !c.AtEnd(); c.Advance()) {
                if (c->header.id == id) {
                    if (!c->data.empty()) m_names[kGaitBase + c->data[0]] = OneLine(name);
                    break;
                }
            }
        } else if (!in.Skip(l1)) {
            return;
        }
        if (!in.ReadU16(l2) || !in.Skip(l2)) return;
    }
}

bool NameTable::ImportGaitNames(const std::string& path, const Genome& genome) {
    const ChangeScope changed{*this};
    std::vector<std::uint8_t> bytes;
    if (!fileio::ReadWholeFile(path, bytes)) {
        ResetRange(kGaitBase, kEntries);
        return false;
    }
    ParseGaitNames(AsText(bytes), genome);
    return true;
}

}  // namespace mirtala
