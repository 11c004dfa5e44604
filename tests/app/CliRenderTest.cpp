// mirtala's batch commands end to end, --render-pose, --render-gait and --sheet
// above all: the program is run as a user runs it, and every picture must equal
// the engine's drawing pixel for pixel; a GIF or a sheet holds one full cycle.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "activex/ControlTestSupport.h"
#include "editor/genome/PoseGenes.h"
#include "editor/picture/PngOutput.h"
#include "editor/picture/PoseSheet.h"
#include "fixtures/ReadOnlyMount.h"
#include "picture/WalkTestSupport.h"
#include "platform/registry/HostFolders.h"
#include "platform/registry/Registry.h"

using namespace controltest;
using mirtala::test::EngineFrames;
using mirtala::test::Pixels;
using mirtala::test::ReadFileBytes;
using mirtala::test::ReadPng;
namespace reg = mirtala::registry;

namespace {

struct Outcome {
    int status;
    std::string out, err;
};

// The PNG's pixels, or nothing when it cannot be read or is not width x height.
Pixels PngPixels(const std::string& path, int width, int height) {
    int w = 0, h = 0;
    Pixels pixels = ReadPng(path, w, h);
    return w == width && h == height ? pixels : Pixels();
}

const zubrelle::Appearance kAdult{0, 4, 1, 1, 1, 0, 0, 0, 2, 1, 1, 0};

class CliRenderTest : public testing::Test {
protected:
    void SetUp() override {
        PointRegistryAtDemoCreature();
        ASSERT_EQ(CallModule(ZUBRELLE_MODULE_PATH), com::S_OK);
        ASSERT_TRUE(genome.Read(kSample));
    }
    // `shell` runs first in the same shell, to set limits.
    Outcome Mirtala(const std::string& args, const std::string& shell = "") {
        std::string out = dir.File("stdout"), err = dir.File("stderr");
        int status = std::system((shell + "'" MIRTALA_PROGRAM "' " + args + " >'" + out + "' 2>'" + err + "'").c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFileBytes(out), ReadFileBytes(err)};
    }
    const std::string kSample = std::string(std::getenv("MIRTALA_SOURCE_DIR")) + "/samples/demo.gen";
    TempRegistry registry;
    mirtala::test::TempDir dir;
    mirtala::Genome genome;
};

}  // namespace

// Pose 1 of the sample has a variant from age 4 on: the adult's is drawn.
TEST_F(CliRenderTest, APoseOfTheGenomeIsTheVariantOfTheAppearancesAge) {
    const std::string out = dir.File("pose.png");
    Outcome run = Mirtala("--render-pose '" + out + "' --genome '" + kSample +
                          "' --pose 1 --appearance 0,4,1,1,1,0,0,0,2,1,1,0 --size 150x110 --scale 1.5");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string pose = mirtala::PoseStringOf(*mirtala::FindActivePose(genome, 1, 4));
    EXPECT_NE(run.out.find(pose), std::string::npos) << run.out;
    EXPECT_TRUE(PngPixels(out, 150, 110) == EngineFrames(kAdult, {pose}, 150, 110, false, 0, 1, 1.5)[0]);
}

TEST_F(CliRenderTest, PoseStringsStepInPlaceWithoutFriction) {
    const std::string frames = dir.File("still");
    Outcome run = Mirtala("--render-gait '" + frames +
                          "' --pose-strings 211000222220111,211201111111111 --friction off --frames 5 --size 90x70");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto expected = EngineFrames({}, {"211000222220111", "211201111111111"}, 90, 70, false, 0, 5);
    for (int k = 0; k < 5; ++k)
        EXPECT_TRUE(PngPixels(frames + "/" + mirtala::FrameName(k, 5), 90, 70) == expected[std::size_t(k)]) << k;
}

// The gait's steps resolved for the appearance's age, walking at the angle's whole degrees.
TEST_F(CliRenderTest, AGaitOfTheGenomeWalksAsTheEngineDrawsInAGifAndASheet) {
    std::vector<std::string> poses;
    for (mirtala::GeneCursor c(genome, 0, 2, 4); !c.AtEnd(); c.Advance())
        if (mirtala::GeneNumber(*c) == 2)
            for (const mirtala::GaitStepPose& step : mirtala::ResolveGaitSteps(genome, *c, 4))
                if (step.poseString) poses.push_back(*step.poseString);
    const std::vector<Pixels> expected = EngineFrames(kAdult, poses, 120, 90, true, 10);
    const int n = int(expected.size());
    ASSERT_GT(n, 3);
    const std::string common =
        " --genome '" + kSample + "' --gait 2 --appearance 0,4,1,1,1,0,0,0,2,1,1,0 --size 120x90 --angle 10.7";
    ASSERT_EQ(Mirtala("--render-gait '" + dir.File("walk.GIF") + "'" + common).status, 0);
    int w = 0, h = 0;
    std::vector<int> delays;
    // The walk uses fewer than 256 colours, so the GIF's one palette is exact.
    EXPECT_EQ(mirtala::test::ReadGif(dir.File("walk.GIF"), w, h, &delays), expected);
    EXPECT_EQ(delays, std::vector<int>(std::size_t(n), 10)) << "the control's 100 ms tick";

    ASSERT_EQ(Mirtala("--sheet '" + dir.File("sheet.png") + "'" + common + " --columns 3").status, 0);
    const Pixels sheet = ReadPng(dir.File("sheet.png"), w, h);
    ASSERT_EQ(w, 360);
    ASSERT_EQ(h, (n + 2) / 3 * 90) << n << " frames";
    for (int k = 0; k < (n + 2) / 3 * 3; ++k)  // unused last cells are white
        EXPECT_EQ(mirtala::test::SheetCell(sheet, w, 3, k, 120, 90),
                  k < n ? expected[std::size_t(k)] : Pixels(120 * 90, 0x00FFFFFFu))
            << "cell " << k;
}

// A pose over its own genome is the usage table's NotAGenome row.
// Pose 1 of the sample switches variant at Adult: the sheet's Adult cell is
// the engine's drawing of the new one, the Youth cell of the old one.
TEST_F(CliRenderTest, APoseSheetOfTheGenomeHasTheEnginesDrawingInEachCell) {
    const std::string out = dir.File("poses.png");
    Outcome run = Mirtala("--pose-sheet '" + out + "' --genome '" + kSample +
                          "' --appearance 0,4,1,1,1,0,0,0,2,1,1,0 --stages 3-4 --scale 0.25");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Rows, top to bottom: pose 1 "), std::string::npos) << run.out;
    int width = 0, height = 0;
    const Pixels sheet = ReadPng(out, width, height);
    const mirtala::PoseSheetLayout layout = mirtala::PoseSheetLayout::ForScale(0.25f);
    ASSERT_EQ(width, 2 + 2 * (layout.cellWidth + 2));
    for (int stage : {3, 4}) {
        int x = 0, y = 0;
        mirtala::PoseSheetCellOrigin(layout, 0, stage - 3, x, y);
        Pixels cell;
        for (int line = 0; line < layout.cellHeight; ++line)
            cell.insert(cell.end(), sheet.begin() + (y + line) * width + x,
                        sheet.begin() + (y + line) * width + x + layout.cellWidth);
        zubrelle::Appearance a = kAdult;
        a.age = stage;
        const std::string pose = mirtala::PoseStringOf(*mirtala::FindActivePose(genome, 1, stage));
        EXPECT_TRUE(cell == EngineFrames(a, {pose}, layout.cellWidth, layout.cellHeight, false, 0, 1, 0.25)[0])
            << stage;
    }
    EXPECT_EQ(Mirtala("--pose-sheet '" + out + "' --genome '" + kSample + "' --stages 5-2").status, 2);
}

TEST_F(CliRenderTest, NeverWritesAFrameOverTheInputGenome) {
    std::filesystem::create_directories(dir.File("g"));
    std::string inside = dir.File("g/frame-000.png");  // the input, where the first frame would go
    std::filesystem::copy_file(kSample, inside);
    Outcome run = Mirtala("--render-gait '" + dir.File("g") + "' --gait 1 --genome '" + inside + "'");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("input genome"), std::string::npos) << run.err;
    EXPECT_EQ(ReadFileBytes(inside), ReadFileBytes(kSample));
}

// An existing output is replaced only by a picture of its own kind, or when empty, so that
// arguments given in the wrong order cannot turn a genome into a picture; frames are all
// checked before the first is written.
TEST_F(CliRenderTest, AnExistingFileIsReplacedOnlyByAPictureOfItsKind) {
    struct Case {
        const char* name;
        const char* command;
        std::string args;      // after the output
        std::string output;    // given as the output
        std::string existing;  // its bytes beforehand
        std::string refused;   // the file named in the refusal ("" when written)
        const char* kind;
    };
    const std::string genomeBytes = ReadFileBytes(kSample);
    const std::string png = "\x89PNG\r\n\x1a\nold";
    const std::string pose = " --pose-string 201111111111111 --size 20x20";
    const std::string gait = " --pose-strings 201111111111111,201333111113311 --size 20x20";
    const Case cases[] = {
        {"genome as the pose", "--render-pose", pose, "demo.gen", genomeBytes, "demo.gen", "PNG"},
        {"png bytes as a gif", "--render-gait", gait, "walk.gif", png, "walk.gif", "GIF"},
        {"text as a sheet", "--sheet", gait, "sheet.png", "notes", "sheet.png", "PNG"},
        {"genome as the third frame", "--render-gait", gait + " --frames 4", "frames", "", "frames/frame-002.png",
         "PNG"},
        {"an older picture", "--render-pose", pose, "old.png", png, "", ""},
        {"an empty file", "--render-pose", pose, "empty.png", "", "", ""},
    };
    std::filesystem::create_directories(dir.File("frames"));
    dir.Write("frames/frame-002.png", genomeBytes);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const bool frames = c.output == "frames";
        if (!frames) dir.Write(c.output, c.existing);
        Outcome run = Mirtala(std::string(c.command) + " '" + dir.File(c.output) + "'" + c.args);
        if (c.refused.empty()) {
            EXPECT_EQ(run.status, 0) << run.err;
            EXPECT_EQ(PngPixels(dir.File(c.output), 20, 20).size(), 400u);
            continue;
        }
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, "mirtala: " + dir.File(c.refused) + " exists and is not a " + c.kind +
                               " file; it was not changed.\n");
        EXPECT_EQ(ReadFileBytes(dir.File(c.refused)), frames ? genomeBytes : c.existing);
        EXPECT_FALSE(frames && std::filesystem::exists(dir.File("frames/frame-000.png")))
            << "a frame came before the refusal";
    }
}

// A folder that cannot be made says the system's reason for that, not what a look
// afterwards finds ("No such file or directory").
TEST_F(CliRenderTest, AFolderThatCannotBeMadeSaysWhy) {
    const mirtala::test::ReadOnlyMount ro;
    MIRTALA_REQUIRE_MOUNT(ro);
    Outcome run = Mirtala("--render-gait '" + ro.File("frames") + "' --pose-strings 201111111111111 --size 8x8");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "mirtala: " + ro.File("frames") + " is not a folder that can be written (Read-only file system).\n");
}

// A pose that is not written when the control fails is the unreadable registry's test below.
TEST_F(CliRenderTest, WritesNoPictureOfABodyThatDoesNotLoad) {
    ASSERT_TRUE(reg::WriteHostFolders(dir.File("nobody"), dir.File("nobody"), nullptr));
    Outcome run = Mirtala("--render-gait '" + dir.File("g") +
                          "' --pose-strings 201111111111111,2013 --appearance 0,4,1,1,1,0,0,0,2,1,1,0");
    EXPECT_EQ(run.status, 1) << run.out;
    const std::string folder = dir.File("nobody") + "/";
    EXPECT_EQ(run.err, "mirtala: Unable to find a head sprite file for adult male Brask of variant B.\n[Tried '" +
                           folder + "a14b.s16']\nmirtala: no picture was written; the host product's folders are " +
                           folder + " and " + folder +
                           ".\nmirtala: give the folders for this run with --images DIR "
                           "--body-data DIR, or draw the demo creature (" +
                           std::getenv("MIRTALA_BINARY_DIR") + "/demo-creature) with --demo-creature.\n");
    EXPECT_FALSE(std::filesystem::exists(dir.File("g")));
    // Folders for one run draw, and the stored ones stay as they were.
    for (const std::string& folders :
         {"--images='" + DemoImages() + "' --body-data '" + DemoBodyData() + "'", std::string("--demo-creature")}) {
        run = Mirtala("--sheet '" + dir.File("s.png") + "' --pose-strings 201111111111111 " + folders);
        EXPECT_EQ(run.status, 0) << folders << "\n" << run.err;
    }
    EXPECT_EQ(reg::FindHostFolders().images.path, folder);
}

// Outputs go through the one atomic writer: a link planted at the old fixed
// temporary name is not followed (a folder is refused: see the usage table).
TEST_F(CliRenderTest, APoseIsWrittenWholeAndNotThroughALinkAtATemporaryName) {
    const std::string genome = dir.File("copy.gen");
    std::filesystem::copy_file(kSample, genome);
    std::filesystem::create_symlink(genome, dir.File("linked.png.part"));
    Outcome run = Mirtala("--render-pose '" + dir.File("linked.png") + "' --pose-string 201111111111111 --size 40x30");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(PngPixels(dir.File("linked.png"), 40, 30).size(), 40u * 30u);
    EXPECT_EQ(ReadFileBytes(genome), ReadFileBytes(kSample));
}

// A disk that fills up, by the file-size limit: the first frame fails, the
// run says so and the frames of the earlier run stay as they were.
TEST_F(CliRenderTest, AFullDiskFailsNamingTheFileAndKeepsTheOlderFrames) {
    const std::string frames = dir.File("full");
    const std::string args = "--render-gait '" + frames + "' --frames 3 --size 100x100 --pose-strings ";
    ASSERT_EQ(Mirtala(args + "201111111111111").status, 0);
    const std::string before = ReadFileBytes(frames + "/frame-000.png");
    Outcome run = Mirtala(args + "201333111113311", "trap '' XFSZ; ulimit -f 1; ");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("frame-000.png: File too large"), std::string::npos) << run.err;
    EXPECT_EQ(ReadFileBytes(frames + "/frame-000.png"), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(frames), {}), 3);
}

TEST_F(CliRenderTest, OlderFramesAreCountedAndFrameNamesSort) {
    const std::string frames = dir.File("older");
    const std::string args = "--render-gait '" + frames + "' --pose-strings 201111111111111 --size 8x8 --frames ";
    ASSERT_EQ(Mirtala(args + "16").status, 0);
    Outcome run = Mirtala(args + "2");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.err.find("still holds 14 older frame files from an earlier run (frame-002.png ... frame-015.png)"),
              std::string::npos)
        << run.err;
    // Three digits up to a thousand frames (the run above shows them), then as many as the last needs.
    struct Name {
        int index, count;
        const char* name;
    };
    const Name names[] = {{999, 1000, "frame-999.png"}, {0, 1001, "frame-0000.png"}, {9999, 10000, "frame-9999.png"}};
    for (const Name& n : names) EXPECT_EQ(mirtala::FrameName(n.index, n.count), n.name);
}

// Advice to register again would fail on the same file: the file is named with
// the parser's line and reason instead, and a module that cannot be loaded with
// the loader's reason (each reason is the module tests').
TEST_F(CliRenderTest, AnUnreadableRegistryOrADamagedModuleIsNamed) {
    const std::string machine = registry.File("HKEY_LOCAL_MACHINE").string();
    const std::string good = ReadFileBytes(machine);
    { std::ofstream(machine, std::ios::trunc) << "REGEDIT4\n\ngarbage\n" << good.substr(good.find('[')); }
    const std::string args = "--render-pose '" + dir.File("p.png") + "' --pose-string 201111111111111";
    Outcome run = Mirtala(args);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(machine + " cannot be read: line 3: a value outside any key"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("not registered"), std::string::npos) << run.err;

    const std::string truncated = dir.Write("Zubrelle.so", ReadFileBytes(ZUBRELLE_MODULE_PATH).substr(0, 4096));
    { std::ofstream(machine, std::ios::trunc) << good; }
    ASSERT_TRUE(WriteRegString(reg::HKEY_CLASSES_ROOT, "CLSID\\{11DF2DD2-A937-11D2-9D30-0090271EEABE}\\InprocServer32",
                               "", truncated));
    run = Mirtala(args);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(truncated + " cannot be loaded: it is cut short"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("p.png")));
}

#if defined(__SANITIZE_ADDRESS__)
#define MIRTALA_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MIRTALA_UNDER_ASAN 1
#endif
#endif

// A dump whose output cannot be written, or whose genome does not fit in the
// memory it may use, ends with a message and exit 1, not an abort.
TEST_F(CliRenderTest, ADumpFailsWhenOutputOrMemoryRunsOut) {
    const std::string err = dir.File("full.err");
    const int status =
        std::system(("'" MIRTALA_PROGRAM "' --dump '" + kSample + "' >/dev/full 2>'" + err + "'").c_str());
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_NE(ReadFileBytes(err).find("standard output cannot be written"), std::string::npos);
#ifndef MIRTALA_UNDER_ASAN  // the address sanitizer reserves memory beyond any data limit
    std::string large = "dna2";
    for (int i = 0; i < (16 << 20) / 15; ++i) large += std::string("gene\x02\x01\x01\0\0\0\0\x01\x02\x03\x04", 15);
    // The dump holds little more than the file, so the limit is below the file's own size.
    Outcome run = Mirtala("--dump '" + dir.Write("large.gen", large) + "'", "ulimit -d 12000; ");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("out of memory while running --dump"), std::string::npos) << run.err;
#endif
}

struct Usage {
    const char* name;
    const char* arguments;  // GENOME, OUT and DIR stand for the sample, an output and the run's folder
    int status;
    const char* message;  // a part of what the run writes to standard error
};

class CliRenderUsage : public CliRenderTest, public testing::WithParamInterface<Usage> {};

TEST_P(CliRenderUsage, IsRefusedWithAMessage) {
    const Usage& usage = GetParam();
    std::string args = usage.arguments;
    for (std::size_t at; (at = args.find("GENOME")) != std::string::npos;) args.replace(at, 6, kSample);
    for (std::size_t at; (at = args.find("OUT")) != std::string::npos;) args.replace(at, 3, dir.File("o"));
    for (std::size_t at; (at = args.find("DIR")) != std::string::npos;) args.replace(at, 3, dir.Path());
    Outcome run = Mirtala(args);
    EXPECT_EQ(run.status, usage.status);
    EXPECT_NE(run.err.find(usage.message), std::string::npos) << run.err;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2)
        << "only the run's stdout and stderr";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliRenderUsage,
    testing::Values(
        Usage{"NoPose", "--render-pose OUT", 2, "either --pose-string"},
        Usage{"GenomeWithoutPose", "--render-pose OUT --genome GENOME", 2, "either"},
        Usage{"NinePoses", "--render-gait OUT --pose-strings 1,2,3,4,5,6,7,8,9", 2, "one to eight"},
        Usage{"ShortAppearance", "--render-pose OUT --pose-string 2 --appearance 1,2,3", 2, "twelve"},
        Usage{"AppearanceOver16Bits", "--render-pose OUT --pose-string 2 --appearance 0,0,0,0,0,0,0,0,0,0,0,32768", 2,
              "'32768' is not a 16-bit number"},
        Usage{"NoFrames", "--render-gait OUT --pose-strings 2,3 --frames 0", 2, "--frames"},
        Usage{"MissingPose", "--render-pose OUT --genome GENOME --pose 77", 1, "no pose gene for pose 77"},
        Usage{"MissingGait", "--render-gait OUT --genome GENOME --gait 9", 1, "no gait 9"},
        Usage{"NotAGenome", "--render-pose OUT --genome OUT --pose 1", 1, "input genome"},
        Usage{"GifOfSomeFrames", "--render-gait OUT.gif --pose-strings 2,3 --frames 4", 2, "one full cycle"},
        Usage{"NoColumns", "--sheet OUT --pose-strings 2,3 --columns 0", 2, "--columns takes a number"},
        Usage{"SheetOverAFolder", "--sheet DIR --pose-strings 2,3", 1, "a folder; the file was not changed"},
        Usage{"GifTooLarge", "--render-gait OUT.gif --pose-strings 2,3 --size 8192x8192 --scale 1", 1,
              "more than can be held"}),
    [](const auto& info) { return std::string(info.param.name); });
