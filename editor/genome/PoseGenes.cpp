// Genus, appearance, pose and gait genes.
#include "editor/genome/PoseGenes.h"

namespace mirtala {

int Genome::Genus() const {
    int genus = 0;
    for (GeneCursor c(*this, 0, kCreatureGeneType, kGenusSubtype); !c.AtEnd(); c.Advance())
        if (!c->data.empty()) genus = c->data[0];
    return genus;
}

bool Genome::GetAppearance(int region, int& genus, int& variant) const {
    for (GeneCursor c(*this, 0, kCreatureGeneType, kAppearanceSubtype); !c.AtEnd(); c.Advance()) {
        const auto& d = c->data;
        if (!d.empty() && d[0] == region) {
            genus = d.size() > 2 ? d[2] : 0;
            variant = d.size() > 1 ? d[1] : 0;
            return true;
        }
    }
    genus = 0;
    variant = 0;
    return false;
}

int GeneNumber(const Gene& gene) { return gene.data.empty() ? 0 : gene.data[0]; }

std::bitset<256> UsedNumbers(const Genome& genome, std::uint8_t subtype) {
    std::bitset<256> used;
    for (GeneCursor cur(genome, 0, kCreatureGeneType, subtype); !cur.AtEnd(); cur.Advance())
        if (!cur->data.empty()) used.set(cur->data[0]);
    return used;
}

int LowestFreeNumber(const std::bitset<256>& used) {
    int n = 0;
    while (n < 256 && used.test(static_cast<std::size_t>(n))) ++n;
    return n;
}

std::string PoseStringOf(const Gene& gene) {
    std::string s;
    for (std::size_t i = 1; i <= kPoseStringLength && i < gene.data.size(); ++i)
        s.push_back(static_cast<char>(gene.data[i]));
    return s;
}

std::vector<int> GaitStepsOf(const Gene& gene) {
    std::vector<int> steps;
    for (std::size_t i = 1; i <= kGaitStepCount && i < gene.data.size(); ++i) steps.push_back(gene.data[i]);
    return steps;
}

const char* LifeStageName(int stage) {
    static const char* const names[] = {"Embryo", "Child", "Adolescent", "Youth", "Adult", "Old", "Senile"};
    if (stage < 0) return names[0];
    return stage > 6 ? names[6] : names[stage];
}

void ActivePosePicker::Offer(const GeneRef& variant) {
    const int f = variant->header.switchOn;
    if (f == m_stage || (m_stage < m_switchOn && f < m_switchOn) || (f > m_switchOn && f < m_stage)) {
        m_best = &variant;
        m_switchOn = f;
    }
}

GeneRef FindActivePose(const Genome& genome, int poseNumber, int stage) {
    ActivePosePicker picker(stage);
    for (GeneCursor cur(genome, 0, kCreatureGeneType, kPoseSubtype); !cur.AtEnd(); cur.Advance())
        if (GeneNumber(*cur) == poseNumber && !cur->data.empty()) picker.Offer(cur.Ref());
    return picker.Result();
}

std::vector<GaitStepPose> ResolveGaitSteps(const Genome& genome, const Gene& gait, int stage) {
    std::vector<GaitStepPose> steps;
    for (int number : GaitStepsOf(gait)) {
        GaitStepPose& step = steps.emplace_back();
        step.poseNumber = number;
        if (number == 0) continue;
        if (const GeneRef pose = FindActivePose(genome, number, stage)) {
            std::string text = PoseStringOf(*pose);
            text.resize(kPoseStringLength, '0');
            step.poseString = std::move(text);
        }
    }
    return steps;
}

}  // namespace mirtala
