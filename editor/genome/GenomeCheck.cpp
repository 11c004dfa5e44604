// The genome check's findings, gathered in one pass over the genes.
#include "editor/genome/GenomeCheck.h"

#include "editor/genome/PoseGenes.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <charconv>
#include <initializer_list>
#include <span>

namespace mirtala {

namespace {

constexpr int kStageCount = 7;  // Embryo to Senile

// A number as text without a heap allocation, for building findings' texts in one piece.
struct Num {
    explicit Num(int value) { size = static_cast<std::size_t>(std::to_chars(digits, digits + 4, value).ptr - digits); }
    operator std::string_view() const { return {digits, size}; }
    char digits[4];
    std::size_t size;
};

std::string Join(std::initializer_list<std::string_view> parts) {
    std::size_t size = 0;
    for (std::string_view p : parts) size += p.size();
    std::string text;
    text.reserve(size);
    for (std::string_view p : parts) text += p;
    return text;
}

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
    if (pose)
        return "is short: it lacks " + Range("character", "characters", size, kPoseStringLength) +
               " of its pose string";
    return "is short: it lacks " + Range("step", "steps", size, kGaitStepCount);
}

bool Unnamed(const NameLookup& names, unsigned entry, int number) {
    const std::string name = names(entry);
    return name.empty() || name == std::to_string(number);
}

// One pass gathers the pose genes by number (one flat list, bucketed by a
// counting sort so that nothing is allocated per number) and the gait genes;
// the findings follow from those lists.
class Checker {
public:
    Checker(const Genome& genome, const NameLookup& names) : m_genome(genome), m_names(names) {}

    std::vector<Finding> Run() {
        for (const UnfaithfulGene& u : m_genome.FindUnfaithfulGenes())
            Add(FindingKind::Problem, u.index, GeneText(*m_genome.At(u.index)) + ": cannot be saved: " + u.reason);
        for (std::size_t i = 0; i < m_genome.Count(); ++i) Gather(i);
        Bucket();
        CheckSwitchOnTimes();
        CheckGaitSteps();
        CheckNumbers();
        std::stable_sort(m_findings.begin(), m_findings.end(), [](const Finding& a, const Finding& b) {
            if (a.kind != b.kind) return a.kind == FindingKind::Problem;
            return a.index < b.index;
        });
        return std::move(m_findings);
    }

private:
    void Add(FindingKind kind, std::size_t index, std::string text) {
        m_findings.push_back({kind, m_genome.At(index)->Key(), index, std::move(text)});
    }

    static std::size_t StepCount(const Gene& gait) { return std::min(gait.data.size() - 1, kGaitStepCount); }

    void Gather(std::size_t i) {
        const Gene& g = *m_genome.At(i);
        const bool pose = IsPoseGene(g);
        if (!pose && !IsGaitGene(g)) return;
        if (std::string lacks = Lacking(g); !lacks.empty()) Add(FindingKind::Problem, i, GeneText(g) + " " + lacks);
        if (g.data.empty()) return;
        if (!pose) {
            m_gaits.push_back(i);
            for (std::size_t s = 1; s <= StepCount(g); ++s) m_usedPoses.set(g.data[s]);
            return;
        }
        m_poses.push_back(i);
        ++m_start[static_cast<std::size_t>(GeneNumber(g)) + 1];
    }

    // m_byNumber[m_start[n] .. m_start[n + 1]) are the pose genes of number n, in genome order.
    void Bucket() {
        for (std::size_t n = 1; n <= 256; ++n) m_start[n] += m_start[n - 1];
        m_byNumber.resize(m_poses.size());
        std::array<std::size_t, 256> next;
        std::copy(m_start.begin(), m_start.end() - 1, next.begin());
        for (std::size_t i : m_poses) m_byNumber[next[static_cast<std::size_t>(GeneNumber(*m_genome.At(i)))]++] = i;
    }

    std::span<const std::size_t> Variants(int number) const {
        const auto n = static_cast<std::size_t>(number);
        return {m_byNumber.data() + m_start[n], m_start[n + 1] - m_start[n]};
    }

    void CheckSwitchOnTimes() {
        for (int n = 0; n < 256; ++n) {
            const auto variants = Variants(n);
            std::bitset<256> seen;
            for (std::size_t k = 0; k < variants.size(); ++k) {
                const Gene& g = *m_genome.At(variants[k]);
                if (!seen.test(g.header.switchOn)) {
                    seen.set(g.header.switchOn);
                    continue;
                }
                std::size_t j = 0;
                while (m_genome.At(variants[j])->header.switchOn != g.header.switchOn) ++j;
                Add(FindingKind::Problem, variants[k],
                    "pose " + std::to_string(n) + ": variants with ids " +
                        std::to_string(m_genome.At(variants[j])->header.id) + " and " + std::to_string(g.header.id) +
                        " both switch on at " + StageText(g.header.switchOn));
            }
        }
    }

    // The life stages at which no variant of `number` is active, as text; empty when there are none.
    const std::string& MissingStages(int number) {
        std::string& text = m_missing[static_cast<std::size_t>(number)];
        if (m_missingDone.test(static_cast<std::size_t>(number))) return text;
        m_missingDone.set(static_cast<std::size_t>(number));
        for (int stage = 0; stage < kStageCount; ++stage) {
            ActivePosePicker picker(stage);
            for (std::size_t i : Variants(number)) picker.Offer(m_genome.At(i));
            if (picker.Result()) continue;
            text += (text.empty() ? "" : ", ");
            text += LifeStageName(stage);
        }
        return text;
    }

    void CheckGaitSteps() {
        for (std::size_t i : m_gaits) {
            const Gene& g = *m_genome.At(i);
            for (std::size_t s = 1; s <= StepCount(g); ++s) {
                const int pose = g.data[s];
                if (pose == 0) continue;  // an empty step
                const std::string& missing = MissingStages(pose);
                if (missing.empty()) continue;
                Add(FindingKind::Problem, i,
                    Join({"gait ", Num(GeneNumber(g)), " step ", Num(static_cast<int>(s)), ": pose ", Num(pose),
                          " has no gene active at ", missing}));
            }
        }
    }

    // Per number: names (about the number's first gene) and poses no gait uses.
    void CheckNumbers() {
        for (int n = 0; n < 256; ++n) {
            const auto variants = Variants(n);
            if (variants.empty()) continue;
            if (m_names && Unnamed(m_names, static_cast<unsigned>(n), n))
                Add(FindingKind::Problem, variants.front(), Join({"pose ", Num(n), " has no name"}));
            if (!m_usedPoses.test(static_cast<std::size_t>(n)) || n == 0)
                Add(FindingKind::Information, variants.front(), Join({"pose ", Num(n), " is used by no gait"}));
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
    std::vector<std::size_t> m_poses;        // pose genes with a pose number, in genome order
    std::array<std::size_t, 257> m_start{};  // counts per number, then where each number's run starts
    std::vector<std::size_t> m_byNumber;     // the pose genes grouped by number
    std::vector<std::size_t> m_gaits;        // gait genes with a gait number
    std::bitset<256> m_usedPoses;            // pose numbers some gait step names
    std::array<std::string, 256> m_missing;
    std::bitset<256> m_missingDone;
};

}  // namespace

std::vector<Finding> CheckGenome(const Genome& genome, const NameLookup& names) { return Checker(genome, names).Run(); }

bool HasProblems(const std::vector<Finding>& findings) {
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding& f) { return f.kind == FindingKind::Problem; });
}

}  // namespace mirtala
