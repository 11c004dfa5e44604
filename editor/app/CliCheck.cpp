// The genome check of the command line: one line a finding, or one JSON object.
#include "editor/app/CliCheck.h"

#include "editor/app/CommandLine.h"
#include "editor/document/NameEncoding.h"
#include "editor/document/NameTable.h"
#include "editor/genome/GenomeCheck.h"
#include "platform/fileio/AtomicFile.h"

#include <nlohmann/json.hpp>

#include <ostream>

namespace mirtala {

namespace {

using json = nlohmann::ordered_json;

const char* KindText(FindingKind kind) { return kind == FindingKind::Problem ? "problem" : "information"; }

void WriteJson(std::ostream& out, const std::string& file, const std::vector<Finding>& findings,
               const std::vector<std::string>& warnings) {
    json list = json::array();
    for (const Finding& f : findings)
        list.push_back({{"kind", KindText(f.kind)},
                        {"gene", f.index},
                        {"key", {f.gene.type, f.gene.subtype, f.gene.id}},
                        {"text", f.text}});
    const json result = {
        {"file", file}, {"problems", HasProblems(findings)}, {"warnings", warnings}, {"findings", std::move(list)}};
    out << result.dump(1, ' ', false, json::error_handler_t::replace) << "\n";
}

}  // namespace

int RunCheck(const CommandLine& line, std::ostream& out, std::ostream& err) {
    const std::string& file = *line.Value("--check");
    const std::string* namesFile = line.Value("--names");
    NameTable names;
    if (namesFile && !names.LoadNameFile(*namesFile)) {
        err << "mirtala: cannot open name file '" << *namesFile << "'\n";
        return 1;
    }
    std::vector<std::uint8_t> bytes;
    fileio::FileError error;
    if (!fileio::ReadWholeFile(file, bytes, &error)) {
        err << "mirtala: cannot open " << file << ": " << error.reason << "\n";
        return 1;
    }
    Genome genome;
    std::vector<std::string> warnings;
    if (genome.ReadBytes(bytes, [&warnings](std::string_view w) { warnings.emplace_back(w); }) ==
        ReadStatus::NotGenome) {
        err << "mirtala: cannot read " << file << ": " << kWarnNotGenome << "\n";
        return 1;
    }
    NameLookup lookup;
    if (namesFile) lookup = [&names](unsigned entry) { return Cp1252ToUtf8(names.GetName(entry)); };
    const std::vector<Finding> findings = CheckGenome(genome, lookup);
    if (line.Value("--json")) {
        WriteJson(out, file, findings, warnings);
    } else {
        for (const std::string& w : warnings) out << file << ": reading: " << w << "\n";
        for (const Finding& f : findings)
            out << file << ": " << f.text << (f.kind == FindingKind::Information ? " (information)" : "") << "\n";
    }
    return HasProblems(findings) ? 1 : 0;
}

}  // namespace mirtala
