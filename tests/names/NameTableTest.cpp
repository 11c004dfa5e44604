// The name table: defaults, the name file, and the pose-name and gait-name imports.
#include "editor/document/NameTable.h"
#include "editor/genome/Genome.h"
#include "fixtures/TempDir.h"

#include <gtest/gtest.h>

namespace mirtala {
namespace {

using test::TempDir;

std::string U16(unsigned v) { return {static_cast<char>(v & 0xff), static_cast<char>(v >> 8)}; }
std::string PoseRecord(std::string_view name) { return U16(static_cast<unsigned>(name.size())) + std::string(name); }
std::string GaitRecord(unsigned type, unsigned sub, unsigned id, std::string_view name, std::string_view second = "") {
    return U16(type) + U16(sub) + U16(id) + U16(0xBEEF) + U16(static_cast<unsigned>(name.size())) + std::string(name) +
           U16(static_cast<unsigned>(second.size())) + std::string(second);
}

void AddGait(Genome& g, std::uint8_t id, std::uint8_t number) {
    g.Append(Gene{{2, 4, id}, {number, 0, 0, 0, 0, 0, 0, 0, 0}});
}

using Names = std::vector<std::pair<unsigned, std::string>>;

// A table holding these names over the defaults.
NameTable With(const Names& names) {
    NameTable t;
    for (const auto& [index, name] : names) t.SetName(index, name);
    return t;
}

// Each entry holds its name.
void ExpectNames(const NameTable& t, const Names& names) {
    for (const auto& [index, name] : names) EXPECT_EQ(t.GetName(index), name) << "entry " << index;
}

TEST(NameTableDefaults, NumbersAndOutOfRange) {
    NameTable t;
    ExpectNames(t, {{0, "0"}, {255, "255"}, {256, "0"}, {511, "255"}, {512, ""}});
    t.SetName(512, "x");  // one past the last entry
    EXPECT_EQ(t.GetName(512), "");
    t.SetName(7, "two\r\nlines\nhere");
    EXPECT_EQ(t.GetName(7), "two  lines here");
}

TEST(NameFile, LinesReplaceEntriesInOrder) {
    std::string sixHundred;
    for (int i = 0; i < 600; ++i) sixHundred += "n" + std::to_string(i) + "\n";
    const struct {
        std::string file;
        Names expected;
    } cases[] = {{"Walk\n\nRun\n", {{0, "Walk"}, {1, ""}, {2, "Run"}, {3, "kept"}, {511, "255"}}},
                 {"Walk\r\n\r\nRun\r\n", {{0, "Walk"}, {1, ""}, {2, "Run"}, {3, "kept"}}},
                 {"a\nb", {{0, "a"}, {1, "b"}, {2, "2"}}},  // the last line without an end
                 {"", {{0, "0"}, {3, "kept"}}},
                 {"\n", {{0, ""}, {1, "1"}}},
                 {"a\rb\n", {{0, "a\rb"}}},                  // a carriage return inside a line is kept
                 {sixHundred, {{0, "n0"}, {511, "n511"}}}};  // more lines than entries fill them all
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.substr(0, 16));
        NameTable t = With({{3, "kept"}});
        t.ParseNameFile(c.file);
        ExpectNames(t, c.expected);
    }
}

TEST(NameFile, SaveAndLoadRoundTrip) {
    TempDir dir;
    const NameTable t = With({{5, "Crouch"}, {300, ""}, {511, "Last \xe9"}});
    ASSERT_TRUE(t.SaveNameFile(dir.File("posegait.txt")));
    const std::string text = test::ReadFileBytes(dir.File("posegait.txt"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 512);
    NameTable back = With({{300, "overwritten"}});
    ASSERT_TRUE(back.LoadNameFile(dir.File("posegait.txt")));
    for (unsigned i = 0; i < NameTable::kEntries; ++i) EXPECT_EQ(back.GetName(i), t.GetName(i)) << i;

    NameTable untouched = With({{1, "same"}});
    EXPECT_FALSE(untouched.LoadNameFile(dir.File("missing.txt")));
    EXPECT_EQ(untouched.GetName(1), "same");
}

TEST(PoseNameImport, RecordsNamePosesAndResetTheRest) {
    NameTable t = With({{2, "old"}, {256 + 4, "gait stays"}});
    t.ParsePoseNames(PoseRecord("Stand") + PoseRecord("Walk"));
    ExpectNames(t, {{0, "Stand"}, {1, "Walk"}, {2, "2"}, {260, "gait stays"}});

    // A name cut short keeps its length with zero bytes; a lone length byte ends the file.
    t.ParsePoseNames(PoseRecord("A") + U16(4) + "Ru");
    EXPECT_EQ(t.GetName(1), std::string("Ru\0\0", 4));
    t.ParsePoseNames(PoseRecord("A") + "\x05");
    ExpectNames(t, {{0, "A"}, {1, "1"}});

    std::string many;
    for (int i = 0; i < 300; ++i) many += PoseRecord("p" + std::to_string(i));
    t.ParsePoseNames(many);
    ExpectNames(t, {{255, "p255"}, {256, "0"}});

    TempDir dir;
    t.SetName(9, "reset even when missing");
    EXPECT_FALSE(t.ImportPoseNames(dir.File("missing")));
    EXPECT_EQ(t.GetName(9), "9");
}

TEST(GaitNameImport, RecordsNameGaitsThroughTheirGeneIds) {
    Genome g;
    AddGait(g, 5, 12);
    AddGait(g, 6, 13);
    AddGait(g, 6, 14);  // a second gene with id 6: only the first is named
    NameTable t = With({{1, "pose stays"}, {256 + 200, "reset"}});
    const std::string file = "HEAD" + GaitRecord(2, 4, 5, "Trot", "ignored text") + GaitRecord(2, 3, 5, "pose rec") +
                             GaitRecord(7, 4, 6, "other type") + GaitRecord(2, 4, 9, "no such gene") +
                             GaitRecord(2, 4, 6, "Amble") + GaitRecord(2, 4, 6, std::string(300, 'a'));
    TempDir dir;
    EXPECT_TRUE(t.ImportGaitNames(dir.Write("names.gno", file), g));
    // Of two records for one gene the last wins, its name's length past one byte.
    ExpectNames(t, {{268, "Trot"}, {269, std::string(300, 'a')}, {270, "14"}, {456, "200"}, {1, "pose stays"}});
    EXPECT_FALSE(t.ImportGaitNames(dir.File("missing"), g));
    ExpectNames(t, {{268, "12"}, {1, "pose stays"}});  // reset even when missing
}

// An imported name holding a line break would shift every later name by one in the name
// file written at exit; imports flatten line breaks as typing does.
TEST(NameImports, LineBreaksBecomeSpacesAndTheNameFileKeepsItsPlaces) {
    Genome g;
    AddGait(g, 5, 7);
    NameTable t;
    t.ParsePoseNames(PoseRecord("Lie\ndown") + PoseRecord("Sit\r\nup") + PoseRecord("Ends in CR\r"));
    t.ParseGaitNames("HEAD" + GaitRecord(2, 4, 5, "Slow\nwalk\r"), g);
    ExpectNames(t, {{0, "Lie down"}, {1, "Sit  up"}, {2, "Ends in CR "}, {256 + 7, "Slow walk "}});

    NameTable back;
    back.ParseNameFile(t.NameFileText());
    for (unsigned i = 0; i < NameTable::kEntries; ++i) EXPECT_EQ(back.GetName(i), t.GetName(i)) << i;
}

TEST(GaitNameImport, RecordsCutShortEndReadingAndPartNamesAreDropped) {
    Genome g;
    AddGait(g, 1, 1);
    AddGait(g, 2, 2);
    const std::string whole = "HEAD" + GaitRecord(2, 4, 1, "First");
    const std::string second = GaitRecord(2, 4, 2, "Second");
    NameTable t;
    for (std::size_t cut = 0; cut < second.size(); ++cut) {
        t.ParseGaitNames(whole + second.substr(0, cut), g);
        EXPECT_EQ(t.GetName(257), "First") << cut;
        // The second name is used only once all its bytes are there.
        EXPECT_EQ(t.GetName(258), cut >= 10 + 6 ? "Second" : "2") << cut;
    }
    t.ParseGaitNames("HE", g);
    EXPECT_EQ(t.GetName(257), "1");
}

}  // namespace
}  // namespace mirtala
