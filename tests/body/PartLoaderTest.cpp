// Loading one part: both searches from the requested values, the images and points, and
// the two messages.
#include <gtest/gtest.h>

#include "TestBody.h"
#include "control/body/PartLoader.h"

namespace {

using bodytest::Block;
using bodytest::TestPart;
using bodytest::TempTree;
using bodytest::UniformPart;

TestPart NumberedLimb() {
    TestPart fixture;
    for (int i = 0; i < 10; ++i) {
        fixture.images[std::size_t(i)] = Block(std::uint16_t(i + 1), 2, 0x0421);
        fixture.points[std::size_t(i)] = {{i, 10 + i}, {20 + i, 30 + i}};
    }
    return fixture;
}

TEST(PartLoader, LoadsTenImagesAndTheirPoints) {
    TempTree tree;
    const TestPart fixture = NumberedLimb();
    tree.Write("images/c00a.s16", bodytest::SpriteBytes(fixture));
    tree.Write("body data/c00a.att", bodytest::AttachmentText(fixture));
    zubrelle::PartData data;
    std::string error = "previous";
    ASSERT_TRUE(zubrelle::LoadPart(3, 0, 0, 0, 0, tree.Images(), tree.BodyData(), data, error));
    EXPECT_EQ(error, "previous");
    for (int i = 0; i < 10; ++i) {
        const auto& image = data.images[std::size_t(i)];
        EXPECT_EQ(image.width, i + 1);
        EXPECT_EQ(image.pixels.size(), std::size_t(2 * (i + 1)));
        const auto& points = data.points[std::size_t(i)];
        EXPECT_EQ(points[0], (zubrelle::AttachmentPoint{i, 10 + i}));
        EXPECT_EQ(points[1], (zubrelle::AttachmentPoint{20 + i, 30 + i}));
        EXPECT_EQ(points[2], (zubrelle::AttachmentPoint{0, 0}));  // limbs fill two points
    }
}

TEST(PartLoader, EachFileIsSearchedFromTheRequestedValues) {
    TempTree tree;
    TestPart fixture = NumberedLimb();
    tree.Write("images/c00a.s16", bodytest::SpriteBytes(fixture));
    fixture.points[0] = {{7, 7}, {8, 8}};
    tree.Write("body data/c00d.att", bodytest::AttachmentText(fixture));
    tree.Write("body data/c00a.att", std::string("1 1 1 1"));
    zubrelle::PartData data;
    std::string error;
    ASSERT_TRUE(zubrelle::LoadPart(3, 0, 0, 0, 3, tree.Images(), tree.BodyData(), data, error));
    EXPECT_EQ(data.points[0][0], (zubrelle::AttachmentPoint{7, 7}));
}

TEST(PartLoader, ShortAttachmentTextLeavesLaterPointsZero) {
    TempTree tree;
    tree.Write("images/c00a.s16", bodytest::SpriteBytes(NumberedLimb()));
    tree.Write("body data/c00a.att", std::string("12 7\n3 40"));
    zubrelle::PartData data;
    std::string error;
    ASSERT_TRUE(zubrelle::LoadPart(3, 0, 0, 0, 0, tree.Images(), tree.BodyData(), data, error));
    EXPECT_EQ(data.points[0][0], (zubrelle::AttachmentPoint{12, 7}));
    EXPECT_EQ(data.points[0][1], (zubrelle::AttachmentPoint{3, 40}));
    EXPECT_EQ(data.points[1][0], (zubrelle::AttachmentPoint{0, 0}));
    EXPECT_EQ(data.points[9][1], (zubrelle::AttachmentPoint{0, 0}));
}

struct MessageCase {
    const char* name;
    bool writeSprite;
    bool truncateSprite;
    const char* expected;  // with %s for the directory
};

class PartLoaderMessages : public testing::TestWithParam<MessageCase> {};

TEST_P(PartLoaderMessages, NameTheRequestedCombination) {
    const MessageCase& c = GetParam();
    TempTree tree;
    if (c.writeSprite) {
        auto bytes = bodytest::SpriteBytes(NumberedLimb());
        if (c.truncateSprite) bytes.resize(bytes.size() - 1);
        tree.Write("images/e50a.s16", bytes);
    }
    zubrelle::PartData data;
    std::string error = "previous";
    EXPECT_FALSE(zubrelle::LoadPart(5, 1, 1, 4, 2, tree.Images(), tree.BodyData(), data, error));
    std::string expected = c.expected;
    const std::string directory = std::string(c.expected).find(".att") != std::string::npos
                                      ? tree.BodyData() : tree.Images();
    expected.replace(expected.find("%s"), 2, directory);
    EXPECT_EQ(error, expected);
}

INSTANTIATE_TEST_SUITE_P(Failures, PartLoaderMessages, testing::Values(
    MessageCase{"NoSprite", false, false,
                "Unable to find a left foot sprite file for adult female Brask of variant C.\n"
                "[Tried '%se54c.s16']"},
    MessageCase{"SpriteTooShort", true, true,
                "Unable to find a left foot sprite file for adult female Brask of variant C.\n"
                "[Tried '%se54c.s16']"},
    MessageCase{"NoAttachment", true, false,
                "Unable to find a left foot attachment file for adult female Brask of variant C.\n"
                "[Tried '%se54c.att']"}),
    [](const testing::TestParamInfo<MessageCase>& info) { return std::string(info.param.name); });

TEST(PartLoader, OutOfRangeValuesStillGiveAMessage) {
    TempTree tree;
    zubrelle::PartData data;
    std::string error;
    EXPECT_FALSE(zubrelle::LoadPart(14, 7, 0, 9, 0, tree.Images(), tree.BodyData(), data, error));
    EXPECT_EQ(error, "Unable to find a tail tip sprite file for unknown male unknown of variant A.\n"
                     "[Tried '" + tree.Images() + "n79a.s16']");
}

}  // namespace
