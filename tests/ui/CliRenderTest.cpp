// mirtala --render-pose and --render-gait end to end: the program is run as a
// user runs it, and every PNG must hold exactly what the engine draws.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <fstream>
#include <memory>

#include "activex/ControlTestSupport.h"
#include "bodytest_checksum.h"
#include "control/body/BodyModel.h"
#include "control/body/PoseSlotValues.h"
#include "editor/genome/PoseGenes.h"

using namespace controltest;

namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome Mirtala(const std::string& args, const std::string& dir) {
    std::string out = dir + "/stdout", err = dir + "/stderr";
    std::string command = std::string("'") + MIRTALA_PROGRAM + "' " + args + " >'" + out + "' 2>'" + err + "'";
    int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, mirtala::test::ReadFileBytes(out),
            mirtala::test::ReadFileBytes(err)};
}

// The PNG's pixels as 0x00BBGGRR values.
std::vector<std::uint32_t> PngPixels(const std::string& path, int* width, int* height) {
    QImage image(QString::fromStdString(path));
    *width = image.width();
    *height = image.height();
    QImage rgbx = image.convertToFormat(QImage::Format_RGBX8888);
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < rgbx.height(); ++y) {
        auto* row = reinterpret_cast<const std::uint32_t*>(rgbx.constScanLine(y));
        for (int x = 0; x < rgbx.width(); ++x) pixels.push_back(row[x] & 0x00FFFFFFu);
    }
    return pixels;
}

std::string SamplePath() { return std::string(std::getenv("MIRTALA_SOURCE_DIR")) + "/samples/demo.gen"; }

class CliRenderTest : public testing::Test {
protected:
    void SetUp() override {
        PointRegistryAtDemoCreature();
        ASSERT_EQ(RegisterModule(ZUBRELLE_MODULE_PATH), com::S_OK);
    }
    static std::unique_ptr<zubrelle::BodyModel> Engine(const zubrelle::Appearance& a) {
        auto engine = std::make_unique<zubrelle::BodyModel>();
        std::string error;
        EXPECT_EQ(engine->Load(DemoImages(), DemoBodyData(), a, error), 0) << error;
        return engine;
    }
    TempRegistry registry;
    mirtala::test::TempDir dir;
};

constexpr const char* kAppearance = "0,4,1,1,1,0,0,0,2,1,1,0";
const zubrelle::Appearance kAdult{0, 4, 1, 1, 1, 0, 0, 0, 2, 1, 1, 0};

}  // namespace

TEST_F(CliRenderTest, APoseOfTheGenomeIsTheVariantOfTheAppearancesAge) {
    mirtala::Genome genome;
    ASSERT_TRUE(genome.Read(SamplePath()));
    for (int age : {0, 4}) {
        std::string out = dir.File("pose" + std::to_string(age) + ".png");
        std::string appearance = "0," + std::to_string(age) + ",1,1,1,0,0,0,2,1,1,0";
        Outcome run = Mirtala("--render-pose '" + out + "' --genome '" + SamplePath() + "' --pose 1 --appearance " +
                              appearance + " --size 150x110 --scale 1.5",
                          dir.Path());
        ASSERT_EQ(run.status, 0) << run.err;
        std::string pose = mirtala::PoseStringOf(*mirtala::FindActivePose(genome, 1, age));
        EXPECT_NE(run.out.find(pose), std::string::npos) << run.out;

        zubrelle::Appearance a = kAdult;
        a.age = age;
        auto engine = Engine(a);
        gdi::Bitmap expected(150, 110);
        zubrelle::AnimationState state;
        engine->DrawPose(gdi::Rect{0, 0, 150, 110}, expected, zubrelle::ConvertPoseString(pose), 1.5, state);
        int w = 0, h = 0;
        std::vector<std::uint32_t> got = PngPixels(out, &w, &h);
        ASSERT_EQ(w, 150);
        ASSERT_EQ(h, 110);
        EXPECT_EQ(got, expected.Pixels());
        EXPECT_EQ(bodytest_checksum::Fnv(got), bodytest_checksum::Fnv(expected.Pixels()));
    }
}

TEST_F(CliRenderTest, AGaitOfTheGenomeWalksItsResolvedStepsFrameByFrame) {
    std::string outDir = dir.File("frames");
    Outcome run = Mirtala("--render-gait '" + outDir + "' --genome '" + SamplePath() + "' --gait 2 --appearance " +
                          kAppearance + " --frames 30 --angle 10.7 --size 200x120",
                      dir.Path());
    ASSERT_EQ(run.status, 0) << run.err;

    mirtala::Genome genome;
    ASSERT_TRUE(genome.Read(SamplePath()));
    std::vector<std::string> poses;
    for (mirtala::GeneCursor c(genome, 0, 2, 4); !c.AtEnd(); c.Advance())
        if (mirtala::GeneNumber(*c) == 2)
            for (int step : mirtala::GaitStepsOf(*c)) {
                if (!step) continue;
                if (auto gene = mirtala::FindActivePose(genome, step, 4)) poses.push_back(mirtala::PoseStringOf(*gene));
            }
    ASSERT_GE(poses.size(), 2u);
    std::array<zubrelle::PoseSlotValues, 9> poseSlots{};
    for (std::size_t i = 0; i < poses.size(); ++i) poseSlots[i] = zubrelle::ConvertPoseString(poses[i]);
    auto engine = Engine(kAdult);
    zubrelle::AnimationState state;
    gdi::Rect rect{0, 0, 200, 120};
    engine->PrepareWalk(rect, poseSlots, int(poses.size()), 1.0, 10, state);
    for (int k = 0; k < 30; ++k) {
        char name[32];
        std::snprintf(name, sizeof name, "/frame-%03d.png", k);
        gdi::Bitmap expected(200, 120);
        engine->DrawWalkFrame(rect, expected, state);
        int w = 0, h = 0;
        ASSERT_EQ(PngPixels(outDir + name, &w, &h), expected.Pixels()) << name;
    }
    EXPECT_FALSE(std::filesystem::exists(outDir + "/frame-030.png"));
}

TEST_F(CliRenderTest, PoseStringsStepInPlaceWithoutFriction) {
    std::string outDir = dir.File("still");
    Outcome run = Mirtala("--render-gait '" + outDir +
                          "' --pose-strings 201111111111111,201333111113311 --friction off --frames 5 --size 90x70",
                      dir.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    std::array<zubrelle::PoseSlotValues, 9> poseSlots{};
    poseSlots[0] = zubrelle::ConvertPoseString("201111111111111");
    poseSlots[1] = zubrelle::ConvertPoseString("201333111113311");
    auto engine = Engine({});
    zubrelle::AnimationState state;
    engine->PrepareStand(poseSlots, 2, 1.0, state);
    for (int k = 0; k < 5; ++k) {
        char name[32];
        std::snprintf(name, sizeof name, "/frame-%03d.png", k);
        gdi::Bitmap expected(90, 70);
        engine->DrawStandFrame(gdi::Rect{0, 0, 90, 70}, expected, 0, state);
        int w = 0, h = 0;
        ASSERT_EQ(PngPixels(outDir + name, &w, &h), expected.Pixels()) << name;
    }
}

TEST_F(CliRenderTest, NeverWritesOverTheInputGenome) {
    std::string copy = dir.File("copy.gen");
    std::filesystem::copy_file(SamplePath(), copy);
    std::string before = mirtala::test::ReadFileBytes(copy);
    Outcome run = Mirtala("--render-pose '" + copy + "' --genome '" + copy + "' --pose 1", dir.Path());
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("input genome"), std::string::npos) << run.err;
    std::filesystem::create_directories(dir.File("g"));
    std::string inside = dir.File("g/frame-000.png");
    std::filesystem::copy_file(SamplePath(), inside);
    run = Mirtala("--render-gait '" + dir.File("g") + "' --genome '" + inside + "' --gait 1", dir.Path());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(mirtala::test::ReadFileBytes(copy), before);
    EXPECT_EQ(mirtala::test::ReadFileBytes(inside), before);
}

struct Usage {
    const char* name;
    const char* args;
    int status;
    const char* message;
};

class CliRenderUsage : public CliRenderTest, public testing::WithParamInterface<Usage> {};

TEST_P(CliRenderUsage, IsRefusedWithAMessage) {
    std::string args = GetParam().args;
    for (std::size_t at; (at = args.find("GENOME")) != std::string::npos;) args.replace(at, 6, SamplePath());
    for (std::size_t at; (at = args.find("OUT")) != std::string::npos;) args.replace(at, 3, dir.File("o"));
    Outcome run = Mirtala(args, dir.Path());
    EXPECT_EQ(run.status, GetParam().status);
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("o")) && GetParam().status == 2);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliRenderUsage,
    testing::Values(
        Usage{"NoPose", "--render-pose OUT", 2, "either --pose-string"},
        Usage{"BothPoseSources", "--render-pose OUT --pose-string 2 --genome GENOME --pose 1", 2, "either"},
        Usage{"GenomeWithoutPose", "--render-pose OUT --genome GENOME", 2, "either"},
        Usage{"NinePoses", "--render-gait OUT --pose-strings 1,2,3,4,5,6,7,8,9", 2, "one to eight"},
        Usage{"BadSize", "--render-pose OUT --pose-string 2 --size 0x10", 2, "--size"},
        Usage{"ShortAppearance", "--render-pose OUT --pose-string 2 --appearance 1,2,3", 2, "twelve"},
        Usage{"BadFriction", "--render-gait OUT --pose-strings 2,3 --friction maybe", 2, "on or off"},
        Usage{"NoFrames", "--render-gait OUT --pose-strings 2,3 --frames 0", 2, "--frames"},
        Usage{"MissingPose", "--render-pose OUT --genome GENOME --pose 77", 1, "no pose gene for pose 77"},
        Usage{"MissingGait", "--render-gait OUT --genome GENOME --gait 9", 1, "no gait 9"},
        Usage{"NotAGenome", "--render-pose OUT --genome OUT --pose 1", 1, "input genome"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CliRenderTest, AnUnregisteredControlIsReported) {
    mirtala::test::TempDir empty;
    ::setenv("MIRTALA_REGISTRY_DIR", empty.Path().c_str(), 1);
    Outcome run = Mirtala("--render-pose '" + dir.File("p.png") + "' --pose-string 201111111111111", dir.Path());
    ::setenv("MIRTALA_REGISTRY_DIR", registry.Dir().c_str(), 1);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("not registered"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("p.png")));
}
