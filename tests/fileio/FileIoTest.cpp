// The shared file layer: what the atomic writer does with links, folders,
// pipes, long names and read-only file systems, what a failed whole-file read leaves,
// and the reasons folders cannot be made or listed.
#include "fixtures/ReadOnlyMount.h"
#include "fixtures/TempDir.h"
#include "platform/fileio/AtomicFile.h"
#include "platform/fileio/Folders.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>

namespace mirtala {
namespace {

namespace fs = std::filesystem;
using test::ReadFileBytes;

std::size_t Entries(const std::string& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}

TEST(AtomicWrite, LinksAreWrittenThroughKeepingOwnerAndMode) {
    test::TempDir dir;
    const std::string target = dir.Write("target", "old");
    ::chmod(target.c_str(), 0640);
    const bool root = ::geteuid() == 0;  // only root can give a file away
    ASSERT_TRUE(!root || ::chown(target.c_str(), 4321, 4321) == 0);
    fs::create_symlink("target", dir.File("near"));
    fs::create_symlink(dir.File("near"), dir.File("far"));
    fs::create_symlink("made", dir.File("dangling"));
    const std::size_t openFiles = Entries("/proc/self/fd");
    ASSERT_TRUE(fileio::WriteFileAtomically(dir.File("far"), std::string_view("new")));
    ASSERT_TRUE(fileio::WriteFileAtomically(dir.File("dangling"), std::string_view("x")));
    EXPECT_EQ(Entries("/proc/self/fd"), openFiles) << "a file or folder was left open";
    EXPECT_TRUE(fs::is_symlink(dir.File("far")) && fs::is_symlink(dir.File("near")));
    EXPECT_EQ(ReadFileBytes(target) + ReadFileBytes(dir.File("made")), "newx");
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(std::pair(st.st_mode & 07777, st.st_uid), std::pair(0640u, root ? 4321u : ::geteuid()));
    EXPECT_EQ(Entries(dir.Path()), 5u) << "a temporary file was left";
}

// Folders, pipes and names too long are refused, and left alone; a name legal
// only without the temporary file's suffix is still written. A disk that
// fills up is held by the genome and document save tests.
TEST(AtomicWrite, RefusalsSayWhyAndLeaveNothingBehind) {
    test::TempDir dir;
    fs::create_directory(dir.File("folder"));
    ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
    const std::string name(250, 'n');  // legal, but not with a suffix appended
    const std::string file = dir.Write(name, "old");
    std::string error;
    ASSERT_TRUE(fileio::WriteFileAtomically(file, std::string_view("fits"), &error)) << error;

    const std::pair<std::string, const char*> refused[] = {{"folder", "it is a folder"},
                                                           {"pipe", "it is not a regular file"},
                                                           {std::string(300, 'n'), "File name too long"}};
    for (const auto& [target, reason] : refused) {
        EXPECT_FALSE(fileio::WriteFileAtomically(dir.File(target), std::string_view("x"), &error));
        EXPECT_NE(error.find(reason), std::string::npos) << error;
    }
    EXPECT_EQ(ReadFileBytes(file), "fits");
    EXPECT_TRUE(fs::is_directory(dir.File("folder")) && fs::is_fifo(dir.File("pipe")));
    EXPECT_EQ(Entries(dir.Path()), 3u) << "a temporary file was left";
}

// A read-only file is refused though its folder would allow the rename, through a link too.
TEST(AtomicWrite, ReadOnlyTargetsAreRefusedAndLeftAlone) {
    test::TempDir dir;
    const std::string locked = dir.Write("locked", "old");
    ::chmod(locked.c_str(), 0444);
    fs::create_symlink("locked", dir.File("link"));
    const std::string open = dir.Write("open", "old");
    for (const std::string& path : {locked, dir.File("link")}) {
        std::string error;
        EXPECT_TRUE(fileio::IsReadOnlyFile(path));
        EXPECT_FALSE(fileio::WriteFileAtomically(path, std::string_view("new"), &error));
        EXPECT_EQ(error, "Cannot write " + path + ": it is read-only");
    }
    EXPECT_EQ(ReadFileBytes(locked), "old");
    EXPECT_FALSE(fileio::IsReadOnlyFile(open) || fileio::IsReadOnlyFile(dir.File("missing")) ||
                 fileio::IsReadOnlyFile(dir.Path()));
    EXPECT_EQ(Entries(dir.Path()), 3u) << "a temporary file was left";
}

// Making folders and listing them give the system's reason, not a later look's.
TEST(Folders, MadeOrListedOrSayWhyNot) {
    test::TempDir dir;
    const std::string file = dir.Write("file", "x");
    std::string reason;
    EXPECT_TRUE(fileio::MakeFolders(dir.File("a/b/c"), &reason) && fileio::MakeFolders(dir.File("a/b/c/"), &reason))
        << reason;
    EXPECT_TRUE(fs::is_directory(dir.File("a/b/c")));
    const struct {
        std::string path;
        std::string made;    // MakeFolders' reason
        std::string listed;  // FolderReadProblem
    } cases[] = {{file, "Not a directory", "Not a directory"},
                 {file + "/under", "Not a directory", "Not a directory"},
                 {dir.File("missing"), "", "No such file or directory"},
                 {"", "No such file or directory", "No such file or directory"}};
    for (const auto& c : cases) {
        EXPECT_EQ(fileio::FolderReadProblem(c.path), c.listed) << c.path;
        reason.clear();
        EXPECT_EQ(fileio::MakeFolders(c.path, &reason), c.made.empty()) << c.path;
        EXPECT_EQ(reason, c.made) << c.path;
    }
    EXPECT_EQ(fileio::FolderReadProblem(dir.File("missing")), "") << "made by the case above";
}

// On a read-only file system a new file, a file there and a folder to make all say so.
TEST(Folders, AReadOnlyFileSystemIsNamedByEveryWrite) {
    const test::ReadOnlyMount ro({{"there", "old"}}, {"folder"});
    MIRTALA_REQUIRE_MOUNT(ro);
    std::string error;
    EXPECT_FALSE(fileio::WriteFileAtomically(ro.File("new"), std::string_view("x"), &error));
    EXPECT_EQ(error, "Cannot create a file beside " + ro.File("new") + ": Read-only file system");
    EXPECT_FALSE(fileio::WriteFileAtomically(ro.File("there"), std::string_view("x"), &error));
    EXPECT_EQ(error, "Cannot write " + ro.File("there") + ": Read-only file system");
    EXPECT_EQ(ReadFileBytes(ro.File("there")), "old");
    EXPECT_FALSE(fileio::MakeFolders(ro.File("folder/new/deeper"), &error));
    EXPECT_EQ(error, "Read-only file system");
    EXPECT_TRUE(fileio::MakeFolders(ro.File("folder"), &error)) << "a folder that is there is fine";
}

pid_t GonePid() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

// A process killed while it saves leaves no temporary file where the file system has
// unnamed files; named ones (kept from older runs or other file systems) of processes
// that no longer run go at the next save of the same file, and nobody else's.
TEST(AtomicWrite, AKilledSaveLeavesNothingThatOutlivesTheNextSave) {
    test::TempDir dir;
    const std::string target = dir.Write("genome.gen", "old");
    const std::string gone = dir.Write(".genome.gen.~" + std::to_string(GonePid()) + ".a1b2c3", "part");
    const std::string running = dir.Write(".genome.gen.~" + std::to_string(::getppid()) + ".a1b2c3", "part");
    const std::string other = dir.Write(".other.gen.~" + std::to_string(GonePid()) + ".a1b2c3", "part");

    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t writer = ::fork();
    if (writer == 0) {
        const std::string big(64 << 20, 'x');
        [[maybe_unused]] ssize_t n = ::write(ready[1], "!", 1);
        fileio::WriteFileAtomically(target, std::string_view(big));
        ::_exit(0);
    }
    char started = 0;
    ASSERT_EQ(::read(ready[0], &started, 1), 1);
    ::usleep(2000);
    ::kill(writer, SIGKILL);
    ::waitpid(writer, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);

    ASSERT_TRUE(fileio::WriteFileAtomically(target, std::string_view("new")));
    EXPECT_EQ(ReadFileBytes(target), "new");
    EXPECT_FALSE(fs::exists(gone));
    EXPECT_TRUE(fs::exists(running) && fs::exists(other));
    EXPECT_EQ(Entries(dir.Path()), 3u) << "a temporary file outlived the next save";
}

// Saving reads each file back into one buffer: a failed read must leave it
// empty, never holding the previous file's bytes.
TEST(WholeRead, FailuresEmptyTheBufferAndSayWhy) {
    test::TempDir dir;
    fs::create_directory(dir.File("folder"));
    ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
    const std::string grown(5000, 'g');  // past the first read's size
    const std::string file = dir.Write("file", grown);
    std::string text = "stale";
    std::vector<std::uint8_t> bytes{1, 2, 3};
    ASSERT_TRUE(fileio::ReadWholeFile(file, text));
    EXPECT_EQ(text, grown);
    // A file whose size the system does not tell (0, as in /proc) is read to its end all the same.
    ASSERT_TRUE(fileio::ReadWholeFile("/proc/self/status", text));
    EXPECT_EQ(text.rfind("Name:", 0), 0u) << text.substr(0, 40);
    const std::pair<std::string, int> failures[] = {{"missing", ENOENT}, {"folder", EISDIR}, {"pipe", EINVAL}};
    for (const auto& [name, code] : failures) {
        fileio::FileError error;
        text = "stale";
        EXPECT_FALSE(fileio::ReadWholeFile(dir.File(name), text, &error)) << name;
        EXPECT_FALSE(fileio::ReadWholeFile(dir.File(name), bytes)) << name;
        EXPECT_TRUE(text.empty() && bytes.empty()) << name;
        EXPECT_EQ(error.code, code) << name;
    }
}

}  // namespace
}  // namespace mirtala
