// Reading, writing and list operations of the genome.
#include "editor/genome/Genome.h"

#include "platform/fileio/AtomicFile.h"

#include <algorithm>
#include <cstring>

namespace mirtala {

namespace {

constexpr std::uint8_t kMagic[4] = {'d', 'n', 'a', '2'};
constexpr char kGene[4] = {'g', 'e', 'n', 'e'};
constexpr char kGend[4] = {'g', 'e', 'n', 'd'};

// Position of the first `token` in [from, size), or size when there is none.
// Tokens start with 'g', which memchr finds at memory speed.
std::size_t Find(const std::uint8_t* b, std::size_t size, std::size_t from, const char (&token)[4]) {
    std::uint32_t want;
    std::memcpy(&want, token, 4);
    while (from + 4 <= size) {
        const void* hit = std::memchr(b + from, 'g', size - from - 3);
        if (!hit) break;
        const std::size_t at = static_cast<std::size_t>(static_cast<const std::uint8_t*>(hit) - b);
        std::uint32_t got;
        std::memcpy(&got, b + at, 4);
        if (got == want) return at;
        from = at + 1;
    }
    return size;
}

bool Contains(const std::vector<std::uint8_t>& bytes, const char (&token)[4]) {
    return Find(bytes.data(), bytes.size(), 0, token) != bytes.size();
}

// Whether a gene's header and data, as the reader sees them in a row, hold the
// token: in the data alone, or starting in the header (checked on a window of
// the header and the data's first three bytes), without copying the data.
bool RecordContains(const Gene& gene, const char (&token)[4]) {
    if (Contains(gene.data, token)) return true;
    const auto header = gene.header.Bytes();
    std::uint8_t window[kGeneHeaderSize + 3];
    std::memcpy(window, header.data(), kGeneHeaderSize);
    const std::size_t tail = std::min<std::size_t>(3, gene.data.size());
    if (tail) std::memcpy(window + kGeneHeaderSize, gene.data.data(), tail);
    return Find(window, kGeneHeaderSize + tail, 0, token) != kGeneHeaderSize + tail;
}

void Warn(const ReadWarningSink& warn, std::string_view text) {
    if (warn) warn(text);
}

}  // namespace

bool Genome::Read(const std::string& path, const ReadWarningSink& warn) {
    return ReadFile(path, warn) == ReadStatus::Ok;
}

ReadStatus ReadGenomeFile(const std::string& path, std::vector<std::uint8_t>& file, const ReadWarningSink& warn,
                          fileio::FileError* error) {
    // The magic first: a large file that is no genome costs four bytes, not its size.
    if (!fileio::ReadFileHead(path, 4, file, error)) return ReadStatus::CannotOpen;
    if (file.size() < 4 || std::memcmp(file.data(), kMagic, 4) != 0) {
        file.clear();
        Warn(warn, kWarnNotGenome);
        return ReadStatus::NotGenome;
    }
    if (!fileio::ReadWholeFile(path, file, error)) return ReadStatus::CannotOpen;
    return ReadStatus::Ok;
}

ReadStatus Genome::ReadFile(const std::string& path, const ReadWarningSink& warn, fileio::FileError* error) {
    std::vector<std::uint8_t> file;
    const ReadStatus status = ReadGenomeFile(path, file, warn, error);
    return status == ReadStatus::Ok ? ReadBytes(file, warn) : status;
}

ReadStatus ForEachGene(std::span<const std::uint8_t> file, const ReadWarningSink& warn, const GeneVisitor& each) {
    if (file.size() < 4 || std::memcmp(file.data(), kMagic, 4) != 0) {
        Warn(warn, kWarnNotGenome);
        return ReadStatus::NotGenome;
    }
    const std::uint8_t* b = file.data() + 4;
    const std::size_t size = file.size() - 4;

    // The first token is taken as "gene" whatever its bytes are.
    std::size_t p = 4;
    for (;;) {
        bool last = false;
        std::size_t e = Find(b, size, p, kGene);
        if (e == size) {
            last = true;
            e = Find(b, size, p, kGend);
            if (e == size) Warn(warn, kWarnExpectedToken);
        }
        if (e >= p && e - p >= kGeneHeaderSize) {
            each(GeneHeader::FromBytes(b + p), std::span<const std::uint8_t>(b + p + kGeneHeaderSize, b + e));
        } else {
            Warn(warn, kWarnNoHeader);
        }
        if (last) break;
        p = e + 4;
    }
    return ReadStatus::Ok;
}

ReadStatus Genome::ReadBytes(std::span<const std::uint8_t> file, const ReadWarningSink& warn) {
    return ForEachGene(file, warn, [this](const GeneHeader& header, std::span<const std::uint8_t> data) {
        m_genes.push_back(GeneRef::Make(Gene{header, std::vector<std::uint8_t>(data.begin(), data.end())}));
    });
}

std::vector<std::uint8_t> Genome::Serialize() const {
    std::size_t total = 8;
    for (const GeneRef& g : m_genes) total += 4 + kGeneHeaderSize + g->data.size();
    std::vector<std::uint8_t> out(total);
    std::uint8_t* p = out.data();
    auto put = [&p](const void* src, std::size_t n) {
        if (n) std::memcpy(p, src, n);
        p += n;
    };
    put(kMagic, 4);
    for (const GeneRef& g : m_genes) {
        put(kGene, 4);
        const auto header = g->header.Bytes();
        put(header.data(), header.size());
        put(g->data.data(), g->data.size());
    }
    put(kGend, 4);
    return out;
}

bool Genome::Write(const std::string& path, std::string* error) const {
    return fileio::WriteFileAtomically(path, Serialize(), error);
}

std::optional<UnfaithfulGene> Genome::FindUnfaithfulGene() const {
    std::vector<UnfaithfulGene> first = FindUnfaithfulGenes(1);
    if (first.empty()) return std::nullopt;
    return std::move(first.front());
}

std::vector<UnfaithfulGene> Genome::FindUnfaithfulGenes(std::size_t limit) const {
    std::vector<UnfaithfulGene> found;
    for (std::size_t i = 0; i < m_genes.size() && found.size() < limit; ++i) {
        if (RecordContains(*m_genes[i], kGene))
            found.push_back({i, "its bytes contain \"gene\", which would split it in two"});
        else if (i + 1 == m_genes.size() && RecordContains(*m_genes[i], kGend))
            found.push_back({i, "it is the last gene and its bytes contain \"gend\", which would cut it short"});
    }
    return found;
}

Gene Genome::Replace(const Gene& gene) {
    const GeneKey key = gene.Key();
    for (GeneRef& ref : m_genes) {
        if (ref->Key() == key) {
            Gene old = *ref;
            *ref = gene;
            return old;
        }
    }
    return gene;
}

GeneRef Genome::Remove(const GeneKey& key) {
    for (auto it = m_genes.begin(); it != m_genes.end(); ++it) {
        if ((*it)->Key() == key) {
            GeneRef removed = std::move(*it);
            m_genes.erase(it);
            return removed;
        }
    }
    return GeneRef();
}

GeneRef Genome::Append(const Gene& gene) {
    m_genes.push_back(GeneRef::Make(gene));
    return m_genes.back();
}

int Genome::FreeId(std::uint8_t type, std::uint8_t subtype) const {
    bool taken[256] = {};
    for (GeneCursor c(*this, 0, type, subtype); !c.AtEnd(); c.Advance()) taken[c->header.id] = true;
    for (int id = 1; id <= 255; ++id)
        if (!taken[id]) return id;
    return -1;
}

}  // namespace mirtala
