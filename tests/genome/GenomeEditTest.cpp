// The genome's list operations, the shared gene handle and the read-back
// check that saving relies on.
#include "editor/genome/Genome.h"

#include <gtest/gtest.h>

namespace mirtala {
namespace {

TEST(GenomeEdit, FreeIdTakesTheSmallestGapPerKind) {
    Genome g;
    EXPECT_EQ(g.FreeId(2, 3), 1);
    for (std::uint8_t id : {1, 2, 4}) g.Append(Gene{{2, 3, id}});
    g.Append(Gene{{2, 4, 3}});  // other kinds do not count
    g.Append(Gene{{3, 3, 3}});
    g.Append(Gene{{2, 3, 0}});  // id 0 is never handed out and changes nothing
    EXPECT_EQ(g.FreeId(2, 3), 3);
    EXPECT_EQ(g.FreeId(2, 4), 1);
}

TEST(GenomeEdit, ReplaceAndRemoveActOnTheFirstOfDuplicateKeys) {
    Genome g;
    GeneRef first = g.Append(Gene{{2, 3, 5}, {1}});
    GeneRef second = g.Append(Gene{{2, 3, 5}, {2}});
    g.Append(Gene{{2, 4, 5}, {3}});

    Gene old = g.Replace(Gene{{2, 3, 5}, {9, 9}});
    EXPECT_EQ(old.data, std::vector<std::uint8_t>{1});
    EXPECT_EQ(first->data, (std::vector<std::uint8_t>{9, 9}));  // in place: every holder sees it
    EXPECT_EQ(second->data, std::vector<std::uint8_t>{2});

    GeneRef removed = g.Remove({2, 3, 5});
    EXPECT_TRUE(removed == first);
    ASSERT_EQ(g.Count(), 2u);
    EXPECT_TRUE(g.At(0) == second);
    EXPECT_EQ(first->data, (std::vector<std::uint8_t>{9, 9}));  // still alive through the handle
}

// Which genes are unfaithful, and why, is the genome check's test; here what
// the check predicts is what reading does: the gene splits in two.
TEST(GenomeWrite, AnUnfaithfulGeneReadsBackSplit) {
    Genome split;
    split.Append(Gene{{2, 3, 1}, {'a', 'g', 'e', 'n', 'e', 1, 2, 3, 4, 5, 6, 7, 8}});
    ASSERT_TRUE(split.FindUnfaithfulGene());
    const auto bytes = split.Serialize();
    Genome back;
    back.ReadBytes(bytes);
    ASSERT_EQ(back.Count(), 2u);
    EXPECT_EQ(back.At(1)->header, (GeneHeader{1, 2, 3, 4, 5, 6, 7}));
}

}  // namespace
}  // namespace mirtala
