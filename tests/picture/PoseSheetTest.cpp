// The pose sheet: its cells against FindActivePose in every order of the
// genome, the lighter-cell rule and empty stages; and its export, whose cells
// must be the control's own drawing pixel for pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "editor/picture/PoseSheet.h"
#include "picture/WalkTestSupport.h"

namespace mirtala {
namespace {

Gene Pose(std::uint8_t id, int number, std::uint8_t switchOn, char fill) {
    std::vector<std::uint8_t> data(kPoseDataSize, std::uint8_t(fill));
    data[0] = std::uint8_t(number);
    return Gene{{kCreatureGeneType, kPoseSubtype, id, 0, switchOn}, std::move(data)};
}

// Pose 5 has variants switching on at stages 3, 1 and 5 and one at 150, which
// never shows; pose 9 has only one at 150: a row of empty stages.
constexpr std::array<int, 4> kSwitchOns = {3, 1, 5, 150};

TEST(PoseSheetModel, CellsAreTheActiveVariantInEveryOrderOfTheGenome) {
    struct Stage {
        int switchOn;
        bool sameAsLeft;
    };
    // Before the earliest switch-on the earliest variant shows.
    const std::array<Stage, 7> expected = {
        {{1, false}, {1, true}, {1, true}, {3, false}, {3, true}, {5, false}, {5, true}}};
    std::array<int, 4> order = {0, 1, 2, 3};
    do {
        Genome genome;
        genome.Append(Pose(20, 9, 150, '1'));
        for (int k : order) genome.Append(Pose(std::uint8_t(k + 1), 5, std::uint8_t(kSwitchOns[std::size_t(k)]), '2'));
        const PoseSheetModel model = BuildPoseSheet(genome);
        ASSERT_EQ(model.rows.size(), 2u);
        EXPECT_EQ(model.RowOf(9), 1);
        const PoseSheetRow& row = model.rows[std::size_t(model.RowOf(5))];
        ASSERT_EQ(row.cells.size(), 7u);
        for (int stage = 0; stage < 7; ++stage) {
            const PoseSheetCell& cell = row.cells[std::size_t(stage)];
            ASSERT_TRUE(cell.gene) << stage;
            EXPECT_TRUE(cell.gene == FindActivePose(genome, 5, stage)) << stage;
            EXPECT_EQ(cell.gene->header.switchOn, expected[std::size_t(stage)].switchOn) << "stage " << stage;
            EXPECT_EQ(cell.sameAsLeft, expected[std::size_t(stage)].sameAsLeft) << "stage " << stage;
        }
        for (const PoseSheetCell& cell : model.rows[1].cells) EXPECT_FALSE(cell.gene);
    } while (std::next_permutation(order.begin(), order.end()));
}

TEST(PoseSheetModel, StagesAreClampedAndARowCoversOnlyThem) {
    Genome genome;
    genome.Append(Pose(1, 5, 3, '2'));
    const PoseSheetModel model = BuildPoseSheet(genome, -2, 3);
    EXPECT_EQ(model.firstStage, 0);
    EXPECT_EQ(model.StageCount(), 4);
    EXPECT_FALSE(model.rows[0].cells.front().sameAsLeft);  // nothing to its left
    EXPECT_EQ(model.RowOf(4), -1);
}

TEST(PoseSheetLighter, ManyPixelsAtOnceFollowThePixelRuleForEveryChannelValue) {
    // Four white pixels, then each channel takes every value once; 263 pixels
    // leave a tail past the groups of four.
    std::vector<std::uint32_t> pixels(263, 0x00FFFFFFu), expected(263);
    for (std::uint32_t i = 4; i < pixels.size(); ++i) {
        const std::uint32_t v = i & 0xFFu;
        pixels[i] = v | (255u - v) << 8 | ((v * 7u) & 0xFFu) << 16 | 0xFF000000u;
    }
    std::transform(pixels.begin(), pixels.end(), expected.begin(), LighterPixel);
    LightenPixels(pixels.data(), pixels.size());
    EXPECT_EQ(pixels, expected);
    EXPECT_EQ(LighterPixel(0x00000000u), 0x00AAAAAAu);
    EXPECT_EQ(LighterPixel(0x00FF7F01u), 0x00FFD4AAu);
}

class PoseSheetExport : public testing::Test {
protected:
    void SetUp() override {
        controltest::PointRegistryAtDemoCreature();
        ASSERT_EQ(controltest::CallModule(ZUBRELLE_MODULE_PATH), com::S_OK);
    }
    ::TempRegistry registry;
    test::TempDir dir;
};

TEST_F(PoseSheetExport, CellsAreTheControlsDrawingLighterWhenRepeatedAndDashedWhenEmpty) {
    Genome genome;
    genome.Append(Pose(1, 5, 2, '1'));
    genome.Append(Pose(2, 5, 0, '2'));
    genome.Append(Pose(3, 12, 150, '1'));
    genome.Append(Pose(4, 9, 0, '0'));  // a second row: each control paints again
    const PoseSheetModel model = BuildPoseSheet(genome, 1, 3);
    const Appearance appearance{0, 0, 1};  // head genus 1
    const PoseSheetLayout layout = PoseSheetLayout::ForSizeFactor(1);
    const std::string path = dir.File("sheet.png");
    std::string error;
    ASSERT_TRUE(ExportPoseSheet(model, appearance, layout, path, error)) << error;
    int width = 0, height = 0;
    const test::Pixels sheet = test::ReadPng(path, width, height);
    ASSERT_EQ(width, 2 + 3 * (160 + 2));
    ASSERT_EQ(height, 2 + 3 * (120 + 2));
    const auto cellAt = [&](int row, int column) {
        int x = 0, y = 0;
        PoseSheetCellOrigin(layout, row, column, x, y);
        test::Pixels cell;
        for (int line = 0; line < layout.cellHeight; ++line)
            cell.insert(cell.end(), sheet.begin() + (y + line) * width + x,
                        sheet.begin() + (y + line) * width + x + layout.cellWidth);
        return cell;
    };
    const auto engine = [&](int stage, const std::string& pose) {
        zubrelle::Appearance a{0, stage, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        return test::EngineFrames(a, {pose}, 160, 120, false, 0, 1, 0.5)[0];
    };
    // Stage 1 shows the variant of stage 0; stage 2 the other, and stage 3 that one again.
    const test::Pixels stage1 = engine(1, std::string(15, '2'));
    EXPECT_TRUE(cellAt(0, 0) == stage1);
    EXPECT_TRUE(cellAt(0, 1) == engine(2, std::string(15, '1')));
    test::Pixels lighter = engine(3, std::string(15, '1'));
    std::transform(lighter.begin(), lighter.end(), lighter.begin(), LighterPixel);
    EXPECT_TRUE(cellAt(0, 2) == lighter);
    EXPECT_NE(lighter, engine(3, std::string(15, '1')));
    test::Pixels empty(160 * 120);
    PaintEmptyCell(empty.data(), 160, 120);
    EXPECT_TRUE(cellAt(1, 0) == engine(1, std::string(15, '0')));
    for (int column = 0; column < 3; ++column) EXPECT_TRUE(cellAt(2, column) == empty) << column;
    EXPECT_NE(stage1, empty);
}

TEST_F(PoseSheetExport, ASheetDrawnOverAnEarlierPictureIsTheFreshOneWithItsGridLines) {
    Genome genome;
    genome.Append(Pose(1, 5, 0, '1'));
    genome.Append(Pose(2, 9, 3, '2'));
    const PoseSheetModel model = BuildPoseSheet(genome, 2, 4);
    const Appearance appearance{0, 0, 1};  // head genus 1
    PoseSheetPainter painter(appearance, PoseSheetLayout::ForSizeFactor(1), 2, 4);
    ASSERT_TRUE(painter.Start()) << painter.Error();
    std::vector<std::uint32_t> fresh, over;
    int width = 0, height = 0;
    std::string error;
    ASSERT_TRUE(PaintPoseSheet(model, painter, fresh, width, height, error)) << error;
    over.assign(fresh.size(), 0x00123456u);
    ASSERT_TRUE(PaintPoseSheet(model, painter, over, width, height, error)) << error;
    EXPECT_TRUE(over == fresh);
    // The lines around and between the cells: the corners, between columns and between rows.
    const auto at = [&](int x, int y) { return fresh[std::size_t(y) * std::size_t(width) + std::size_t(x)]; };
    for (const auto& [x, y] : {std::pair{0, 0}, {width - 1, height - 1}, {163, 60}, {80, 123}, {width - 1, 60}})
        EXPECT_EQ(at(x, y), 0x00C0C0C0u) << x << ", " << y;
}

TEST_F(PoseSheetExport, ABodyThatDoesNotLoadAtAnyStageIsRefusedWithTheReasonOnce) {
    Genome genome;
    genome.Append(Pose(1, 5, 0, '1'));
    Appearance appearance{0, 0, 77};  // head genus 77: no such body files
    std::string error;
    const std::string path = dir.File("none.png");
    EXPECT_FALSE(ExportPoseSheet(BuildPoseSheet(genome), appearance, PoseSheetLayout::ForSizeFactor(1), path, error));
    EXPECT_EQ(error.rfind("The body does not load at Embryo, Child, Adolescent, Youth, Adult, Old, Senile: ", 0), 0u)
        << error;
    EXPECT_EQ(error.find("Unable"), error.rfind("Unable")) << error;
    EXPECT_FALSE(std::filesystem::exists(path));
    // A file of another kind in the way (the genome itself, say) is never turned into a picture.
    const std::string genomeFile = dir.Write("walk.gen", "dna3gene");
    appearance.headGenus = 1;
    EXPECT_FALSE(
        ExportPoseSheet(BuildPoseSheet(genome), appearance, PoseSheetLayout::ForSizeFactor(1), genomeFile, error));
    EXPECT_NE(error.find("is not a PNG file"), std::string::npos) << error;
    EXPECT_EQ(test::ReadFileBytes(genomeFile), "dna3gene");
}

}  // namespace
}  // namespace mirtala
