// The mirtala program run as a user runs it: usage errors, standard output that
// cannot be written, and running out of memory.
#include "fixtures/TempDir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>

namespace {

struct Outcome {
    int status;
    std::string err;
};

// Runs the program through the shell, so that a case can set limits first.
Outcome Shell(const mirtala::test::TempDir& dir, const std::string& command) {
    const std::string err = dir.File("stderr");
    const int status = std::system(("(" + command + ") 2>'" + err + "'").c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), mirtala::test::ReadFileBytes(err)};
}

const std::string kProgram = "'" MIRTALA_PROGRAM "'";
const std::string kSample = std::string(std::getenv("MIRTALA_SOURCE_DIR")) + "/samples/demo.gen";

// Usage errors (the parser's table is in CommandLineTest) and output that cannot be written.
TEST(Program, UsageErrorsAndAFullOutputFail) {
    mirtala::test::TempDir dir;
    const std::tuple<std::string, int, const char*> cases[] = {
        {" --dump a.gen --dump b.gen >/dev/null", 2, "--dump is given twice"},
        {" --render-pose o.png --frames 3 --pose-string 2 >/dev/null", 2, "--frames is an option of --render-gait"},
        {" --dump '" + kSample + "' >/dev/full", 1, "standard output cannot be written"},
    };
    for (const auto& [args, status, message] : cases) {
        const Outcome run = Shell(dir, kProgram + args);
        EXPECT_EQ(run.status, status) << args;
        EXPECT_NE(run.err.find(message), std::string::npos) << args << ": " << run.err;
    }
}

#if defined(__SANITIZE_ADDRESS__)
#define MIRTALA_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MIRTALA_UNDER_ASAN 1
#endif
#endif

// A genome far larger than the memory it may use: a message and exit 1, not an abort.
TEST(Program, RunningOutOfMemoryIsAMessage) {
#ifdef MIRTALA_UNDER_ASAN
    GTEST_SKIP() << "the address sanitizer reserves memory beyond any data limit";
#endif
    mirtala::test::TempDir dir;
    {
        std::ofstream file(dir.File("large.gen"), std::ios::binary);
        file << "dna2";
        const std::string gene("gene\x02\x01\x01\x00\x00\x00\x00\x01\x02\x03\x04", 15);
        for (int i = 0; i < (16 << 20) / 15; ++i) file << gene;
        file << "gend";
    }
    const Outcome run = Shell(dir, "ulimit -d 60000; exec " + kProgram + " --dump '" + dir.File("large.gen") + "' >/dev/null");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("out of memory while running --dump"), std::string::npos) << run.err;
}

}  // namespace
