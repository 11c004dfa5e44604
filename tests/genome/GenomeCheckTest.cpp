// The genome check on crafted genome files: each finding, the genes they
// name, and what a sound genome yields.
#include "editor/genome/GenomeCheck.h"

#include "editor/genome/PoseGenes.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>

namespace mirtala {
namespace {

struct RawGene {
    std::uint8_t subtype, id, switchOn;
    std::string data;  // as bytes
    std::uint8_t type = kCreatureGeneType;
};

// The file's bytes, read as the editor reads a file.
void ReadCrafted(Genome& genome, const std::vector<RawGene>& genes) {
    std::string file = "dna2";
    for (const RawGene& g : genes) {
        file += "gene";
        file += std::string{char(g.type), char(g.subtype), char(g.id), 0, char(g.switchOn), 0, 0};
        file += g.data;
    }
    file += "gend";
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(file.data());
    ASSERT_EQ(genome.ReadBytes({bytes, file.size()}), ReadStatus::Ok);
}

std::string Pose(int number) { return std::string(1, char(number)) + std::string(15, '1'); }
std::string Gait(int number, std::string steps) { return std::string(1, char(number)) + steps; }

using Names = std::map<unsigned, std::string>;

struct CheckCase {
    const char* what;
    std::vector<RawGene> genes;
    std::optional<Names> names;             // none: names are not checked
    std::vector<std::string> problems;      // in order
    std::vector<std::string> information;   // in order
    std::vector<std::size_t> problemGenes;  // the genes' positions, when checked
};

const CheckCase kCases[] = {
    {.what = "sound genome",
     .genes = {{3, 1, 0, Pose(1)}, {3, 2, 4, Pose(1)}, {4, 1, 0, Gait(7, {1, 0, 1, 0, 0, 0, 0, 0})}},
     .names = Names{{1, "Stand"}, {256 + 7, "Walk"}}},
    {.what = "gait step naming a pose with no gene, another active only far past Senile",
     .genes = {{3, 1, 120, Pose(12)}, {4, 1, 0, Gait(3, {0, 0, 0, 0, 12, 9, 0, 0})}, {3, 2, 6, Pose(5)}},
     .problems = {"gait 3 step 5: pose 12 has no gene active at Embryo, Child, Adolescent, Youth, Adult, Old, Senile",
                  "gait 3 step 6: pose 9 has no gene active at Embryo, Child, Adolescent, Youth, Adult, Old, Senile"},
     .information = {"pose 5 is used by no gait"},
     .problemGenes = {1, 1}},
    {.what = "names: default digits and empty names are missing, gait names per number",
     .genes = {{3, 1, 0, Pose(1)},
               {3, 2, 0, Pose(2)},
               {3, 3, 0, Pose(3)},
               {4, 1, 0, Gait(4, {1, 2, 3, 0, 0, 0, 0, 0})},
               {4, 2, 0, Gait(4, {1, 0, 0, 0, 0, 0, 0, 0})},
               {4, 3, 0, Gait(5, {1, 0, 0, 0, 0, 0, 0, 0})}},
     .names = Names{{1, "Sit"}, {2, "2"}, {3, ""}, {256 + 4, "4"}, {256 + 5, "Run"}},
     .problems = {"pose 2 has no name", "pose 3 has no name", "gait 4 has no name"},
     .problemGenes = {1, 2, 3}},
    {.what = "variants with one switch-on time, reported on the later gene",
     .genes = {{3, 1, 2, Pose(5)},
               {3, 2, 4, Pose(5)},
               {3, 3, 2, Pose(5)},
               {3, 4, 200, Pose(5)},
               {3, 5, 200, Pose(5)},
               {4, 1, 0, Gait(1, {5, 0, 0, 0, 0, 0, 0, 0})}},
     .problems = {"pose 5: variants with ids 1 and 3 both switch on at Adolescent",
                  "pose 5: variants with ids 4 and 5 both switch on at switch-on time 200"},
     .problemGenes = {2, 4}},
    {.what = "short pose and gait genes say what they lack",
     .genes = {{3, 1, 0, std::string{char(5)} + "123456789"},
               {3, 2, 0, std::string(15, char(6))},
               {3, 3, 0, ""},
               {4, 1, 0, Gait(2, {5, 6, 0, 0, 0})},
               {4, 2, 0, Gait(3, {5, 6, 0, 0, 0, 0, 0})},
               {4, 3, 0, ""}},
     .problems = {"pose 5 (id 1) is short: it lacks characters 10 to 15 of its pose string",
                  "pose 6 (id 2) is short: it lacks character 15 of its pose string",
                  "pose gene (id 3) has no data: it lacks its pose number and its pose string",
                  "gait 2 (id 1) is short: it lacks steps 6 to 8", "gait 3 (id 2) is short: it lacks step 8",
                  "gait gene (id 3) has no data: it lacks its gait number and its steps"},
     .problemGenes = {0, 1, 2, 3, 4, 5}},
};

TEST(GenomeCheck, FindsWhatEachCraftedGenomeHolds) {
    for (const CheckCase& c : kCases) {
        Genome genome;
        ReadCrafted(genome, c.genes);
        NameLookup lookup;
        if (c.names) {
            lookup = [&names = *c.names](unsigned entry) {
                const auto it = names.find(entry);
                return it == names.end() ? std::string("Named") : it->second;
            };
        }
        std::vector<std::string> problems, information;
        std::vector<std::size_t> problemGenes;
        for (const Finding& f : CheckGenome(genome, lookup)) {
            EXPECT_EQ(f.gene, genome.At(f.index)->Key()) << c.what;
            if (f.kind == FindingKind::Information) {
                information.push_back(f.text);
                continue;
            }
            EXPECT_TRUE(information.empty()) << c.what << ": problems come first";
            problems.push_back(f.text);
            problemGenes.push_back(f.index);
        }
        EXPECT_EQ(problems, c.problems) << c.what;
        EXPECT_EQ(information, c.information) << c.what;
        if (!c.problemGenes.empty()) {
            EXPECT_EQ(problemGenes, c.problemGenes) << c.what;
        }
    }
}

// A gene whose bytes hold a token reads back differently, so saving refuses
// it; the check names every such gene, where saving stops at the first.
TEST(GenomeCheck, NamesEveryGeneThatWouldNotReadBack) {
    Genome genome;
    genome.Append(
        Gene{{2, 3, 1, 0, 0}, {5, 'g', 'e', 'n', 'e', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0'}});
    genome.Append(Gene{{1, 0, 2, 0, 0}, {'g', 'e', 'n', 'e'}});
    genome.Append(Gene{{1, 0, 4, 0, 0, 0, 'g'}, {'e', 'n', 'e', 'x'}});  // across header and data
    genome.Append(Gene{{1, 0, 5, 0, 0, 0, 'g'}, {'e', 'n'}});            // sound: the token is cut
    genome.Append(Gene{{2, 4, 3, 0, 0}, {1, 5, 0, 0, 0, 0, 0, 0, 0, 'g', 'e', 'n', 'd'}});
    ASSERT_TRUE(genome.FindUnfaithfulGene());
    std::vector<std::string> texts;
    for (const Finding& f : CheckGenome(genome))
        if (f.kind == FindingKind::Problem) texts.push_back(f.text);
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "pose 5 (id 1): cannot be saved: its bytes contain \"gene\", which would split it in two",
                         "gene 1/0 (id 2): cannot be saved: its bytes contain \"gene\", which would split it in two",
                         "gene 1/0 (id 4): cannot be saved: its bytes contain \"gene\", which would split it in two",
                         "gait 1 (id 3): cannot be saved: it is the last gene and its bytes contain \"gend\", which "
                         "would cut it short"}));
    EXPECT_TRUE(HasProblems(CheckGenome(genome)));
}

}  // namespace
}  // namespace mirtala
