// Genes on the clipboard: the block layout, the QClipboard round trip, blocks
// that are too short or of another format.
#include "DocTestSupport.h"
#include "editor/document/GeneBlock.h"
#include "editor/document/GeneClipboard.h"

#include <QClipboard>
#include <QMimeData>

namespace mirtala::test {
namespace {

Gene WithReservedBytes(Gene g) {
    g.header = GeneHeader{g.header.type, g.header.subtype, g.header.id, 0xA3, 4, 0xA5, 0xA6};
    return g;
}

using GeneClipboard = DocTest;

TEST_F(GeneClipboard, PoseGaitAndEmptyGenesAreHeaderThenDataAndComeBackWhole) {
    const struct {
        Gene gene;
        std::size_t blockSize;
    } cases[] = {{WithReservedBytes(PoseGene(7, 33, "X?!012345012345")), 23},
                 {WithReservedBytes(GaitGene(9, 201)), 16},
                 {Gene{GeneHeader{1, 2, 3, 4, 5, 6, 7}, {}}, 7}};
    for (const auto& c : cases) {
        const Gene& gene = c.gene;
        const std::vector<std::uint8_t> block = BlockFromGene(gene);
        ASSERT_EQ(block.size(), c.blockSize);
        const auto header = gene.header.Bytes();
        EXPECT_TRUE(std::equal(header.begin(), header.end(), block.begin()));
        EXPECT_TRUE(std::equal(gene.data.begin(), gene.data.end(), block.begin() + 7));
        Gene back{GeneHeader{}, std::vector<std::uint8_t>(24, 0xEE)};
        ASSERT_TRUE(GeneFromBlock(block, back));
        EXPECT_EQ(back, gene);

        ASSERT_TRUE(CopyToClipboard(gene));
        EXPECT_TRUE(CanPaste());
        // Pasting reads this block back (the desktop and cut tests paste it).
        EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->data("MirtalaGene"),
                  QByteArray(reinterpret_cast<const char*>(block.data()), qsizetype(block.size())));
    }
}

TEST_F(GeneClipboard, ShortAndForeignBlocksAreRefusedAndChangeNothing) {
    const Gene before = PoseGene(5, 6);
    Gene gene = before;
    for (int size = 0; size < 7; ++size) {
        EXPECT_FALSE(GeneFromBlock(std::vector<std::uint8_t>(std::size_t(size), 0x02), gene)) << size;
        auto* mime = new QMimeData;
        mime->setData("MirtalaGene", QByteArray(size, '\x02'));
        QGuiApplication::clipboard()->setMimeData(mime);
        EXPECT_TRUE(CanPaste());  // the format is there, but it holds no gene
        EXPECT_FALSE(PasteFromClipboard(gene)) << size;
        EXPECT_EQ(gene, before);
    }
    QGuiApplication::clipboard()->setText("gene");
    EXPECT_FALSE(CanPaste());
    EXPECT_FALSE(PasteFromClipboard(gene));
    EXPECT_EQ(gene, before);
    ASSERT_TRUE(CopyToClipboard(gene));
    EmptyClipboard();
    EXPECT_FALSE(CanPaste());
}

}  // namespace
}  // namespace mirtala::test
