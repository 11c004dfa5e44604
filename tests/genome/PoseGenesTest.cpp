// Genus and appearance queries, the choice of a pose variant for a life stage,
// a gait's steps resolved at a stage, and reading short pose and gait genes.
#include "editor/genome/PoseGenes.h"

#include <gtest/gtest.h>

#include <array>

namespace mirtala {
namespace {

Gene Make(std::uint8_t subtype, std::uint8_t id, std::vector<std::uint8_t> data, std::uint8_t switchOn = 0) {
    return Gene{{2, subtype, id, 0, switchOn}, std::move(data)};
}

TEST(GeneQueries, GenusIsTheLastGenusGeneAndAppearanceTheFirstGeneOfTheRegion) {
    Genome g;
    EXPECT_EQ(g.Genus(), 0);
    for (std::uint8_t genus : {1, 2}) g.Append(Make(kGenusSubtype, genus, {genus}));
    EXPECT_EQ(g.Genus(), 2);
    std::uint8_t id = 0;  // region, variant, genus; the third is short: its missing bytes read as zeros
    for (const auto& data : {std::vector<std::uint8_t>{0, 3, 1}, {0, 5, 2}, {2}, {3, 7}})
        g.Append(Make(kAppearanceSubtype, ++id, data));
    const struct {
        int region, genus, variant;
        bool found;
    } rows[] = {{0, 1, 3, true}, {2, 0, 0, true}, {3, 0, 7, true}, {4, 0, 0, false}};
    for (const auto& row : rows) {
        int genus = -1, variant = -1;
        EXPECT_EQ(g.GetAppearance(row.region, genus, variant), row.found) << row.region;
        EXPECT_EQ(genus, row.genus) << row.region;
        EXPECT_EQ(variant, row.variant) << row.region;
    }
}

TEST(ActivePose, PicksTheVariantForTheStage) {
    // One pose-5 variant per switch-on time, id = position + 1; the id expected, 0 for none.
    const struct {
        std::vector<int> switchOns;
        int stage, expectedId;
    } cases[] = {{{0, 2, 4}, 3, 2}, {{0, 2, 4}, 4, 3}, {{2, 2}, 2, 2},  // exact match: the later one
                 {{2, 2}, 5, 1},                                        // below: the first of the greatest
                 {{6, 4, 4}, 1, 2},                                     // above: the first of the smallest
                 {{100}, 3, 0},     {{100}, 100, 1},   {{}, 0, 0}};     // past Senile: only at that very stage
    for (const auto& c : cases) {
        Genome g;
        g.Append(Make(kPoseSubtype, 100, {6, '0'}, static_cast<std::uint8_t>(c.stage)));  // another pose
        std::uint8_t id = 0;
        for (int switchOn : c.switchOns)
            g.Append(Make(kPoseSubtype, ++id, {5, '0'}, static_cast<std::uint8_t>(switchOn)));
        GeneRef r = FindActivePose(g, 5, c.stage);
        EXPECT_EQ(r ? r->header.id : 0, c.expectedId) << "stage " << c.stage << " of " << c.switchOns.size();
    }
}

// What the gait dialog's pictures and the command line's renders show.
TEST(GaitSteps, EachStepIsItsPosesVariantOfTheStage) {
    Genome g;
    g.Append(Make(kPoseSubtype, 1, {5, '2', '1'}));  // short: the rest reads as '0'
    std::vector<std::uint8_t> raised(16, '3');
    raised[0] = 5;
    g.Append(Make(kPoseSubtype, 2, raised, 4));
    const GeneRef gait = g.Append(Make(kGaitSubtype, 3, {1, 5, 0, 99, 5}));  // four steps only
    using Step = std::pair<int, std::optional<std::string>>;
    const struct {
        int stage;
        std::string pose5;
    } cases[] = {{3, "210000000000000"}, {4, std::string(15, '3')}};
    for (const auto& c : cases) {
        std::vector<Step> steps;
        for (const GaitStepPose& s : ResolveGaitSteps(g, *gait, c.stage))
            steps.emplace_back(s.poseNumber, s.poseString);
        EXPECT_EQ(steps, (std::vector<Step>{{5, c.pose5}, {0, std::nullopt}, {99, std::nullopt}, {5, c.pose5}}))
            << "stage " << c.stage;
    }
}

// Short pose genes are the dump's and the pose dialog's to read; life stage names the form view's.
TEST(GeneQueries, ShortGenesReadOnlyTheBytesThereAre) {
    EXPECT_EQ(GaitStepsOf(Make(kGaitSubtype, 1, {1, 2})), std::vector<int>{2});
    EXPECT_EQ(GeneNumber(Make(kGaitSubtype, 1, {})), 0);
}

}  // namespace
}  // namespace mirtala
