// The command line as a whole: what goes to the editor, what is a batch
// command, and every usage error naming the argument at fault.
#include "editor/app/CommandLine.h"
#include "editor/app/RenderOptions.h"

#include <gtest/gtest.h>

namespace mirtala {
namespace {

struct Case {
    std::vector<std::string> args;
    const char* command;  // "" for the editor
    const char* error;    // "" for none
};
const Case kCases[] = {
    {{}, "", ""},
    {{"-platform", "offscreen", "a.gen", "--screenshot", "s.png"}, "", ""},
    {{"--screenshot", "s.png", "--dump", "a.gen"}, "", "--screenshot is an option of the editor, not of --dump"},
    {{"--names", "n.txt", "--dump", "a.gen"}, "--dump", ""},  // options may come before their command
    {{"--render-pose", "o.png", "--angle", "-5", "--pose-string", "2"}, "--render-pose", ""},
    {{"--dump", "a.gen", "--bogus"}, "", "unknown option --bogus"},
    {{"--dump", "--names", "n.txt"}, "", "--dump needs a value"},
    {{"--names", "n.txt"}, "", "--names is an option of --dump or --check"},
    {{"--dump", "a", "--pose", "2"}, "", "--pose is an option of --render-pose, not of --dump"},
    {{"--dump", "a", "--json"}, "", "--json is an option of --check, not of --dump"},
    {{"--dump", "a", "--dump", "b"}, "", "--dump is given twice"},
    {{"--render-pose", "o", "--frames", "2"}, "", "--frames is an option of --render-gait, not of --render-pose"},
    {{"--dump", "a", "--render-pose", "b"}, "", "--dump and --render-pose cannot be combined"},
    {{"-platform", "x", "--dump", "a"}, "", "unexpected argument -platform"},
    {{"--dump", "a", "--bogus", "-h"}, "--help", ""},
    {{"--sheet", "s.png", "--gait", "1", "--genome", "a", "--columns", "4"}, "--sheet", ""},
    {{"--render-gait", "w.gif", "--pose-strings", "1", "--columns", "2"},
     "",
     "--columns is an option of --sheet, not of --render-gait"},
    {{"--render-pose", "o", "--gait", "1"},
     "",
     "--gait is an option of --render-gait or --sheet, not of --render-pose"},
    {{"--pose-sheet", "p.png", "--genome", "a", "--stages", "2-4", "--scale", "1"}, "--pose-sheet", ""},
    {{"--pose-sheet", "p.png", "--size", "3x3"},
     "",
     "--size is an option of --render-pose, --render-gait or --sheet, not of --pose-sheet"},
    {{"--render-pose", "o", "--genome"}, "", "--genome needs a value"},
    // An attached value is the next argument's, even one that looks like an option.
    {{"--render-pose=o.png", "--pose-string=--x", "--demo-creature"}, "--render-pose", ""},
    {{"--dump", "a", "--names="}, "--dump", ""},
    {{"--render-pose", "o", "--demo-creature=yes"}, "", "--demo-creature takes no value"},
    {{"--dump=a", "--version"}, "--version", ""},
    // Single-dash: the toolkit's own go to the editor, with their values; others are mistakes.
    {{"-style", "fusion", "-reverse", "-qwindowtitle=T", "a.gen"}, "", ""},
    {{"a.gen", "-x"}, "", "unknown option -x"},
    {{"-platformx", "offscreen"}, "", "unknown option -platformx"}};

TEST(CommandLine, CommandsAndUsageErrors) {
    for (const Case& c : kCases) {
        const CommandLine line = ParseCommandLine(c.args);
        EXPECT_EQ(line.command, c.command) << testing::PrintToString(c.args);
        EXPECT_EQ(line.error, c.error) << testing::PrintToString(c.args);
    }
}

// Each range's ends are accepted and the first value past them refused; that
// the values reach the pictures is the render tests' to show.
TEST(RenderOptions, RangesAreInclusive) {
    const struct {
        const char* option;
        std::vector<const char*> accepted, refused;
        const char* error;
    } cases[] = {{"--scale",
                  {"64", "1.2e-38"},
                  {"64.0001", "0", "1e-40", "nan", "inf"},
                  "--scale takes a number above 0 and at most 64"},
                 {"--size", {"8192x1"}, {"8193x1", "0x1"}, "--size takes WIDTHxHEIGHT, each from 1 to 8192"},
                 {"--angle", {"-1e9"}, {"1.1e9"}, "--angle takes a number of degrees"},
                 {"--frames", {"10000"}, {"10001"}, "--frames takes a number from 1 to 10000"},
                 {"--friction", {}, {"yes"}, "--friction takes on or off"}};
    for (const auto& c : cases)
        for (const bool ok : {true, false})
            for (const char* value : ok ? c.accepted : c.refused) {
                const CommandLine line = ParseCommandLine({"--render-gait", "o", c.option, value});
                ASSERT_EQ(line.error, "") << c.option;
                RenderOptions options;
                std::string message;
                EXPECT_EQ(ParseRenderOptions(line, options, message), ok) << c.option << " " << value;
                EXPECT_EQ(message, ok ? "" : c.error);
            }
}

TEST(RenderOptions, TheDemoCreatureBringsBothFolders) {
    for (const char* folder : {"--images", "--body-data"}) {
        RenderOptions options;
        std::string message;
        EXPECT_FALSE(ParseRenderOptions(ParseCommandLine({"--render-pose", "o", "--demo-creature", folder, "/d"}),
                                        options, message));
        EXPECT_EQ(message, "--demo-creature brings its own folders; it does not go with --images or --body-data");
    }
}

}  // namespace
}  // namespace mirtala
