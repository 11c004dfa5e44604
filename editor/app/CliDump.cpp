// The genome dump of the command line, streamed: one top-level key a line and
// one line for each gene, pose and gait, so that a dump reads well, diffs line
// by line, and never has to be held whole; the genes are read straight from the
// file's bytes, never copied into a genome.
#include "editor/app/CliDump.h"

#include "editor/app/CommandLine.h"
#include "editor/document/NameEncoding.h"
#include "editor/document/NameTable.h"
#include "editor/genome/PoseGenes.h"
#include "platform/fileio/AtomicFile.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <optional>
#include <ostream>
#include <span>

namespace mirtala {

namespace {

using json = nlohmann::ordered_json;

std::string Compact(const json& value) { return value.dump(-1, ' ', false, json::error_handler_t::replace); }

// The reading warnings in order, kept as runs of one text: a damaged file can
// raise one for every four of its bytes.
class WarningRuns {
public:
    void Add(std::string_view text) {
        if (m_runs.empty() || m_texts[m_runs.back().first] != text) {
            std::size_t index = 0;
            while (index < m_texts.size() && m_texts[index] != text) ++index;
            if (index == m_texts.size()) m_texts.emplace_back(text);
            m_runs.emplace_back(index, 0);
        }
        ++m_runs.back().second;
    }
    void Write(std::ostream& out) const {
        out << '[';
        bool first = true;
        for (const auto& [index, count] : m_runs) {
            const std::string text = Compact(m_texts[index]);
            for (std::size_t i = 0; i < count && out; ++i, first = false) out << (first ? "" : ",") << text;
        }
        out << ']';
    }

private:
    std::vector<std::string> m_texts;                         // each distinct text once
    std::vector<std::pair<std::size_t, std::size_t>> m_runs;  // text index, repeats
};

// {"header":[...],"data":"..."} with the data as lowercase hex, written in pieces so that
// a huge gene never needs its whole hex text at once.
void WriteGene(std::ostream& out, std::string& line, const GeneHeader& header, std::span<const std::uint8_t> data) {
    static const char digits[] = "0123456789abcdef";
    constexpr std::size_t kPiece = 1 << 16;
    line += "{\"header\":[";
    const auto bytes = header.Bytes();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i) line += ',';
        line += std::to_string(bytes[i]);
    }
    line += "],\"data\":\"";
    for (std::uint8_t b : data) {
        line += digits[b >> 4];
        line += digits[b & 15];
        if (line.size() >= kPiece) {
            out.write(line.data(), static_cast<std::streamsize>(line.size()));
            line.clear();
        }
    }
    line += "\"}";
    out.write(line.data(), static_cast<std::streamsize>(line.size()));
}

// The first bytes of a gene, enough for its number, pose string or steps.
Gene Prefix(const GeneHeader& header, std::span<const std::uint8_t> data, std::size_t bytes) {
    const auto kept = data.first(std::min(data.size(), bytes));
    return Gene{header, std::vector<std::uint8_t>(kept.begin(), kept.end())};
}

json PoseJson(const Gene& g, std::size_t index, const NameTable* names) {
    json pose = {{"gene", index},
                 {"number", GeneNumber(g)},
                 {"switchOn", g.header.switchOn},
                 {"id", g.header.id},
                 {"pose", Cp1252ToUtf8(PoseStringOf(g))}};
    if (names) pose["name"] = Cp1252ToUtf8(names->GetName(static_cast<unsigned>(GeneNumber(g))));
    return pose;
}

json GaitJson(const Gene& g, std::size_t index, const NameTable* names) {
    json gait = {{"gene", index}, {"number", GeneNumber(g)}, {"id", g.header.id}, {"steps", GaitStepsOf(g)}};
    if (names) gait["name"] = Cp1252ToUtf8(names->GetName(NameTable::kGaitBase + static_cast<unsigned>(GeneNumber(g))));
    return gait;
}

// Writes a list of objects as "[\n  {...},\n  {...}]", or "[]" when there are none, from one
// more walk over the file's bytes: `each` writes the object of a gene and says whether it did.
template <typename Each>
void WriteList(std::ostream& out, std::span<const std::uint8_t> file, Each&& each) {
    bool first = true;
    std::size_t index = 0;
    std::string line;
    out << '[';
    ForEachGene(file, {}, [&](const GeneHeader& header, std::span<const std::uint8_t> data) {
        line.assign(first ? "\n  " : ",\n  ");
        if (out && each(out, line, header, data, index)) first = false;
        ++index;
    });
    out << ']';
}

bool IsCreature(const GeneHeader& h, std::uint8_t subtype) {
    return h.type == kCreatureGeneType && h.subtype == subtype;
}

// The genes the genus and appearance are taken from: the last genus gene with data
// and the first appearance gene of each region, as the genome's own lookups choose them.
void KeepAppearanceGenes(Genome& kept, std::optional<Gene>& genus, bool (&seen)[5], const GeneHeader& header,
                         std::span<const std::uint8_t> data) {
    if (IsCreature(header, kGenusSubtype) && !data.empty()) genus = Prefix(header, data, 1);
    if (IsCreature(header, kAppearanceSubtype) && !data.empty() && data[0] < 5 && !seen[data[0]]) {
        seen[data[0]] = true;
        kept.Append(Prefix(header, data, 3));
    }
}

void WriteGenome(std::ostream& out, std::span<const std::uint8_t> file, const Genome& looks,
                 const WarningRuns& warnings, const NameTable* names) {
    out << "{\"ok\": true,\n \"warnings\": ";
    warnings.Write(out);
    out << ",\n \"genes\": ";
    WriteList(
        out, file,
        [](std::ostream& o, std::string& line, const GeneHeader& h, std::span<const std::uint8_t> d, std::size_t) {
            WriteGene(o, line, h, d);
            return true;
        });
    json appearance = json::array();
    for (int region = 0; region < 5; ++region) {
        int genus = 0, variant = 0;
        looks.GetAppearance(region, genus, variant);
        appearance.push_back({genus, variant});
    }
    out << ",\n \"genus\": " << looks.Genus() << ",\n \"appearance\": " << Compact(appearance) << ",\n \"poses\": ";
    WriteList(out, file,
              [names](std::ostream& o, std::string& line, const GeneHeader& h, std::span<const std::uint8_t> d,
                      std::size_t i) {
                  if (!IsCreature(h, kPoseSubtype)) return false;
                  line += Compact(PoseJson(Prefix(h, d, kPoseDataSize), i, names));
                  o.write(line.data(), static_cast<std::streamsize>(line.size()));
                  return true;
              });
    out << ",\n \"gaits\": ";
    WriteList(out, file,
              [names](std::ostream& o, std::string& line, const GeneHeader& h, std::span<const std::uint8_t> d,
                      std::size_t i) {
                  if (!IsCreature(h, kGaitSubtype)) return false;
                  line += Compact(GaitJson(Prefix(h, d, kGaitDataSize), i, names));
                  o.write(line.data(), static_cast<std::streamsize>(line.size()));
                  return true;
              });
    out << "}\n";
}

}  // namespace

int RunDump(const CommandLine& line, std::ostream& out, std::ostream& err) {
    const std::string& file = *line.Value("--dump");
    const std::string* namesFile = line.Value("--names");
    NameTable names;
    fileio::FileError error;
    if (namesFile && !names.LoadNameFile(*namesFile, &error)) {
        err << "mirtala: cannot open name file '" << *namesFile << "': " << error.reason << "\n";
        return 1;
    }
    // Only the file's bytes are held: each list is one more walk over them, so that
    // no gene is copied whole and the peak stays near the file's size.
    std::vector<std::uint8_t> bytes;
    WarningRuns warnings;
    const auto collect = [&warnings](std::string_view w) { warnings.Add(w); };
    const ReadStatus status = ReadGenomeFile(file, bytes, collect, &error);
    if (status == ReadStatus::CannotOpen) {
        err << "mirtala: cannot open " << file << ": " << error.reason << "\n";
        return 1;
    }
    Genome looks;
    std::optional<Gene> genus;
    bool seen[5] = {};
    if (status == ReadStatus::Ok)
        ForEachGene(bytes, collect, [&](const GeneHeader& header, std::span<const std::uint8_t> data) {
            KeepAppearanceGenes(looks, genus, seen, header, data);
        });
    if (status == ReadStatus::NotGenome) {
        out << "{\"ok\": false,\n \"warnings\": ";
        warnings.Write(out);
        out << "}\n";
        return 1;
    }
    if (genus) looks.Append(*genus);
    WriteGenome(out, bytes, looks, warnings, namesFile ? &names : nullptr);
    return 0;
}

}  // namespace mirtala
