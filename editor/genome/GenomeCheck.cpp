// The genome check's findings, gathered in one pass over the genes.
#include "editor/genome/GenomeCheck.h"

#include "editor/genome/PoseGenes.h"

#include <algorithm>
#include <array>
#include <bitset>

namespace mirtala {

namespace {

constexpr int kStageCount = 7;  // Embryo to Senile

std::string StageText(int switchOn) {
    if (switchOn < kStageCount) return LifeStageName(switchOn);
    return "switch-on time " + std::to_string(switchOn);
}

// "character 15" or "characters 9 to 15".
std::string Range(const char* singular, const char* plural, std::size_t first, std::size_t last) {
    if (first == last) return std::string(singular) + " " + std::to_string(first);
    return std::string(plural) + " " + std::to_string(first) + " to " + std::to_string(last);
}

// How one gene is named in a finding about that gene alone.
std::string GeneText(const Gene& g) {
    const std::string id = " (id " + std::to_string(g.header.id) + ")";
    if (IsPoseGene(g) && !g.data.empty()) return "pose " + std::to_string(GeneNumber(g)) + id;
    if (IsGaitGene(g) && !g.data.empty()) return "gait " + std::to_string(GeneNumber(g)) + id;
    if (IsPoseGene(g)) return "pose gene" + id;
    if (IsGaitGene(g)) return "gait gene" + id;
    return "gene " + std::to_string(g.header.type) + "/" + std::to_string(g.header.subtype) + id;
}

// What a pose or gait gene shorter than its kind lacks; empty when it is whole.
std::string Lacking(const Gene& g) {
    const std::size_t size = g.data.size();
    const bool pose = IsPoseGene(g);
    const std::size_t whole = pose ? kPoseDataSize : kGaitDataSize;
    if (size >= whole) return {};
    const std::string number = pose ? "pose number" : "gait number";
    const std::string rest = pose ? "pose string" : "steps";
    if (size == 0) return "has no data: it lacks its " + number + " and its " + rest;
    if (pose) return "is short: it lacks " + Range("character", "characters", size, kPoseStringLength) + " of its pose string";
    return "is short: it lacks " + Range("step", "steps", size, kGaitStepCount);
}

bool Unnamed(const NameLookup& names, unsigned entry, int number) {
    const std::string name = names(entry);
    return name.empty() || name == std::to_string(number);
}

class Checker {
public:
    Checker(const Genome& genome, const NameLookup& names) : m_genome(genome), m_names(names) {}

    std::vector<Finding> Run() {
        for (const UnfaithfulGene& u : m_genome.FindUnfaithfulGenes())
            Add(FindingKind::Problem, u.index, GeneText(*m_genome.At(u.index)) + ": cannot be saved: " + u.reason);
        for (std::size_t i = 0; i < m_genome.Count(); ++i) Gather(i);
        CheckGaitSteps();
        CheckNumbers();
        std::stable_sort(m_findings.begin(), m_findings.end(), [](const Finding& a, const Finding& b) {
            if (a.kind != b.kind) return a.kind == FindingKind::Problem;
            return a.index < b.index;
        });
        return std::move(m_findings);
    }

private:
    struct Variant {
        GeneRef gene;
        std::size_t index;
    };

    void Add(FindingKind kind, std::size_t index, std::string text) {
        m_findings.push_back({kind, m_genome.At(index)->Key(), index, std::move(text)});
    }

    void Gather(std::size_t i) {
        const GeneRef& ref = m_genome.At(i);
        const Gene& g = *ref;
        const bool pose = IsPoseGene(g);
        if (!pose && !IsGaitGene(g)) return;
        if (std::string lacks = Lacking(g); !lacks.empty()) Add(FindingKind::Problem, i, GeneText(g) + " " + lacks);
        if (g.data.empty()) return;
        const int number = GeneNumber(g);
        if (!pose) {
            m_gaits.push_back(i);
            for (int step : GaitStepsOf(g)) m_usedPoses.set(static_cast<std::size_t>(step));
            return;
        }
        std::vector<Variant>& variants = m_variants[static_cast<std::size_t>(number)];
        for (const Variant& earlier : variants) {
            if (earlier.gene->header.switchOn != g.header.switchOn) continue;
            Add(FindingKind::Problem, i,
                "pose " + std::to_string(number) + ": variants with ids " + std::to_string(earlier.gene->header.id) +
                    " and " + std::to_string(g.header.id) + " both switch on at " + StageText(g.header.switchOn));
            break;
        }
        variants.push_back({ref, i});
    }

    // The life stages at which no variant of `number` is active, as text; empty when there are none.
    const std::string& MissingStages(int number) {
        std::string& text = m_missing[static_cast<std::size_t>(number)];
        if (m_missingDone.test(static_cast<std::size_t>(number))) return text;
        m_missingDone.set(static_cast<std::size_t>(number));
        for (int stage = 0; stage < kStageCount; ++stage) {
            ActivePosePicker picker(stage);
            for (const Variant& v : m_variants[static_cast<std::size_t>(number)]) picker.Offer(v.gene);
            if (picker.Result()) continue;
            text += (text.empty() ? "" : ", ");
            text += LifeStageName(stage);
        }
        return text;
    }

    void CheckGaitSteps() {
        for (std::size_t i : m_gaits) {
            const Gene& g = *m_genome.At(i);
            const std::vector<int> steps = GaitStepsOf(g);
            for (std::size_t s = 0; s < steps.size(); ++s) {
                if (steps[s] == 0) continue;  // an empty step
                const std::string& missing = MissingStages(steps[s]);
                if (missing.empty()) continue;
                Add(FindingKind::Problem, i,
                    "gait " + std::to_string(GeneNumber(g)) + " step " + std::to_string(s + 1) + ": pose " +
                        std::to_string(steps[s]) + " has no gene active at " + missing);
            }
        }
    }

    // Per number: names (about the number's first gene) and poses no gait uses.
    void CheckNumbers() {
        for (int n = 0; n < 256; ++n) {
            const std::vector<Variant>& variants = m_variants[static_cast<std::size_t>(n)];
            if (variants.empty()) continue;
            const std::string pose = "pose " + std::to_string(n);
            if (m_names && Unnamed(m_names, static_cast<unsigned>(n), n))
                Add(FindingKind::Problem, variants.front().index, pose + " has no name");
            if (!m_usedPoses.test(static_cast<std::size_t>(n)) || n == 0)
                Add(FindingKind::Information, variants.front().index, pose + " is used by no gait");
        }
        if (!m_names) return;
        std::bitset<256> named;
        for (std::size_t i : m_gaits) {
            const int n = GeneNumber(*m_genome.At(i));
            if (named.test(static_cast<std::size_t>(n))) continue;
            named.set(static_cast<std::size_t>(n));
            if (Unnamed(m_names, 256u + static_cast<unsigned>(n), n))
                Add(FindingKind::Problem, i, "gait " + std::to_string(n) + " has no name");
        }
    }

    const Genome& m_genome;
    const NameLookup& m_names;
    std::vector<Finding> m_findings;
    std::array<std::vector<Variant>, 256> m_variants;  // pose genes by pose number, in genome order
    std::vector<std::size_t> m_gaits;                  // gait genes with a gait number
    std::bitset<256> m_usedPoses;                      // pose numbers some gait step names
    std::array<std::string, 256> m_missing;
    std::bitset<256> m_missingDone;
};

}  // namespace

std::vector<Finding> CheckGenome(const Genome& genome, const NameLookup& names) {
    return Checker(genome, names).Run();
}

bool HasProblems(const std::vector<Finding>& findings) {
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding& f) { return f.kind == FindingKind::Problem; });
}

}  // namespace mirtala
