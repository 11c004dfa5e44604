// The generated demo creature: every combination loads, both pixel formats occur, every
// pose composes into one connected figure standing on its feet, and small renders keep
// their exact checksums.
#include <gtest/gtest.h>

#include <queue>

#include "TestBody.h"
#include "control/body/BodyFiles.h"
#include "control/body/BodyModel.h"
#include "control/body/PoseSteps.h"
#include "tools/democreature/DemoCreature.h"

namespace {

using zubrelle::Appearance;
using zubrelle::ConvertPoseString;

const std::string kImages = MIRTALA_DEMO_IMAGES_DIR;
const std::string kBodyData = MIRTALA_DEMO_BODY_DATA_DIR;

Appearance Uniform(int genus, int sex, int age, int variant) {
    return {sex, age, genus, variant, genus, variant, genus, variant, genus, variant, genus, variant};
}

// Number of 8-connected groups of non-white pixels.
int Components(const gdi::Bitmap& bitmap) {
    std::vector<char> seen(bitmap.Pixels().size(), 0);
    int groups = 0;
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            const std::size_t i = std::size_t(y) * bitmap.Width() + x;
            if (seen[i] || bitmap.At(x, y) == 0xFFFFFF) continue;
            ++groups;
            std::queue<std::pair<int, int>> todo;
            todo.push({x, y});
            seen[i] = 1;
            while (!todo.empty()) {
                auto [cx, cy] = todo.front();
                todo.pop();
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = cx + dx, ny = cy + dy;
                        if (!bitmap.Contains(nx, ny) || bitmap.At(nx, ny) == 0xFFFFFF) continue;
                        const std::size_t j = std::size_t(ny) * bitmap.Width() + nx;
                        if (!seen[j]) {
                            seen[j] = 1;
                            todo.push({nx, ny});
                        }
                    }
                }
            }
        }
    }
    return groups;
}

TEST(DemoCreature, EveryCombinationLoads) {
    for (int genus : democreature::DemoGenera()) {
        for (int sex = 0; sex < 2; ++sex) {
            for (int age : democreature::DemoAges()) {
                for (int variant : democreature::DemoVariants()) {
                    zubrelle::BodyModel model;
                    std::string error;
                    EXPECT_EQ(model.Load(kImages, kBodyData, Uniform(genus, sex, age, variant), error), 0)
                        << error;
                }
            }
        }
    }
}

TEST(DemoCreature, MixedGeneraAndFallbackAgesLoad) {
    zubrelle::BodyModel model;
    std::string error;
    // Age 6 and variant 9 fall back to age 4 and variant 1.
    EXPECT_EQ(model.Load(kImages, kBodyData, {1, 6, 2, 9, 0, 1, 1, 0, 2, 1, 0, 0}, error), 0) << error;
}

TEST(DemoCreature, BothPixelFormatsAndUpperCaseNamesOccur) {
    for (int genus : democreature::DemoGenera()) {
        const auto file = zubrelle::FindBodyFile(kImages, 2, genus, 0, 4, 0, ".s16");
        ASSERT_TRUE(file.has_value());
        ASSERT_GE(file->bytes.size(), 4u);
        EXPECT_EQ(file->bytes[0], genus == 1 ? 0 : 1);
        const bool upper = file->path.find("B24A.S16") != std::string::npos;
        EXPECT_EQ(upper, genus == 2);
    }
}

struct CreatureCase {
    int genus, sex, age, variant;
};

void PrintTo(const CreatureCase& c, std::ostream* out) {
    *out << "genus " << c.genus << " sex " << c.sex << " age " << c.age << " variant " << c.variant;
}

class DemoPoses : public testing::TestWithParam<CreatureCase> {};

TEST_P(DemoPoses, EveryPoseIsOneConnectedFigureStandingOnItsLowerFoot) {
    const CreatureCase& c = GetParam();
    zubrelle::BodyModel model;
    std::string error;
    ASSERT_EQ(model.Load(kImages, kBodyData, Uniform(c.genus, c.sex, c.age, c.variant), error), 0) << error;
    std::vector<std::string> poses;
    for (char direction : std::string("0123")) {
        for (char position : std::string("0123")) {
            poses.push_back(std::string(1, direction) + std::string(14, position));
        }
        poses.push_back(std::string(1, direction) + "4" + std::string(13, '1'));
        poses.push_back(std::string(1, direction) + "5" + std::string(13, '1'));
    }
    poses.push_back("212322000013221");
    poses.push_back("312000322320121");
    for (const std::string& pose : poses) {
        gdi::Bitmap bitmap(160, 160);
        zubrelle::AnimationState animation;
        model.DrawPose({0, 0, 160, 160}, bitmap, ConvertPoseString(pose), 1.0, animation);
        EXPECT_EQ(Components(bitmap), 1) << pose;
        // The lowest drawn row is the lower foot's ground point (its square reaches one lower).
        const auto layout = model.LayoutFigure(zubrelle::MaskStillPose(ConvertPoseString(pose)), 1.0);
        const int groundY = (160 - layout.height) / 2 + std::max(layout.leftFoot.y, layout.rightFoot.y);
        int lowest = -1;
        for (int y = 0; y < 160; ++y) {
            for (int x = 0; x < 160; ++x) {
                if (bitmap.At(x, y) != 0xFFFFFF) lowest = y;
            }
        }
        EXPECT_LE(std::abs(lowest - (groundY + 1)), 2) << pose;
    }
}

INSTANTIATE_TEST_SUITE_P(DemoBodies, DemoPoses, testing::Values(
    CreatureCase{0, 0, 4, 0}, CreatureCase{0, 1, 0, 1}, CreatureCase{1, 0, 2, 1},
    CreatureCase{1, 1, 4, 0}, CreatureCase{2, 0, 0, 0}, CreatureCase{2, 1, 4, 1}));

struct ChecksumCase {
    const char* name;
    Appearance appearance;
    const char* pose;
    double scale;
    std::uint64_t checksum;
};

void PrintTo(const ChecksumCase& c, std::ostream* out) { *out << c.name; }

class DemoChecksums : public testing::TestWithParam<ChecksumCase> {};

TEST_P(DemoChecksums, SmallRendersAreExact) {
    const ChecksumCase& c = GetParam();
    zubrelle::BodyModel model;
    std::string error;
    ASSERT_EQ(model.Load(kImages, kBodyData, c.appearance, error), 0) << error;
    gdi::Bitmap bitmap(64, 64);
    zubrelle::AnimationState animation;
    model.DrawPose({0, 0, 64, 64}, bitmap, ConvertPoseString(c.pose), c.scale, animation);
    EXPECT_EQ(bodytest::Checksum(bitmap.Pixels()), c.checksum) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Renders, DemoChecksums, testing::Values(
    ChecksumCase{"TovelBabyBack", Uniform(0, 0, 0, 0), "011111111111111", 1.0, 8905056163957977790u},
    ChecksumCase{"TovelBabyFront", Uniform(0, 0, 0, 0), "111111111111111", 1.0, 10718617563666886687u},
    ChecksumCase{"BraskAdultSideHalf", Uniform(1, 1, 4, 1), "212322000013221", 0.5, 1470290511716898014u},
    ChecksumCase{"UmbridAdultLeftHalf", Uniform(2, 0, 4, 0), "322222222222222", 0.5, 5524890956419662611u},
    ChecksumCase{"MixedYouthTurnedHead", Appearance{1, 2, 2, 1, 0, 0, 1, 1, 2, 0, 0, 1},
                 "241111111111111", 0.75, 8162095730047939174u}),
    [](const testing::TestParamInfo<ChecksumCase>& info) { return std::string(info.param.name); });

TEST(DemoChecksums, WalkFramesAreExact) {
    zubrelle::BodyModel model;
    std::string error;
    ASSERT_EQ(model.Load(kImages, kBodyData, Uniform(0, 1, 4, 1), error), 0) << error;
    std::vector<zubrelle::PoseSlotValues> poses = {ConvertPoseString("212322000013221"),
                                                   ConvertPoseString("212000322320121"), {}};
    zubrelle::AnimationState animation;
    ASSERT_EQ(model.PrepareWalk({0, 0, 64, 48}, poses, 2, 0.5, 10, animation), 6);
    std::uint64_t combined = 0;
    for (int i = 0; i < 6; ++i) {
        gdi::Bitmap bitmap(64, 48);
        model.DrawWalkFrame({0, 0, 64, 48}, bitmap, animation);
        combined = combined * 31 + bodytest::Checksum(bitmap.Pixels());
    }
    EXPECT_EQ(combined, 13822797603558443236u);
}

}  // namespace
