// The shared file layer: what the atomic writer does with links, folders,
// pipes, long names and failed writes, and why a read fails.
#include "platform/fileio/AtomicFile.h"
#include "fixtures/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mirtala {
namespace {

namespace fs = std::filesystem;
using test::ReadFileBytes;
using test::TempDir;

std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(AtomicWrite, GoesThroughLinksAndKeepsOwnerAndMode) {
    TempDir dir;
    const std::string target = dir.Write("target", "old");
    ::chmod(target.c_str(), 0640);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(target.c_str(), 4321, 4321), 0);
    }
    fs::create_symlink("target", dir.File("near"));
    fs::create_symlink(dir.File("near"), dir.File("far"));
    fs::create_symlink("missing", dir.File("dangling"));

    std::string error;
    ASSERT_TRUE(WriteFileAtomically(dir.File("far"), std::string_view("new"), &error)) << error;
    ASSERT_TRUE(WriteFileAtomically(dir.File("dangling"), std::string_view("made"), &error)) << error;
    EXPECT_TRUE(fs::is_symlink(dir.File("far")));
    EXPECT_TRUE(fs::is_symlink(dir.File("near")));
    EXPECT_EQ(ReadFileBytes(target), "new");
    EXPECT_EQ(ReadFileBytes(dir.File("missing")), "made");
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(st.st_uid, 4321u);
    }
    EXPECT_EQ(Names(dir.Path()), (std::vector<std::string>{"dangling", "far", "missing", "near", "target"}));
}

TEST(AtomicWrite, RefusesFoldersAndPipesAndLeavesThem) {
    TempDir dir;
    fs::create_directory(dir.File("folder"));
    ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
    fs::create_symlink("pipe", dir.File("to-pipe"));
    const std::pair<const char*, const char*> cases[] = {
        {"folder", "it is a folder"}, {"pipe", "not a regular file"}, {"to-pipe", "not a regular file"},
        {"folder/", "Is a directory"}};
    for (const auto& [name, reason] : cases) {
        std::string error;
        EXPECT_FALSE(WriteFileAtomically(dir.File(name), std::string_view("x"), &error)) << name;
        EXPECT_NE(error.find(reason), std::string::npos) << error;
    }
    EXPECT_TRUE(fs::is_directory(dir.File("folder")));
    EXPECT_TRUE(fs::is_fifo(dir.File("pipe")));
    EXPECT_EQ(Names(dir.Path()), (std::vector<std::string>{"folder", "pipe", "to-pipe"}));
}

// A disk that fills up: the file-size limit makes every write past it fail.
TEST(AtomicWrite, AFailedWriteKeepsTheOldFileAndLeavesNoTemporaryFile) {
    TempDir dir;
    const std::string name(250, 'n');  // legal; with a suffix appended it would not be
    const std::string file = dir.Write(name, "good old contents");
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(file, std::string_view("fits"), &error)) << error;
    EXPECT_EQ(ReadFileBytes(file), "fits");
    EXPECT_FALSE(WriteFileAtomically(dir.File(std::string(300, 'n')), std::string_view("x"), &error));
    EXPECT_NE(error.find("too long"), std::string::npos) << error;

    struct rlimit old {};
    ::getrlimit(RLIMIT_FSIZE, &old);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 100;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const bool written = WriteFileAtomically(file, std::string(1000, 'x'), &error);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(written);
    EXPECT_NE(error.find("Cannot write"), std::string::npos) << error;
    EXPECT_EQ(ReadFileBytes(file), "fits");
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{name});
}

TEST(WholeFileRead, SaysWhyAFileCannotBeRead) {
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);  // never opened by a writer: must not hang
    const std::string grown = dir.Write("text", std::string(10000, 't'));
    const std::pair<std::string, int> cases[] = {
        {dir.File("missing"), ENOENT}, {dir.Path(), EISDIR}, {dir.File("pipe"), EINVAL}, {grown + "/x", ENOTDIR}};
    for (const auto& [path, code] : cases) {
        std::string bytes = "stale";
        FileError error;
        EXPECT_FALSE(ReadWholeFile(path, bytes, &error)) << path;
        EXPECT_EQ(error.code, code) << path << ": " << error.reason;
        EXPECT_TRUE(bytes.empty());
    }
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(ReadWholeFile(grown, bytes));
    EXPECT_EQ(bytes.size(), 10000u);
}

}  // namespace
}  // namespace mirtala
