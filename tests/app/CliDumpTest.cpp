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

std::string Sample(const char* name) { return std::string(std::getenv("MIRTALA_SOURCE_DIR")) + "/samples/" + name; }

TEST(CliDump, SampleGenomeWithNames) {
    Result r = Dump({"--dump", Sample("demo.gen"), "--names", Sample("posegait.txt")});
    ASSERT_EQ(r.status, 0) << r.err;
    const json j = json::parse(r.out);
    EXPECT_TRUE(j["ok"].get<bool>());
    EXPECT_TRUE(j["warnings"].empty());
    EXPECT_EQ(j["genus"], 1);
    EXPECT_EQ(j["appearance"], json::parse("[[1,1],[1,0],[0,0],[2,1],[1,0]]"));
    ASSERT_GE(j["genes"].size(), 20u);
    EXPECT_EQ(j["genes"][0]["header"], json::parse("[0,0,1,0,0,0,0]"));
    EXPECT_EQ(j["genes"][0]["data"], "1020304000ff");

    const json& pose = j["poses"][0];
    EXPECT_EQ(pose["pose"], "211111111111111");
    EXPECT_EQ(pose["name"], "Stand");
    EXPECT_EQ(j["genes"][pose["gene"].get<std::size_t>()]["header"][1], 3);
    const json& gait = j["gaits"][0];
    EXPECT_EQ(gait["name"], "Walk");
    EXPECT_EQ(gait["steps"], json::parse("[2,3,4,5,0,0,0,0]"));
    EXPECT_EQ(gait["number"], 1);

    // Without a name file there is no "name" key.
    r = Dump({"--dump", Sample("demo.gen")});
    EXPECT_FALSE(json::parse(r.out)["poses"][0].contains("name"));
}

TEST(CliDump, WarningsShortGenesAndHighBytes) {
    test::TempDir dir;
    // A pose gene with three data bytes, one above 127, and no closing token.
    std::string file("dna2gene\x02\x03\x01\x00\x00\x00\x00\x07" "A\xe9", 18);
    Result r = Dump({"--dump", dir.Write("short.gen", file)});
    ASSERT_EQ(r.status, 0);
    const json j = json::parse(r.out);
    EXPECT_EQ(j["warnings"], json::parse(R"(["Expected token 'gene' or 'gend'."])"));
    EXPECT_EQ(j["poses"][0]["pose"], "A\xc3\xa9");  // Latin-1 to UTF-8
    EXPECT_EQ(j["genes"][0]["data"], "0741e9");
}

TEST(CliDump, Failures) {
    test::TempDir dir;
    Result r = Dump({"--dump", dir.Write("bad.gen", "DNA2gend")});
    EXPECT_EQ(r.status, 1);
    const json j = json::parse(r.out);
    EXPECT_FALSE(j["ok"].get<bool>());
    EXPECT_EQ(j["warnings"][0], "Not a genome File.");

    r = Dump({"--dump", dir.File("missing.gen")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("missing.gen"), std::string::npos);

    EXPECT_EQ(Dump({"--dump", Sample("demo.gen"), "--names", dir.File("none.txt")}).status, 1);
}

}  // namespace
}  // namespace mirtala
