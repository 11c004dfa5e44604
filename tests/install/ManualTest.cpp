// The command line's conventions as a user meets them: --version, usage
// errors without a display, and a manual page that lists every option of --help.
#include "fixtures/TempDir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <regex>
#include <set>

namespace {

using mirtala::test::ReadFileBytes;

struct Outcome {
    int status;
    std::string out;
};

Outcome Mirtala(const std::string& args) {
    mirtala::test::TempDir dir;
    // No display: a usage error must be found before one is needed.
    const int status = std::system(("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" MIRTALA_PROGRAM "' " +
                                    args + " >'" + dir.File("out") + "' 2>&1")
                                       .c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFileBytes(dir.File("out"))};
}

TEST(CommandLineConventions, VersionAndUsageErrorsNeedNoDisplay) {
    const Outcome version = Mirtala("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.starts_with("Mirtala 0.1\nQt 6.")) << version.out;
    const Outcome unknown = Mirtala("-x genome.gen");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.out.find("unknown option -x"), std::string::npos) << unknown.out;
}

TEST(CommandLineConventions, TheManualPageListsEveryOptionOfHelp) {
    const Outcome help = Mirtala("--help");
    ASSERT_EQ(help.status, 0);
    const std::string manual = ReadFileBytes(MIRTALA_MANUAL);
    std::set<std::string> options;
    const std::regex option("--[a-z][a-z-]*[a-z]");
    for (std::sregex_iterator it(help.out.begin(), help.out.end(), option), end; it != end; ++it)
        options.insert(it->str());
    EXPECT_GT(options.size(), 20u);
    for (const std::string& name : options) {
        // roff writes each '-' of an option as "\-".
        std::string roff;
        for (char c : name) roff += c == '-' ? std::string("\\-") : std::string(1, c);
        EXPECT_NE(manual.find(roff), std::string::npos) << name << " is not in the manual page";
    }
}

}  // namespace
