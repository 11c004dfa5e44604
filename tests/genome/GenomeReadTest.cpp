// Reading genome files: every token rule, the warnings in order, and byte-exact
// round trips of random genomes.
#include "editor/genome/Genome.h"
#include "fixtures/TempDir.h"

#include <gtest/gtest.h>

#include <random>

namespace mirtala {
namespace {

using test::TempDir;

std::string H(std::initializer_list<int> header) {
    std::string s;
    for (int b : header) s.push_back(static_cast<char>(b));
    return s;
}

const std::string kTok = "Expected token 'gene' or 'gend'.";
const std::string kHdr = "Gene does not contain header.";
const std::string kNot = "Not a genome File.";

struct ReadCase {
    const char* name;
    std::string file;
    ReadStatus status;
    std::vector<std::string> warnings;
    std::vector<std::string> records;  // header bytes then data, per gene
};

class ReadRules : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadRules, GenesAndWarnings) {
    const ReadCase& c = GetParam();
    Genome g;
    std::vector<std::string> warnings, records;
    EXPECT_EQ(g.ReadBytes({reinterpret_cast<const std::uint8_t*>(c.file.data()), c.file.size()},
                          [&](std::string_view w) { warnings.emplace_back(w); }),
              c.status);
    for (const GeneRef& r : g.Genes()) {
        const auto h = r->header.Bytes();
        records.push_back(std::string(h.begin(), h.end()) + std::string(r->data.begin(), r->data.end()));
    }
    EXPECT_EQ(warnings, c.warnings);
    EXPECT_EQ(records, c.records);
}

const std::string A = H({2, 3, 1, 0, 0, 0, 0}) + "x0123";
const std::string B = H({2, 4, 9, 5, 6, 7, 8});

INSTANTIATE_TEST_SUITE_P(
    Tokens, ReadRules,
    ::testing::Values(
        ReadCase{"EmptyGenome", "dna2gend", ReadStatus::Ok, {kTok, kHdr}, {}},
        ReadCase{"MagicOnly", "dna2", ReadStatus::Ok, {kTok, kHdr}, {}},
        ReadCase{"ShorterThanMagic", "dna", ReadStatus::NotGenome, {kNot}, {}},
        ReadCase{"OneByteOff", "dnb2gene" + A + "gend", ReadStatus::NotGenome, {kNot}, {}},
        ReadCase{"TwoGenes", "dna2gene" + A + "gene" + B + "gend", ReadStatus::Ok, {}, {A, B}},
        ReadCase{"AnyFirstToken", "dna2ABCD" + A + "gend", ReadStatus::Ok, {}, {A}},
        ReadCase{"NoClosingToken", "dna2gene" + A + "gene" + B + "tail", ReadStatus::Ok, {kTok}, {A, B + "tail"}},
        ReadCase{"TwoTokensInARow", "dna2genegene" + A + "gend", ReadStatus::Ok, {kHdr}, {A}},
        ReadCase{"SixBytesIsNoHeader", "dna2gene" + H({1, 2, 3, 4, 5, 6}) + "gene" + A + "gend", ReadStatus::Ok,
                 {kHdr}, {A}},
        ReadCase{"SevenBytesIsEmptyData", "dna2gene" + B + "gend", ReadStatus::Ok, {}, {B}},
        ReadCase{"BytesAfterGendIgnored", "dna2gene" + A + "gendjunk", ReadStatus::Ok, {}, {A}},
        ReadCase{"GeneAfterGendJoinsData", "dna2gene" + A + "gendjunkgene" + B, ReadStatus::Ok, {kTok},
                 {A + "gendjunk", B}},
        ReadCase{"GeneAfterGendThenGend", "dna2gene" + A + "gendxgene" + B + "gend", ReadStatus::Ok, {},
                 {A + "gendx", B}},
        ReadCase{"ShortLastStretch", "dna2gene" + A + "geneab", ReadStatus::Ok, {kTok, kHdr}, {A}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GenomeRead, AppendsToWhatIsThereAndLeavesItOnFailure) {
    TempDir dir;
    Genome g;
    ASSERT_TRUE(g.Read(dir.Write("a.gen", "dna2gene" + A + "gend")));
    ASSERT_TRUE(g.Read(dir.Write("b.gen", "dna2gene" + B + "gend")));
    EXPECT_EQ(g.Count(), 2u);
    EXPECT_FALSE(g.Read(dir.Write("c.gen", "nope")));
    EXPECT_EQ(g.Count(), 2u);
    // A missing file fails silently: the caller reports it in its own words.
    std::vector<std::string> warnings;
    EXPECT_EQ(g.ReadFile(dir.File("missing.gen"), [&](std::string_view w) { warnings.emplace_back(w); }),
              ReadStatus::CannotOpen);
    EXPECT_TRUE(warnings.empty());
}

// Random genomes whose genes hold no token read back and write out byte for byte.
TEST(GenomeRoundTrip, RandomGenomesAreReproducedExactly) {
    std::mt19937 rng(12345);
    TempDir dir;
    // Bytes from a small alphabet make near-tokens ("gen", "gend" split) common.
    const std::string alphabet("gend\0\xffx", 7);
    for (int round = 0; round < 200; ++round) {
        std::string file = "dna2";
        for (int i = 0, genes = 1 + static_cast<int>(rng() % 11); i < genes;) {
            std::string rec(7 + rng() % 40, ' ');
            for (char& c : rec) c = alphabet[rng() % alphabet.size()];
            if (rec.find("gene") == std::string::npos && (i + 1 < genes || rec.find("gend") == std::string::npos)) {
                file += "gene" + rec;
                ++i;
            }
        }
        file += "gend";
        const std::string in = dir.Write("in.gen", file);
        Genome g;
        ASSERT_TRUE(g.Read(in));
        EXPECT_FALSE(g.FindUnfaithfulGene().has_value());
        const std::string out = dir.File("out.gen");
        ASSERT_TRUE(g.Write(out));
        ASSERT_EQ(test::ReadFileBytes(out), file) << "round " << round;
    }
}

}  // namespace
}  // namespace mirtala
