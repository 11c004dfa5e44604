// The genome dump of the command line, streamed: one top-level key a line and
// one line for each gene, pose and gait, so that a dump reads well, diffs line
// by line, and never has to be held whole.
#include "editor/app/CliDump.h"

#include "editor/app/CommandLine.h"
#include "editor/document/NameEncoding.h"
#include "editor/document/NameTable.h"
#include "editor/genome/PoseGenes.h"
#include "platform/fileio/AtomicFile.h"

#include <nlohmann/json.hpp>

#include <ostream>

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
    std::vector<std::string> m_texts;                          // each distinct text once
    std::vector<std::pair<std::size_t, std::size_t>> m_runs;  // text index, repeats
};

// {"header":[...],"data":"..."} with the data as lowercase hex, into a reused buffer.
void AppendGene(std::string& line, const Gene& gene) {
    static const char digits[] = "0123456789abcdef";
    line += "{\"header\":[";
    const auto header = gene.header.Bytes();
    for (std::size_t i = 0; i < header.size(); ++i) {
        if (i) line += ',';
        line += std::to_string(header[i]);
    }
    line += "],\"data\":\"";
    for (std::uint8_t b : gene.data) {
        line += digits[b >> 4];
        line += digits[b & 15];
    }
    line += "\"}";
}

json PoseJson(const Gene& g, std::size_t index, const NameTable* names) {
    json pose = {{"gene", index}, {"number", GeneNumber(g)}, {"switchOn", g.header.switchOn},
                 {"id", g.header.id}, {"pose", Cp1252ToUtf8(PoseStringOf(g))}};
    if (names) pose["name"] = Cp1252ToUtf8(names->GetName(static_cast<unsigned>(GeneNumber(g))));
    return pose;
}

json GaitJson(const Gene& g, std::size_t index, const NameTable* names) {
    json gait = {{"gene", index}, {"number", GeneNumber(g)}, {"id", g.header.id}, {"steps", GaitStepsOf(g)}};
    if (names) gait["name"] = Cp1252ToUtf8(names->GetName(NameTable::kGaitBase + static_cast<unsigned>(GeneNumber(g))));
    return gait;
}

// Writes a list of objects as "[\n  {...},\n  {...}]", or "[]" when there are none.
template <typename Each>
void WriteList(std::ostream& out, const Genome& genome, Each&& each) {
    bool first = true;
    std::string line;
    out << '[';
    for (std::size_t i = 0; i < genome.Count() && out; ++i) {
        line.assign(first ? "\n  " : ",\n  ");
        if (!each(*genome.At(i), i, line)) continue;
        out.write(line.data(), static_cast<std::streamsize>(line.size()));
        first = false;
    }
    out << ']';
}

void WriteGenome(std::ostream& out, const Genome& genome, const WarningRuns& warnings, const NameTable* names) {
    out << "{\"ok\": true,\n \"warnings\": ";
    warnings.Write(out);
    out << ",\n \"genes\": ";
    WriteList(out, genome, [](const Gene& g, std::size_t, std::string& line) {
        AppendGene(line, g);
        return true;
    });
    json appearance = json::array();
    for (int region = 0; region < 5; ++region) {
        int genus = 0, variant = 0;
        genome.GetAppearance(region, genus, variant);
        appearance.push_back({genus, variant});
    }
    out << ",\n \"genus\": " << genome.Genus() << ",\n \"appearance\": " << Compact(appearance) << ",\n \"poses\": ";
    WriteList(out, genome, [names](const Gene& g, std::size_t i, std::string& line) {
        if (IsPoseGene(g)) line += Compact(PoseJson(g, i, names));
        return IsPoseGene(g);
    });
    out << ",\n \"gaits\": ";
    WriteList(out, genome, [names](const Gene& g, std::size_t i, std::string& line) {
        if (IsGaitGene(g)) line += Compact(GaitJson(g, i, names));
        return IsGaitGene(g);
    });
    out << "}\n";
}

}  // namespace

int RunDump(const CommandLine& line, std::ostream& out, std::ostream& err) {
    const std::string& file = *line.Value("--dump");
    const std::string* namesFile = line.Value("--names");
    NameTable names;
    if (namesFile && !names.LoadNameFile(*namesFile)) {
        err << "mirtala: cannot open name file '" << *namesFile << "'\n";
        return 1;
    }
    Genome genome;
    WarningRuns warnings;
    {
        // The file's bytes go once the genes are taken from them, before the JSON is written.
        std::vector<std::uint8_t> bytes;
        FileError error;
        if (!ReadWholeFile(file, bytes, &error)) {
            err << "mirtala: cannot open " << file << ": " << error.reason << "\n";
            return 1;
        }
        if (genome.ReadBytes(bytes, [&warnings](std::string_view w) { warnings.Add(w); }) == ReadStatus::NotGenome) {
            out << "{\"ok\": false,\n \"warnings\": ";
            warnings.Write(out);
            out << "}\n";
            return 1;
        }
    }
    WriteGenome(out, genome, warnings, namesFile ? &names : nullptr);
    return 0;
}

}  // namespace mirtala
