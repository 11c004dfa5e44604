// The generated demo creature: every combination loads, and small renders (genus 1 in 5-5-5,
// the others in 5-6-5) and walk frames keep their exact checksums.
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

TEST(DemoCreature, EveryCombinationAndFallbacksLoad) {
    for (int genus : democreature::DemoGenera()) {
        for (int sex = 0; sex < 2; ++sex) {
            for (int age : democreature::DemoAges()) {
                for (int variant : democreature::DemoVariants()) {
                    zubrelle::BodyModel model;
                    EXPECT_EQ(Load(model, Uniform(genus, sex, age, variant)), "");
                }
            }
        }
    }
    zubrelle::BodyModel model;  // age 6 and variant 9 fall back to age 4 and variant 1
    EXPECT_EQ(Load(model, {1, 6, 2, 9, 0, 1, 1, 0, 2, 1, 0, 0}), "");
}

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
