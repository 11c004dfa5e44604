// The gene kinds the editor interprets: genus, appearance, pose and gait genes,
// the variant of a pose shown at a life stage, and fresh pose and gait genes.
#pragma once

#include "editor/genome/Genome.h"

#include <bitset>
#include <optional>
#include <string>

namespace mirtala {

inline constexpr std::uint8_t kCreatureGeneType = 2;
inline constexpr std::uint8_t kGenusSubtype = 1;
inline constexpr std::uint8_t kAppearanceSubtype = 2;
inline constexpr std::uint8_t kPoseSubtype = 3;
inline constexpr std::uint8_t kGaitSubtype = 4;

inline constexpr std::size_t kPoseStringLength = 15;
inline constexpr std::size_t kGaitStepCount = 8;
inline constexpr std::size_t kPoseDataSize = 1 + kPoseStringLength;
inline constexpr std::size_t kGaitDataSize = 1 + kGaitStepCount;

inline bool IsPoseGene(const Gene& g) { return g.header.type == kCreatureGeneType && g.header.subtype == kPoseSubtype; }
inline bool IsGaitGene(const Gene& g) { return g.header.type == kCreatureGeneType && g.header.subtype == kGaitSubtype; }

// Data byte 0 of a pose or gait gene; 0 when the gene has no data.
int GeneNumber(const Gene& gene);
// Data bytes 1 to 15 of a pose gene, as many as exist, one character per byte.
std::string PoseStringOf(const Gene& gene);
// Data bytes 1 to 8 of a gait gene, as many as exist.
std::vector<int> GaitStepsOf(const Gene& gene);

// The pose numbers (kPoseSubtype) or gait numbers (kGaitSubtype) that at
// least one gene of the genome carries in its data byte 0.
std::bitset<256> UsedNumbers(const Genome& genome, std::uint8_t subtype);
// The lowest number not in `used`; 256 when all are.
int LowestFreeNumber(const std::bitset<256>& used);

// "Embryo" to "Senile" for 0 to 6; "Senile" above 6 (and "Embryo" below 0).
const char* LifeStageName(int stage);

// The variant of pose `poseNumber` shown at life stage `stage`; empty when none.
GeneRef FindActivePose(const Genome& genome, int poseNumber, int stage);

// The rule FindActivePose applies, for callers that have already gathered
// the variants of one pose: offer them in genome order, then take Result().
// The handles offered must outlive the picker (they are kept by address).
class ActivePosePicker {
public:
    explicit ActivePosePicker(int stage) : m_stage(stage) {}
    void Offer(const GeneRef& variant);
    GeneRef Result() const { return m_best ? *m_best : GeneRef(); }

private:
    int m_stage;
    int m_switchOn = 100;
    const GeneRef* m_best = nullptr;
};

// One step of a gait as it shows at a life stage.
struct GaitStepPose {
    int poseNumber = 0;  // 0: an empty step
    // The pose string of the pose's active variant, fifteen characters, '0'
    // for those a short gene lacks (which draw as 0 anyway); none for an
    // empty step and for a number no pose gene carries.
    std::optional<std::string> poseString;
};
// The steps of a gait gene (data bytes 1 to 8, as many as exist), each
// resolved with FindActivePose at life stage `stage`. The gait dialog and the
// command line's renderer show a gait through this.
std::vector<GaitStepPose> ResolveGaitSteps(const Genome& genome, const Gene& gait, int stage);

}  // namespace mirtala
