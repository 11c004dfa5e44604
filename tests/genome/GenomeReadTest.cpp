// Reading genome files: every token rule, the warnings in order, and a byte-exact
// round trip of genes that hold near-tokens.
#include "editor/genome/Genome.h"
#include "fixtures/TempDir.h"

#include <gtest/gtest.h>

namespace mirtala {
namespace {

using test::TempDir;

const std::string kTok = "Expected token 'gene' or 'gend'.";
const std::string kHdr = "Gene does not contain header.";
const std::string kNot = "Not a genome File.";

struct ReadCase {
    const char* name;
    std::string file;
    ReadStatus status;
    std::vector<std::string> warnings;
    std::vector<std::string> records;  // per gene: its header bytes, then its data
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

const std::string A = std::string{2, 3, 1, 0, 0, 0, 0} + "x0123";
const std::string B{2, 4, 9, 5, 6, 7, 8};

INSTANTIATE_TEST_SUITE_P(
    Tokens, ReadRules,
    ::testing::Values(
        ReadCase{"EmptyGenome", "dna2gend", ReadStatus::Ok, {kTok, kHdr}, {}},
        ReadCase{"MagicOnly", "dna2", ReadStatus::Ok, {kTok, kHdr}, {}},
        ReadCase{"ShorterThanMagic", "dna", ReadStatus::NotGenome, {kNot}, {}},
        ReadCase{"OneByteOff", "dnb2gene" + A + "gend", ReadStatus::NotGenome, {kNot}, {}},
        ReadCase{"TwoGenesTheLastOfSevenBytesWithEmptyData",
                 "dna2gene" + A + "gene" + B + "gend",
                 ReadStatus::Ok,
                 {},
                 {A, B}},
        ReadCase{"AnyFirstToken", "dna2ABCD" + A + "gend", ReadStatus::Ok, {}, {A}},
        ReadCase{"NoClosingToken", "dna2gene" + A + "gene" + B + "tail", ReadStatus::Ok, {kTok}, {A, B + "tail"}},
        ReadCase{"TwoTokensInARow", "dna2genegene" + A + "gend", ReadStatus::Ok, {kHdr}, {A}},
        ReadCase{"SixBytesIsNoHeader",
                 "dna2gene" + std::string{1, 2, 3, 4, 5, 6} + "gene" + A + "gend",
                 ReadStatus::Ok,
                 {kHdr},
                 {A}},
        ReadCase{"BytesAfterGendIgnored", "dna2gene" + A + "gendjunk", ReadStatus::Ok, {}, {A}},
        ReadCase{
            "GeneAfterGendJoinsData", "dna2gene" + A + "gendjunkgene" + B, ReadStatus::Ok, {kTok}, {A + "gendjunk", B}},
        ReadCase{
            "GeneAfterGendThenGend", "dna2gene" + A + "gendxgene" + B + "gend", ReadStatus::Ok, {}, {A + "gendx", B}},
        ReadCase{"EmptyLastGeneEndsTheFile", "dna2gene" + A + "genegend", ReadStatus::Ok, {kHdr}, {A}},
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

// Genes holding near-tokens ("gen", bytes 0 and 0xFF, "gend" before the last gene) read back and
// write out byte for byte.
TEST(GenomeRoundTrip, NearTokensAreReproducedExactly) {
    TempDir dir;
    const std::string file = "dna2gene" + A + "gengendx\xffge" + "gene" + B + std::string("ge\0n", 4) + "gene" +
                             std::string{0, 0, 0, 0, 0, 0, 0} + "ggen" + "gend";
    Genome g;
    ASSERT_TRUE(g.Read(dir.Write("in.gen", file)));
    ASSERT_EQ(g.Count(), 3u);
    EXPECT_FALSE(g.FindUnfaithfulGene().has_value());
    ASSERT_TRUE(g.Write(dir.File("out.gen")));
    EXPECT_EQ(test::ReadFileBytes(dir.File("out.gen")), file);
}

}  // namespace
}  // namespace mirtala
