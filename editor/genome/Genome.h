// The genome: an ordered list of genes as they stand in a genome file, with
// the reader and writer of that file and the list operations the editor uses.
#pragma once

#include "editor/genome/Gene.h"
#include "platform/fileio/AtomicFile.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mirtala {

// Receives each reading warning as it arises ("Not a genome File." and the like).
using ReadWarningSink = std::function<void(std::string_view)>;

inline constexpr std::string_view kWarnNotGenome = "Not a genome File.";
inline constexpr std::string_view kWarnExpectedToken = "Expected token 'gene' or 'gend'.";
inline constexpr std::string_view kWarnNoHeader = "Gene does not contain header.";

enum class ReadStatus { Ok, CannotOpen, NotGenome };

// Why a gene would not read back as it stands.
struct UnfaithfulGene {
    std::size_t index = 0;  // position in the genome's list
    std::string reason;     // a sentence for the user
};

class Genome {
public:
    Genome() = default;
    Genome(const Genome&) = delete;
    Genome& operator=(const Genome&) = delete;

    // Appends the genes of a genome file; false when it cannot be opened or is
    // not a genome. Warnings go to the sink, and reading goes on where it can.
    bool Read(const std::string& path, const ReadWarningSink& warn = {});
    // `error` (if given) says why a file could not be opened.
    ReadStatus ReadFile(const std::string& path, const ReadWarningSink& warn = {}, fileio::FileError* error = nullptr);
    // The same on bytes already in memory (the whole file, magic included).
    ReadStatus ReadBytes(std::span<const std::uint8_t> file, const ReadWarningSink& warn = {});

    // Writes the whole genome atomically: the old file stays intact on failure,
    // and `error` (if given) says why.
    bool Write(const std::string& path, std::string* error = nullptr) const;
    std::vector<std::uint8_t> Serialize() const;
    // The first gene that would not read back identically, if any.
    std::optional<UnfaithfulGene> FindUnfaithfulGene() const;
    // Every such gene, up to `limit` of them, in list order.
    std::vector<UnfaithfulGene> FindUnfaithfulGenes(std::size_t limit = static_cast<std::size_t>(-1)) const;

    Gene Replace(const Gene& gene);
    GeneRef Remove(const GeneKey& key);
    GeneRef Append(const Gene& gene);
    int FreeId(std::uint8_t type, std::uint8_t subtype) const;

    int Genus() const;
    bool GetAppearance(int region, int& genus, int& variant) const;

    std::size_t Count() const { return m_genes.size(); }
    const GeneRef& At(std::size_t index) const { return m_genes[index]; }
    const std::vector<GeneRef>& Genes() const { return m_genes; }

private:
    std::vector<GeneRef> m_genes;
};

// Reads a genome file into `file`, its first four bytes before the rest, so that a
// file that is no genome is refused ("Not a genome File.") without reading it whole.
ReadStatus ReadGenomeFile(const std::string& path, std::vector<std::uint8_t>& file, const ReadWarningSink& warn = {},
                          fileio::FileError* error = nullptr);

// Hands each gene of a whole genome file to `each` as its header and data, in file
// order, with the reading warnings to `warn`; nothing is copied.
using GeneVisitor = std::function<void(const GeneHeader&, std::span<const std::uint8_t>)>;
ReadStatus ForEachGene(std::span<const std::uint8_t> file, const ReadWarningSink& warn, const GeneVisitor& each);

// Walks the genes of one type and subtype in genome order.
class GeneCursor {
public:
    GeneCursor(const Genome& genome, std::size_t start, std::uint8_t type, std::uint8_t subtype)
        : m_genome(&genome), m_pos(start), m_type(type), m_subtype(subtype) {
        Skip();
    }

    bool AtEnd() const { return m_pos >= m_genome->Count(); }
    std::size_t Position() const { return m_pos; }
    const GeneRef& Ref() const { return m_genome->At(m_pos); }
    const Gene& operator*() const { return *m_genome->At(m_pos); }
    const Gene* operator->() const { return m_genome->At(m_pos).Get(); }
    void Advance() {
        ++m_pos;
        Skip();
    }

private:
    void Skip() {
        while (m_pos < m_genome->Count()) {
            const GeneHeader& h = m_genome->At(m_pos)->header;
            if (h.type == m_type && h.subtype == m_subtype) return;
            ++m_pos;
        }
    }
    const Genome* m_genome;
    std::size_t m_pos;
    std::uint8_t m_type;
    std::uint8_t m_subtype;
};

}  // namespace mirtala
