// regsvr and regset run as a user runs them, against registry folders that
// cannot be used: each failure says its cause and the folder, and nothing is
// left half written.
#include "fixtures/TempDir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

namespace {

using mirtala::test::ReadFileBytes;
using mirtala::test::TempDir;

std::string In(const std::string& folder) { return "MIRTALA_REGISTRY_DIR='" + folder + "' "; }

TEST(Tools, EveryFailureSaysItsCauseAndTheFolder) {
    TempDir dir;
    const std::string truncated = dir.Write("cut.so", ReadFileBytes(ZUBRELLE_MODULE_PATH).substr(0, 4096));
    const std::string file = dir.Write("file", "");
    const std::string reg = dir.File("reg"), broken = dir.File("broken");
    std::filesystem::create_directory(broken);
    dir.Write("broken/HKEY_LOCAL_MACHINE.reg", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"=\"1\"\nnot a line\n");
    const std::string key = " 'HKEY_LOCAL_MACHINE\\Software\\T' ";
    const struct {
        std::string command;
        int status;
        std::string message;  // a part of standard error
    } cases[] = {
        {In(reg) + REGSVR " '" + truncated + "'", 1,
         "the module cannot be loaded: it is cut short: loadable segment 0 ends at byte"},
        {In(reg) + REGSVR " -u " ZUBRELLE_MODULE_PATH, 1,
         "the module is not registered in the registry folder " + reg + ", so there is nothing to unregister"},
        {"unset XDG_DATA_HOME; HOME= " + In("") + REGSVR " " ZUBRELLE_MODULE_PATH, 1, "HOME is not set"},
        {In(file + "/sub") + REGSVR " " ZUBRELLE_MODULE_PATH, 1,
         "the registry folder " + file + "/sub cannot be created: Not a directory"},
        {In(broken) + REGSVR " " ZUBRELLE_MODULE_PATH, 1, "HKEY_LOCAL_MACHINE.reg cannot be read: line 4"},
        {In(broken) + REGSVR " -u " ZUBRELLE_MODULE_PATH, 1, "HKEY_LOCAL_MACHINE.reg cannot be read: line 4"},
        {In(broken) + REGSET + key + "v x", 1, "HKEY_LOCAL_MACHINE.reg cannot be read: line 4"},
        {In(reg) + REGSET + key + "'line\nbreak' x", 2, "cannot hold a line break"},
        {In(reg) + REGSET " 'HKEY_LOCAL_MACHINE\\Soft\nware' v x", 2, "cannot hold a line break"},
        {In(reg) + REGSET " HKEY_CURRENT_USER v x", 0, ""},  // a value of the root key itself
        {In(reg) + REGSET " 'HKEY_CURRENT_USER\\Sub\\Key' w y", 0, ""},
        {In(reg) + REGSET " --if-missing 'HKEY_CURRENT_USER\\Sub\\Key' w z", 0, ""},  // "y" stays
        {In(reg) + REGSET " --if-missing 'HKEY_CURRENT_USER\\Sub\\Key' u", 2, "usage: mirtala-regset [--if-missing]"},
        {In(reg) + REGSET " HKEY_CLASSES_ROOT v x", 2, "must start with HKEY_LOCAL_MACHINE or"}};
    for (const auto& c : cases) {
        const int code = std::system(("(" + c.command + ") >/dev/null 2>'" + dir.File("stderr") + "'").c_str());
        const std::string err = ReadFileBytes(dir.File("stderr"));
        EXPECT_EQ(WIFEXITED(code) ? WEXITSTATUS(code) : 128 + WTERMSIG(code), c.status) << c.command << "\n" << err;
        EXPECT_NE(err.find(c.message), std::string::npos) << c.command << "\n" << err;
    }
    EXPECT_FALSE(std::filesystem::exists(reg + "/HKEY_LOCAL_MACHINE.reg"));
    EXPECT_EQ(ReadFileBytes(reg + "/HKEY_CURRENT_USER.reg"),
              "REGEDIT4\n\n[HKEY_CURRENT_USER]\n\"v\"=\"x\"\n\n"
              "[HKEY_CURRENT_USER\\Sub]\n\n[HKEY_CURRENT_USER\\Sub\\Key]\n\"w\"=\"y\"\n\n");
}

}  // namespace
