// The generated demo creature: every combination loads; the files it writes, a contact sheet of
// genus 1 (5-5-5) standing, walking and turning, and small renders of the others (5-6-5) keep
// their exact checksums. A deliberate change to the art updates the numbers here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

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

// FNV-1a over bytes, over the pixels' bytes (low byte first, as they lie in memory here), and over
// the names and bytes of the files in a folder.
std::uint64_t Checksum(const std::string& bytes, std::uint64_t hash = 1469598103934665603ull) {
    for (char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return hash;
}
std::uint64_t Checksum(const gdi::Bitmap& bitmap) {
    return Checksum({reinterpret_cast<const char*>(bitmap.Pixels().data()), 4 * bitmap.Pixels().size()});
}
std::uint64_t FolderChecksum(const std::string& folder) {
    std::vector<std::filesystem::path> files(std::filesystem::directory_iterator(folder), {});
    std::sort(files.begin(), files.end());
    std::uint64_t hash = 1469598103934665603ull;
    for (const auto& path : files) hash = Checksum(path.filename().string() + mirtala::test::ReadFileBytes(path), hash);
    return hash;
}

TEST(DemoCreature, EveryCombinationAndFallbacksLoad) {
    for (int genus : democreature::DemoGenera())
        for (int sex = 0; sex < 2; ++sex)
            for (int age : democreature::DemoAges())
                for (int variant : democreature::DemoVariants()) {
                    zubrelle::BodyModel model;
                    EXPECT_EQ(Load(model, Uniform(genus, sex, age, variant)), "");
                }
    zubrelle::BodyModel model;  // age 6 and variant 9 fall back to age 4 and variant 1
    EXPECT_EQ(Load(model, {1, 6, 2, 9, 0, 1, 1, 0, 2, 1, 0, 0}), "");
}

TEST(DemoChecksums, WrittenFilesAndContactSheetAreExact) {
    mirtala::test::TempDir dir;
    std::string error;
    ASSERT_TRUE(democreature::WriteDemoCreature(dir.File("Images"), dir.File("Body Data"), error)) << error;
    EXPECT_EQ(FolderChecksum(dir.File("Images")), 12024071501348873538u);
    EXPECT_EQ(FolderChecksum(dir.File("Body Data")), 6952977435556894251u);
    const std::string render = std::string(DEMO_RENDER) + " '" + kImages + "' '" + kBodyData + "' '" +
                               dir.File("sheet.ppm") + "' 1 1 4 1 > '" + dir.File("out.txt") + "'";
    ASSERT_EQ(std::system(render.c_str()), 0);
    EXPECT_EQ(mirtala::test::ReadFileBytes(dir.File("out.txt")), "walk of 8 frames\n");
    EXPECT_EQ(Checksum(mirtala::test::ReadFileBytes(dir.File("sheet.ppm"))), 13976192914253638404u);
}

// Genus 2 (5-6-5, upper-case names) and a body of mixed genera, at scales below 1; the contact
// sheet above holds genus 1 at scale 1, walking and turning.
TEST(DemoChecksums, SmallRendersAreExact) {
    const struct {
        Appearance appearance;
        const char* pose;
        double scale;
        std::uint64_t checksum;
    } table[] = {{Uniform(2, 0, 4, 0), "322222222222222", 0.5, 5524890956419662611u},  // left, half
                 {{1, 2, 2, 1, 0, 0, 1, 1, 2, 0, 0, 1}, "241111111111111", 0.75, 8162095730047939174u}};
    for (const auto& row : table) {
        zubrelle::BodyModel model;
        ASSERT_EQ(Load(model, row.appearance), "");
        gdi::Bitmap bitmap(64, 64);
        zubrelle::AnimationState animation;
        model.DrawPose({0, 0, 64, 64}, bitmap, ConvertPoseString(row.pose), row.scale, animation);
        EXPECT_EQ(Checksum(bitmap), row.checksum) << row.pose;
    }
}

}  // namespace
