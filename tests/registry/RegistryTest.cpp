// Registry calls against files in a temporary registry folder.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "fixtures/TempDir.h"
#include "platform/registry/WinePaths.h"
#include "registry/TempRegistry.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace mirtala::registry;
using mirtala::test::ReadFileBytes;

namespace {

// Keeps a key open for one test and closes it.
struct Key {
    HKEY h = nullptr;
    ~Key() { RegCloseKey(h); }  // refuses a key never opened
};

}  // namespace

TEST(Registry, KeysAndValuesAreFoundWhateverTheirCaseAndDeletedAsATree) {
    TempRegistry reg;
    Key level, deeper;
    ASSERT_TRUE(WriteRegString(HKEY_LOCAL_MACHINE, "Software\\Vantrelle Technology\\Tarvossa 2\\1.0",
                               "Images Directory", "/opt/creature/images/"));
    ASSERT_EQ(RegOpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE", &level.h), ERROR_SUCCESS);
    ASSERT_EQ(RegOpenKey(level.h, "vantrelle technology\\TARVOSSA 2\\1.0", &deeper.h), ERROR_SUCCESS);

    std::string text;
    ASSERT_TRUE(RegReadString(deeper.h, "images directory", &text));
    EXPECT_EQ(text, "/opt/creature/images/");
    EXPECT_EQ(RegDeleteTree(HKEY_LOCAL_MACHINE, "Software\\Vantrelle Technology"), ERROR_SUCCESS);
    Key gone, software;
    EXPECT_EQ(RegOpenKey(HKEY_LOCAL_MACHINE, "Software\\Vantrelle Technology", &gone.h), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegOpenKey(HKEY_LOCAL_MACHINE, "Software", &software.h), ERROR_SUCCESS);

    EXPECT_EQ(RegOpenKey(HKEY_CURRENT_USER, "Nothing", &gone.h), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(std::filesystem::exists(reg.File("HKEY_CURRENT_USER"))) << "missing keys are not created";
    EXPECT_EQ(RegDeleteTree(HKEY_CURRENT_USER, "Nothing"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteTree(HKEY_CURRENT_USER, ""), ERROR_ACCESS_DENIED);
}

TEST(Registry, ClassesRootMergesUserOverMachine) {
    TempRegistry reg;
    ASSERT_TRUE(WriteRegString(HKEY_LOCAL_MACHINE, "Software\\Classes\\CLSID\\{A}", "", "machine"));
    ASSERT_TRUE(WriteRegString(HKEY_CLASSES_ROOT, "CLSID\\{B}", "", "written through classes"));
    EXPECT_THAT(ReadFileBytes(reg.File("HKEY_LOCAL_MACHINE")),
                testing::HasSubstr("[HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\{B}]"));
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, "Software\\Classes\\CLSID\\{A}", "", "user"));
    EXPECT_EQ(ReadRegString(HKEY_CLASSES_ROOT, "CLSID\\{A}"), "user");
    EXPECT_EQ(ReadRegString(HKEY_CLASSES_ROOT, "CLSID\\{B}"), "written through classes");
}

// A root file that cannot be read whole is read as far as it goes, reported
// with its reason, and never replaced.
TEST(Registry, FilesThatCannotBeReadAreReportedAndNeverWritten) {
    TempRegistry reg;
    const std::string text =
        "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Good]\n\"v\"=\"1\"\n\nthis line is broken\n"
        "[HKEY_LOCAL_MACHINE\\Later]\n\"w\"=\"2\"\n";
    { std::ofstream(reg.File("HKEY_LOCAL_MACHINE")) << text; }
    EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, "Good", "v"), "1");
    EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, "Later", "w"), "<missing key>");
    Key good, created;
    ASSERT_EQ(RegOpenKey(HKEY_LOCAL_MACHINE, "Good", &good.h), ERROR_SUCCESS);
    EXPECT_EQ(RegSetString(good.h, "v", "changed"), ERROR_INVALID_DATA);
    EXPECT_EQ(RegCreateKey(HKEY_LOCAL_MACHINE, "New", &created.h), ERROR_INVALID_DATA);
    EXPECT_EQ(ReadFileBytes(reg.File("HKEY_LOCAL_MACHINE")), text);
    std::string problem = RegFileProblem(HKEY_LOCAL_MACHINE);
    EXPECT_NE(problem.find("line 6"), std::string::npos) << problem;
    EXPECT_TRUE(RegFileProblem(HKEY_CURRENT_USER).empty());

    std::filesystem::remove(reg.File("HKEY_LOCAL_MACHINE"));
    ASSERT_EQ(::mkfifo(reg.File("HKEY_LOCAL_MACHINE").c_str(), 0600), 0);
    std::filesystem::create_directory(reg.File("HKEY_CURRENT_USER"));
    EXPECT_EQ(RegCreateKey(HKEY_LOCAL_MACHINE, "Software", &created.h), ERROR_INVALID_DATA);
    std::filesystem::rename(reg.File("HKEY_LOCAL_MACHINE"), reg.File("fifo"));
    EXPECT_EQ(RegCreateKey(HKEY_CLASSES_ROOT, "CLSID", &created.h), ERROR_INVALID_DATA) << "the user's file decides";
    std::filesystem::rename(reg.File("fifo"), reg.File("HKEY_LOCAL_MACHINE"));
    EXPECT_THAT(RegFileProblem(HKEY_LOCAL_MACHINE),
                testing::HasSubstr("HKEY_LOCAL_MACHINE.reg cannot be read: it is not a regular file"));
    EXPECT_THAT(RegWriteProblem(), testing::HasSubstr("HKEY_CURRENT_USER.reg cannot be read: it is a folder"));
    EXPECT_TRUE(std::filesystem::is_fifo(reg.File("HKEY_LOCAL_MACHINE")));
}

// Eight processes set their own values under one key at once: every
// read-modify-write holds the folder's lock, so none is lost.
TEST(Registry, ConcurrentWritersKeepEveryValue) {
    TempRegistry reg;
    std::vector<pid_t> children;
    for (int k = 0; k < 8; ++k) {
        if (pid_t pid = ::fork(); pid != 0) {
            children.push_back(pid);
            continue;
        }
        bool ok = true;
        for (int v = 0; v < 5; ++v) {
            const std::string name = std::to_string(k * 5 + v);
            ok = WriteRegString(HKEY_LOCAL_MACHINE, "Shared", name, name) && ok;
        }
        ::_exit(ok ? 0 : 1);
    }
    for (pid_t pid : children) {
        int status = -1;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_EQ(status, 0) << "a writer failed";
    }
    for (int n = 0; n < 40; ++n)
        EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, "Shared", std::to_string(n)), std::to_string(n));
}

// Odd names come back as given; a line break, which the file cannot hold, is
// refused before anything is written.
TEST(Registry, NamesTheFileCannotHoldAreRefusedBeforeWriting) {
    TempRegistry reg;
    for (const char* name : {"quote\"d\\", "[bracket]", "@", ";a=b", "-dash ", "caf\xc3\xa9"}) {
        ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, std::string("K\\") + name, name, name)) << name;
        EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, std::string("K\\") + name, name), name);
    }
    const std::string before = ReadFileBytes(reg.File("HKEY_CURRENT_USER"));
    Key key, broken;
    ASSERT_EQ(RegOpenKey(HKEY_CURRENT_USER, "K", &key.h), ERROR_SUCCESS);
    for (const char* name : {"line\nbreak", "carriage\rreturn"}) {
        EXPECT_EQ(RegSetString(key.h, name, "x"), ERROR_INVALID_PARAMETER) << name;
        EXPECT_EQ(RegCreateKey(HKEY_LOCAL_MACHINE, name, &broken.h), ERROR_INVALID_PARAMETER) << name;
    }
    EXPECT_EQ(RegCreateKey(HKEY_LOCAL_MACHINE, "New", nullptr), ERROR_INVALID_PARAMETER) << "no place for the key";
    EXPECT_EQ(ReadFileBytes(reg.File("HKEY_CURRENT_USER")), before);
    EXPECT_FALSE(std::filesystem::exists(reg.File("HKEY_LOCAL_MACHINE")));
}

// Empty variables count as unset. Without a home folder there is no registry
// folder nor Wine prefix, and nothing is written in the working folder.
TEST(RegistryFolder, EmptyVariablesCountAsUnsetAndNoHomeMeansNoFolder) {
    const struct {
        const char* xdg;   // XDG_DATA_HOME (null: unset)
        const char* home;  // HOME (null: unset)
        const char* folder;
    } cases[] = {{nullptr, nullptr, ""},
                 {nullptr, "", ""},
                 {"", "/h", "/h/.local/share/mirtala/registry"},
                 {"/d", "", "/d/mirtala/registry"}};
    const char* const names[] = {kRegistryFolderVariable, "XDG_DATA_HOME", "HOME", kWinePrefixVariable};
    const ScopedVariable kept[] = {{names[0], ""}, {names[1], ""}, {names[2], ""}, {names[3], ""}};  // put back after
    mirtala::test::TempDir work;
    const std::filesystem::path was = std::filesystem::current_path();
    std::filesystem::current_path(work.Path());
    for (const auto& c : cases) {
        for (const char* name : names) ::unsetenv(name);
        if (c.xdg) ::setenv("XDG_DATA_HOME", c.xdg, 1);
        if (c.home) ::setenv("HOME", c.home, 1);
        EXPECT_EQ(RegistryFolder(), c.folder);
        EXPECT_EQ(WinePrefix(), c.home && *c.home ? std::string(c.home) + "/.wine" : "");
        if (*c.folder) continue;
        Key key;
        EXPECT_EQ(RegCreateKey(HKEY_LOCAL_MACHINE, "Software", &key.h), ERROR_PATH_NOT_FOUND);
        EXPECT_NE(RegWriteProblem().find("nor HOME is set"), std::string::npos) << RegWriteProblem();
    }
    std::filesystem::current_path(was);
    EXPECT_TRUE(std::filesystem::is_empty(work.Path()));
}
