// Genes on the clipboard: the block layout, the QClipboard round trip, blocks
// that are too short or of another format, and Cut followed by Undo.
#include "DocTestSupport.h"
#include "editor/document/GeneBlock.h"
#include "editor/document/GeneClipboard.h"
#include "editor/document/MessageService.h"

#include <QClipboard>
#include <QMimeData>

#include <gtest/gtest.h>

namespace mirtala {
namespace {

using namespace test;

struct BlockCase {
    const char* name;
    Gene gene;
    std::size_t size;
};
class BlockTest : public ::testing::TestWithParam<BlockCase> {
protected:
    void SetUp() override { EnsureApplication(); }
};

TEST_P(BlockTest, HeaderThenDataAndBackAgain) {
    const Gene& gene = GetParam().gene;
    const std::vector<std::uint8_t> block = BlockFromGene(gene);
    ASSERT_EQ(block.size(), GetParam().size);
    const auto header = gene.header.Bytes();
    EXPECT_TRUE(std::equal(header.begin(), header.end(), block.begin()));
    EXPECT_TRUE(std::equal(gene.data.begin(), gene.data.end(), block.begin() + 7));
    Gene back;
    back.data = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};
    ASSERT_TRUE(GeneFromBlock(block, back));
    EXPECT_EQ(back, gene);

    // The same through the application's clipboard.
    ASSERT_TRUE(CopyToClipboard(gene));
    EXPECT_TRUE(CanPaste());
    const QByteArray raw = QGuiApplication::clipboard()->mimeData()->data("MirtalaGene");
    EXPECT_EQ(raw, QByteArray(reinterpret_cast<const char*>(block.data()), static_cast<qsizetype>(block.size())));
    Gene pasted;
    ASSERT_TRUE(PasteFromClipboard(pasted));
    EXPECT_EQ(pasted, gene);
}

Gene WithReservedBytes(Gene g) {
    g.header.reserved3 = 0xA3;
    g.header.reserved5 = 0xA5;
    g.header.reserved6 = 0xA6;
    g.header.switchOn = 4;
    return g;
}

INSTANTIATE_TEST_SUITE_P(Genes, BlockTest,
                         ::testing::Values(BlockCase{"Pose", WithReservedBytes(PoseGene(7, 33, 4, "X?!012345012345")), 23},
                                           BlockCase{"Gait", WithReservedBytes(GaitGene(9, 201)), 16},
                                           BlockCase{"NoData", Gene{GeneHeader{1, 2, 3, 4, 5, 6, 7}, {}}, 7}),
                         [](const auto& info) { return std::string(info.param.name); });

class ShortBlockTest : public ::testing::TestWithParam<int> {};

TEST_P(ShortBlockTest, IsRejectedAndChangesNothing) {
    EnsureApplication();
    const std::vector<std::uint8_t> block(static_cast<std::size_t>(GetParam()), 0x02);
    const Gene before = PoseGene(5, 6);
    Gene gene = before;
    EXPECT_FALSE(GeneFromBlock(block, gene));
    EXPECT_EQ(gene, before);

    auto* mime = new QMimeData;
    mime->setData("MirtalaGene", QByteArray(GetParam(), '\x02'));
    QGuiApplication::clipboard()->setMimeData(mime);
    EXPECT_TRUE(CanPaste());  // the format is there, but it holds no gene
    EXPECT_FALSE(PasteFromClipboard(gene));
    EXPECT_EQ(gene, before);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ShortBlockTest, ::testing::Range(0, 7));

TEST(GeneClipboard, OtherFormatsAndAnEmptyClipboardOfferNoGene) {
    EnsureApplication();
    QGuiApplication::clipboard()->setText("gene");
    EXPECT_FALSE(CanPaste());
    Gene gene = GaitGene(1, 2);
    EXPECT_FALSE(PasteFromClipboard(gene));
    EXPECT_EQ(gene, GaitGene(1, 2));

    ASSERT_TRUE(CopyToClipboard(gene));
    EmptyClipboard();
    EXPECT_FALSE(CanPaste());
}

TEST(GeneClipboard, CutThenUndoRestoresTheGeneAndKeepsTheClipboard) {
    EnsureApplication();
    RecordingMessageService messages;
    ScopedMessageService useMessages(messages);
    TempDir dir;
    CMirtalaDoc doc;
    ASSERT_TRUE(OpenWithGenes(doc, dir, {PoseGene(1, 3), GaitGene(1, 4), PoseGene(2, 5)}));
    const Gene cut = *doc.GetGenome().At(0);

    // Cut as the view does it: copy, then one undoable removal.
    ASSERT_TRUE(CopyToClipboard(cut));
    doc.RemoveGene(cut);
    EXPECT_EQ(doc.GetGenome().Count(), 2u);
    doc.Undo();
    ASSERT_EQ(doc.GetGenome().Count(), 3u);
    EXPECT_EQ(*doc.GetGenome().At(2), cut);
    Gene onClipboard;
    ASSERT_TRUE(PasteFromClipboard(onClipboard));
    EXPECT_EQ(onClipboard, cut);
}

}  // namespace
}  // namespace mirtala
