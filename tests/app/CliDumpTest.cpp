// `mirtala --dump` end to end on the sample genome and on bad input.
#include "editor/app/CliDump.h"
#include "editor/app/CommandLine.h"
#include "fixtures/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

namespace mirtala {
namespace {

using nlohmann::json;

struct Result {
    int status;
    std::string out, err;
};

Result Dump(std::vector<std::string> args) {
    std::ostringstream out, err;
    const CommandLine line = ParseCommandLine(args);
    EXPECT_EQ(line.command, "--dump") << line.error;
    const int status = RunDump(line, out, err);
    return {status, out.str(), err.str()};
}

// The JSON of a dump that succeeds.
json DumpJson(std::vector<std::string> args) {
    const Result r = Dump(std::move(args));
    EXPECT_EQ(r.status, 0) << r.err;
    return json::parse(r.out);
}

std::string Sample(const char* name) { return std::string(std::getenv("MIRTALA_SOURCE_DIR")) + "/samples/" + name; }

TEST(CliDump, SampleGenomeWithNames) {
    const json j = DumpJson({"--dump", Sample("demo.gen"), "--names", Sample("posegait.txt")});
    EXPECT_TRUE(j["ok"].get<bool>());
    EXPECT_TRUE(j["warnings"].empty());
    EXPECT_EQ(j["genus"], 1);
    EXPECT_EQ(j["appearance"], json::parse("[[1,1],[1,0],[0,0],[2,1],[1,0]]"));
    ASSERT_GE(j["genes"].size(), 20u);
    EXPECT_EQ(j["genes"][0], json::parse(R"({"header": [0, 0, 1, 0, 0, 0, 0], "data": "1020304000ff"})"));
    // Genes 8 and 20 of the sample are its first pose and gait genes.
    EXPECT_EQ(j["poses"][0], json::parse(R"({"gene": 8, "number": 1, "switchOn": 0, "id": 1, "pose": "211111111111111",
                                             "name": "Stand"})"));
    EXPECT_EQ(j["gaits"][0], json::parse(R"({"gene": 20, "number": 1, "id": 1, "steps": [2, 3, 4, 5, 0, 0, 0, 0],
                                             "name": "Walk"})"));

    // Without a name file there is no "name" key.
    EXPECT_FALSE(DumpJson({"--dump", Sample("demo.gen")})["poses"][0].contains("name"));
}

// Pose strings and names are Windows-1252 bytes, shown in UTF-8; warnings come
// in the order they arose, however many there are.
TEST(CliDump, WarningsShortGenesAndWindows1252Names) {
    test::TempDir dir;
    // A pose gene with three data bytes, two above 127, and no closing token.
    std::string file(
        "dna2gene\x02\x03\x01\x00\x00\x00\x00\x07"
        "A\x80\xe9",
        19);
    const std::string names = std::string(7, '\n') + "Caf\xe9 \x93quoted\x94\n";
    json j = DumpJson({"--dump", dir.Write("short.gen", file), "--names", dir.Write("names.txt", names)});
    EXPECT_EQ(j["warnings"], json::parse(R"(["Expected token 'gene' or 'gend'."])"));
    EXPECT_EQ(j["poses"][0]["pose"], "A\u20ac\u00e9");
    EXPECT_EQ(j["poses"][0]["name"], "Caf\u00e9 \u201cquoted\u201d");
    EXPECT_EQ(j["genes"][0]["data"], "074180e9");
    const Result raw = Dump({"--dump", dir.File("short.gen"), "--names", dir.File("names.txt")});
    EXPECT_NE(raw.out.find("Caf\xc3\xa9 \xe2\x80\x9c"), std::string::npos) << "UTF-8 as it is, not escaped";

    j = DumpJson({"--dump", dir.Write("headless.gen", "dna2genegenegenegene1234567gen")});
    EXPECT_EQ(j["warnings"], json::parse(R"(["Gene does not contain header.", "Gene does not contain header.",
        "Gene does not contain header.", "Expected token 'gene' or 'gend'."])"));
    EXPECT_EQ(j["genes"].size(), 1u);
}

TEST(CliDump, Failures) {
    test::TempDir dir;
    Result r = Dump({"--dump", dir.Write("bad.gen", "DNA2gend")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(json::parse(r.out), json::parse(R"({"ok": false, "warnings": ["Not a genome File."]})"));

    r = Dump({"--dump", dir.File("missing.gen")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("missing.gen: No such file"), std::string::npos) << r.err;
    r = Dump({"--dump", dir.Path()});
    EXPECT_NE(r.err.find("it is a folder"), std::string::npos) << r.err;

    r = Dump({"--dump", Sample("demo.gen"), "--names", dir.Path()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "mirtala: cannot open name file '" + dir.Path() + "': it is a folder, not a file\n");
}

}  // namespace
}  // namespace mirtala
