// Loading a whole body: which appearance values each part takes, and failure.
#include <gtest/gtest.h>

#include "TestBody.h"
#include "control/body/BodyFiles.h"
#include "control/body/BodyModel.h"

namespace {

using bodytest::Block;
using bodytest::UniformPart;

// Writes part `part` only under the genus and variant it should be loaded with.
void WritePart(const bodytest::TempTree& tree, int part, int genus, int sex, int age, int variant) {
    const auto fixture = UniformPart(Block(1, 1, std::uint16_t(part)),
                                  std::vector<bodytest::Point16>(part == 2 ? 6 : 2));
    const std::string stem = zubrelle::BodyFileStem(part, genus + 4 * sex, age, variant);
    tree.Write("images/" + stem + ".s16", bodytest::SpriteBytes(fixture));
    tree.Write("body data/" + stem + ".att", bodytest::AttachmentText(fixture));
}

TEST(BodyModelLoad, EachPartTakesTheGenusAndVariantOfItsGroup) {
    bodytest::TempTree tree;
    const int sex = 1, age = 3;
    // head 1/a, body 2/b, legs 0/c, arms 1/d, tail 2/e
    WritePart(tree, 1, 1, sex, age, 0);
    WritePart(tree, 2, 2, sex, age, 1);
    for (int part = 3; part <= 8; ++part) WritePart(tree, part, 0, sex, age, 2);
    for (int part = 9; part <= 12; ++part) WritePart(tree, part, 1, sex, age, 3);
    for (int part = 13; part <= 14; ++part) WritePart(tree, part, 2, sex, age, 4);
    zubrelle::BodyModel model;
    std::string error;
    ASSERT_EQ(model.Load(tree.Images(), tree.BodyData(), 1, 2, 0, 1, 2, sex, age, 0, 1, 2, 3, 4, error), 0)
        << error;
    EXPECT_TRUE(model.IsLoaded());
    EXPECT_EQ(model.Part(14).images[0].pixels.size(), 1u);

    zubrelle::Appearance appearance{sex, age, 1, 0, 2, 1, 0, 2, 1, 3, 2, 4};
    zubrelle::BodyModel again;
    EXPECT_EQ(again.Load(tree.Images(), tree.BodyData(), appearance, error), 0) << error;
}

TEST(BodyModelLoad, MissingTailTipFailsAfterThirteenPartsAndLeavesTheModelEmpty) {
    bodytest::TempTree tree;
    for (int part = 1; part <= 13; ++part) WritePart(tree, part, 0, 0, 4, 0);
    zubrelle::BodyModel model;
    std::string error;
    EXPECT_EQ(model.Load(tree.Images(), tree.BodyData(), zubrelle::Appearance{0, 4}, error), -1);
    EXPECT_EQ(error, "Unable to find a tail tip sprite file for adult male Tovel of variant A.\n"
                     "[Tried '" + tree.Images() + "n04a.s16']");
    EXPECT_FALSE(model.IsLoaded());
    for (int part = 1; part <= 14; ++part) {
        for (const auto& image : model.Part(part).images) EXPECT_TRUE(image.pixels.empty());
    }
}

TEST(BodyModelLoad, ReloadAfterFailureAndClear) {
    bodytest::TempTree tree;
    for (int part = 1; part <= 14; ++part) WritePart(tree, part, 0, 0, 0, 0);
    zubrelle::BodyModel model;
    std::string error;
    ASSERT_EQ(model.Load(tree.Images(), tree.BodyData(), zubrelle::Appearance{}, error), 0);
    EXPECT_EQ(model.Load(tree.Images(), tree.BodyData(), zubrelle::Appearance{0, 0, 1}, error), -1);
    EXPECT_FALSE(model.IsLoaded());
    ASSERT_EQ(model.Load(tree.Images(), tree.BodyData(), zubrelle::Appearance{}, error), 0);
    model.Clear();
    EXPECT_FALSE(model.IsLoaded());
    EXPECT_TRUE(model.Part(2).images[3].pixels.empty());
}

}  // namespace
