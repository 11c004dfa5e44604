// The genome dump of the command line.
#include "editor/app/CliDump.h"

#include "editor/document/NameTable.h"
#include "editor/genome/PoseGenes.h"

#include <nlohmann/json.hpp>

#include <ostream>

namespace mirtala {

namespace {

using json = nlohmann::ordered_json;

std::string Hex(const std::vector<std::uint8_t>& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string s(bytes.size() * 2, '0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        s[2 * i] = digits[bytes[i] >> 4];
        s[2 * i + 1] = digits[bytes[i] & 15];
    }
    return s;
}

json GenomeJson(const Genome& genome, const std::vector<std::string>& warnings, const NameTable* names) {
    json genes = json::array();
    json poses = json::array();
    json gaits = json::array();
    for (std::size_t i = 0; i < genome.Count(); ++i) {
        const Gene& g = *genome.At(i);
        auto header = g.header.Bytes();
        genes.push_back({{"header", std::vector<int>(header.begin(), header.end())}, {"data", Hex(g.data)}});
        if (IsPoseGene(g)) {
            json pose = {{"gene", i}, {"number", GeneNumber(g)}, {"switchOn", g.header.switchOn},
                         {"id", g.header.id}, {"pose", Latin1ToUtf8(PoseStringOf(g))}};
            if (names) pose["name"] = Latin1ToUtf8(names->GetName(static_cast<unsigned>(GeneNumber(g))));
            poses.push_back(std::move(pose));
        } else if (IsGaitGene(g)) {
            json gait = {{"gene", i}, {"number", GeneNumber(g)}, {"id", g.header.id}, {"steps", GaitStepsOf(g)}};
            if (names)
                gait["name"] = Latin1ToUtf8(names->GetName(NameTable::kGaitBase + static_cast<unsigned>(GeneNumber(g))));
            gaits.push_back(std::move(gait));
        }
    }
    json appearance = json::array();
    for (int region = 0; region < 5; ++region) {
        int genus = 0, variant = 0;
        genome.GetAppearance(region, genus, variant);
        appearance.push_back({genus, variant});
    }
    json out;
    out["ok"] = true;
    out["warnings"] = warnings;
    out["genes"] = std::move(genes);
    out["genus"] = genome.Genus();
    out["appearance"] = std::move(appearance);
    out["poses"] = std::move(poses);
    out["gaits"] = std::move(gaits);
    return out;
}

// One top-level key a line, and one line for each element of a list of objects,
// so that a dump reads well and diffs line by line.
void Print(std::ostream& out, const json& value) {
    const auto compact = [](const json& v) { return v.dump(-1, ' ', false, json::error_handler_t::replace); };
    out << '{';
    bool firstKey = true;
    for (auto it = value.begin(); it != value.end(); ++it) {
        out << (firstKey ? "" : ",\n ") << json(it.key()).dump() << ": ";
        firstKey = false;
        const json& v = it.value();
        if (v.is_array() && !v.empty() && v.front().is_object()) {
            out << '[';
            for (std::size_t i = 0; i < v.size(); ++i) out << (i ? ",\n  " : "\n  ") << compact(v[i]);
            out << ']';
        } else {
            out << compact(v);
        }
    }
    out << "}\n";
}

int Usage(std::ostream& err) {
    err << "usage: mirtala --dump FILE.gen [--names NAMEFILE]\n";
    return 2;
}

}  // namespace

std::string Latin1ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out.push_back(ch);
        } else {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

int RunDump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string file, namesFile;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if ((a == "--dump" || a == "--names") && i + 1 < args.size()) {
            (a == "--dump" ? file : namesFile) = args[++i];
        } else {
            err << "mirtala: unexpected argument '" << a << "'\n";
            return Usage(err);
        }
    }
    if (file.empty()) return Usage(err);

    NameTable names;
    if (!namesFile.empty() && !names.LoadNameFile(namesFile)) {
        err << "mirtala: cannot open name file '" << namesFile << "'\n";
        return 1;
    }
    Genome genome;
    std::vector<std::string> warnings;
    const ReadStatus status =
        genome.ReadFile(file, [&warnings](std::string_view w) { warnings.emplace_back(w); });
    if (status == ReadStatus::CannotOpen) {
        err << "mirtala: cannot open '" << file << "'\n";
        return 1;
    }
    if (status == ReadStatus::NotGenome) {
        json failed;
        failed["ok"] = false;
        failed["warnings"] = warnings;
        Print(out, failed);
        return 1;
    }
    Print(out, GenomeJson(genome, warnings, namesFile.empty() ? nullptr : &names));
    return 0;
}

}  // namespace mirtala
