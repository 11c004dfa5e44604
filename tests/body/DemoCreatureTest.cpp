// The generated demo creature: every combination loads, both pixel formats occur, every
// pose composes into one connected figure standing on its feet, and small renders keep
// their exact checksums.
#include <gtest/gtest.h>

#include "TestBody.h"
#include "tools/democreature/DemoCreature.h"

namespace {

using namespace bodytest;
using zubrelle::Appearance;

const std::string kImages = MIRTALA_DEMO_IMAGES_DIR;
const std::string kBodyData = MIRTALA_DEMO_BODY_DATA_DIR;

Appearance Uniform(int genus, int sex, int age, int variant) {
    return {sex, age, genus, variant, genus, variant, genus, variant, genus, variant, genus, variant};
}

std::string Load(zubrelle::BodyModel& model, const Appearance& appearance) {
    std::string error;
    model.Load(kImages, kBodyData, appearance, error);
    return error;
}

// FNV-1a over the pixels' bytes.
std::uint64_t Checksum(const gdi::Bitmap& bitmap) {
    std::uint64_t hash = 1469598103934665603ull;
    for (std::uint32_t p : bitmap.Pixels()) {
        for (int i = 0; i < 4; ++i) hash = (hash ^ ((p >> (8 * i)) & 0xFF)) * 1099511628211ull;
    }
    return hash;
}

// Number of 8-connected groups of non-white pixels.
int Components(const gdi::Bitmap& bitmap) {
    const auto ink = [&](int x, int y) { return bitmap.Contains(x, y) && bitmap.At(x, y) != 0xFFFFFF; };
    std::vector<char> seen(bitmap.Pixels().size(), 0);
    int groups = 0;
    for (int start = 0; start < int(seen.size()); ++start) {
        if (seen[std::size_t(start)] || !ink(start % bitmap.Width(), start / bitmap.Width())) continue;
        ++groups;
        std::vector<int> todo{start};
        seen[std::size_t(start)] = 1;
        while (!todo.empty()) {
            const int x = todo.back() % bitmap.Width(), y = todo.back() / bitmap.Width();
            todo.pop_back();
            for (int n = 0; n < 9; ++n) {
                const int nx = x + n % 3 - 1, ny = y + n / 3 - 1, j = ny * bitmap.Width() + nx;
                if (ink(nx, ny) && !seen[std::size_t(j)]) seen[std::size_t(j)] = 1, todo.push_back(j);
            }
        }
    }
    return groups;
}

TEST(DemoCreature, EveryCombinationAndFallbacksLoadInBothPixelFormats) {
    for (int genus : democreature::DemoGenera()) {
        for (int sex = 0; sex < 2; ++sex) {
            for (int age : democreature::DemoAges()) {
                for (int variant : democreature::DemoVariants()) {
                    zubrelle::BodyModel model;
                    EXPECT_EQ(Load(model, Uniform(genus, sex, age, variant)), "");
                }
            }
        }
        const auto file = zubrelle::FindBodyFile(kImages, 2, genus, 0, 4, 0, ".s16");
        ASSERT_TRUE(file.has_value());
        ASSERT_GE(file->bytes.size(), 4u);
        EXPECT_EQ(file->bytes[0], genus == 1 ? 0 : 1);  // genus 1 in 5-5-5
        EXPECT_EQ(file->path.find("B24A.S16") != std::string::npos, genus == 2);  // upper case names
    }
    zubrelle::BodyModel model;  // age 6 and variant 9 fall back to age 4 and variant 1
    EXPECT_EQ(Load(model, {1, 6, 2, 9, 0, 1, 1, 0, 2, 1, 0, 0}), "");
}

class DemoPoses : public testing::TestWithParam<std::array<int, 4>> {};

TEST_P(DemoPoses, EveryPoseIsOneConnectedFigureStandingOnItsLowerFoot) {
    const auto [genus, sex, age, variant] = GetParam();
    zubrelle::BodyModel model;
    ASSERT_EQ(Load(model, Uniform(genus, sex, age, variant)), "");
    std::vector<std::string> poses = {"212322000013221", "312000322320121"};
    for (char direction : std::string("0123")) {
        for (char position : std::string("012345")) {
            poses.push_back(direction + (position < '4' ? std::string(14, position) : position + std::string(13, '1')));
        }
    }
    for (const std::string& pose : poses) {
        gdi::Bitmap bitmap(160, 160);
        zubrelle::AnimationState animation;
        model.DrawPose({0, 0, 160, 160}, bitmap, ConvertPoseString(pose), 1.0, animation);
        EXPECT_EQ(Components(bitmap), 1) << pose;
        // The lowest drawn row is the lower foot's ground point (its square reaches one lower).
        const auto layout = model.LayoutFigure(zubrelle::MaskStillPose(ConvertPoseString(pose)), 1.0);
        const int groundY = (160 - layout.height) / 2 + std::max(layout.leftFoot.y, layout.rightFoot.y);
        int lowest = -1;
        for (int i = 0; i < 160 * 160; ++i) {
            if (bitmap.Pixels()[std::size_t(i)] != 0xFFFFFF) lowest = i / 160;
        }
        EXPECT_LE(std::abs(lowest - (groundY + 1)), 2) << pose;
    }
}

INSTANTIATE_TEST_SUITE_P(DemoBodies, DemoPoses, testing::Values(
    std::array{0, 0, 4, 0}, std::array{0, 1, 0, 1}, std::array{1, 0, 2, 1},
    std::array{1, 1, 4, 0}, std::array{2, 0, 0, 0}, std::array{2, 1, 4, 1}));

TEST(DemoChecksums, SmallRendersAndWalkFramesAreExact) {
    const struct { Appearance appearance; const char* pose; double scale; std::uint64_t checksum; } table[] = {
        {Uniform(0, 0, 0, 0), "011111111111111", 1.0, 8905056163957977790u},   // baby, back
        {Uniform(0, 0, 0, 0), "111111111111111", 1.0, 10718617563666886687u},  // baby, front
        {Uniform(1, 1, 4, 1), "212322000013221", 0.5, 1470290511716898014u},   // adult, side, half
        {Uniform(2, 0, 4, 0), "322222222222222", 0.5, 5524890956419662611u},   // left, half
        {{1, 2, 2, 1, 0, 0, 1, 1, 2, 0, 0, 1}, "241111111111111", 0.75, 8162095730047939174u}};
    for (const auto& row : table) {
        zubrelle::BodyModel model;
        ASSERT_EQ(Load(model, row.appearance), "");
        gdi::Bitmap bitmap(64, 64);
        zubrelle::AnimationState animation;
        model.DrawPose({0, 0, 64, 64}, bitmap, ConvertPoseString(row.pose), row.scale, animation);
        EXPECT_EQ(Checksum(bitmap), row.checksum) << row.pose;
    }
    zubrelle::BodyModel model;
    ASSERT_EQ(Load(model, Uniform(0, 1, 4, 1)), "");
    std::vector<zubrelle::PoseSlotValues> poses = {ConvertPoseString("212322000013221"),
                                                   ConvertPoseString("212000322320121"), {}};
    zubrelle::AnimationState animation;
    ASSERT_EQ(model.PrepareWalk({0, 0, 64, 48}, poses, 2, 0.5, 10, animation), 6);
    std::uint64_t combined = 0;
    for (int i = 0; i < 6; ++i) {
        gdi::Bitmap bitmap(64, 48);
        model.DrawWalkFrame({0, 0, 64, 48}, bitmap, animation);
        combined = combined * 31 + Checksum(bitmap);
    }
    EXPECT_EQ(combined, 13822797603558443236u);
}

}  // namespace
