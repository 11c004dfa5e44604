// `mirtala --check` end to end: its lines, exit status and JSON.
#include "editor/app/CliCheck.h"
#include "editor/app/CommandLine.h"
#include "fixtures/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

namespace mirtala {
namespace {

std::string Sample(const char* name) { return std::string(std::getenv("MIRTALA_SOURCE_DIR")) + "/samples/" + name; }

// A gait of pose 12 that no gene carries, and pose 3 that no gait uses.
std::string BrokenGenome() {
    std::string file = "dna2gene";
    file += std::string{2, 3, 1, 0, 0, 0, 0, 3} + std::string(15, '0');
    file += "gene";
    file += std::string{2, 4, 1, 0, 0, 0, 0, 3, 0, 0, 0, 0, 12, 0, 0, 0};
    return file + "gend";
}

TEST(CliCheck, LinesStatusAndJson) {
    test::TempDir dir;
    const std::string broken = dir.Write("broken.gen", BrokenGenome());
    const std::string prefix = broken + ": ";
    const struct {
        std::vector<std::string> args;
        int status;
        std::string out, err;  // "" when checked empty
    } cases[] = {
        {.args = {"--check", broken},
         .status = 1,
         .out = prefix +
                "gait 3 step 5: pose 12 has no gene active at Embryo, Child, Adolescent, Youth, Adult, Old, Senile\n" +
                prefix + "pose 3 is used by no gait (information)\n"},
        {.args = {"--check", broken, "--names", Sample("posegait.txt")},
         .status = 1,
         .out = prefix +
                "gait 3 step 5: pose 12 has no gene active at Embryo, Child, Adolescent, Youth, Adult, Old, Senile\n" +
                prefix + "gait 3 has no name\n" + prefix + "pose 3 is used by no gait (information)\n"},
        {.args = {"--check", dir.Write("empty.gen", "dna2gend")},
         .status = 0,
         .out = dir.File("empty.gen") + ": reading: Expected token 'gene' or 'gend'.\n" + dir.File("empty.gen") +
                ": reading: Gene does not contain header.\n"},
        {.args = {"--check", dir.File("missing.gen")},
         .status = 1,
         .err = "mirtala: cannot open " + dir.File("missing.gen") + ": No such file or directory\n"},
        {.args = {"--check", dir.Write("text.gen", "hello")},
         .status = 1,
         .err = "mirtala: cannot read " + dir.File("text.gen") + ": Not a genome File.\n"},
    };
    for (const auto& c : cases) {
        const CommandLine line = ParseCommandLine(c.args);
        ASSERT_EQ(line.command, "--check") << line.error;
        std::ostringstream out, err;
        EXPECT_EQ(RunCheck(line, out, err), c.status) << c.args[1];
        EXPECT_EQ(out.str(), c.out) << c.args[1];
        EXPECT_EQ(err.str(), c.err) << c.args[1];
    }
}

TEST(CliCheck, JsonHoldsTheSameFindings) {
    test::TempDir dir;
    const std::string broken = dir.Write("broken.gen", BrokenGenome());
    std::ostringstream out, err;
    EXPECT_EQ(RunCheck(ParseCommandLine({"--check", broken, "--json"}), out, err), 1);
    const auto j = nlohmann::json::parse(out.str());
    EXPECT_EQ(j, nlohmann::json::parse(R"({"file": ")" + broken + R"(", "problems": true, "warnings": [], "findings": [
        {"kind": "problem", "gene": 1, "key": [2, 4, 1],
         "text": "gait 3 step 5: pose 12 has no gene active at Embryo, Child, Adolescent, Youth, Adult, Old, Senile"},
        {"kind": "information", "gene": 0, "key": [2, 3, 1], "text": "pose 3 is used by no gait"}]})"));
}

}  // namespace
}  // namespace mirtala
