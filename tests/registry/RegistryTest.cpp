// Registry calls against files in a temporary registry folder.
#include <gtest/gtest.h>

#include <fstream>

#include "fixtures/TempDir.h"
#include "registry/TempRegistry.h"

using namespace mirtala::registry;
using mirtala::test::ReadFileBytes;

namespace {

// Keeps a key open for one test and closes it.
struct Key {
    HKEY h = nullptr;
    ~Key() {
        if (h) RegCloseKey(h);
    }
};

std::string ReadString(HKEY root, const char* path, const char* name = "") {
    Key key;
    std::string text = "<missing>";
    if (RegOpenKey(root, path, &key.h) == ERROR_SUCCESS) RegReadString(key.h, name, &text);
    return text;
}

}  // namespace

TEST(Registry, CreateSetQueryInTwoStepsThenDelete) {
    TempRegistry reg;
    EXPECT_EQ(RegistryFolder(), reg.Dir().string()) << "the folder comes from the environment";
    Key key, level, deeper;
    ASSERT_EQ(RegCreateKey(HKEY_LOCAL_MACHINE, "Software\\Vantrelle Technology\\Tarvossa 2\\1.0", &key.h),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetString(key.h, "Images Directory", "/opt/creature/images/"), ERROR_SUCCESS);
    ASSERT_EQ(RegOpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE", &level.h), ERROR_SUCCESS);
    ASSERT_EQ(RegOpenKey(level.h, "vantrelle technology\\TARVOSSA 2\\1.0", &deeper.h), ERROR_SUCCESS);

    std::uint32_t size = 0, type = 0;
    ASSERT_EQ(RegQueryValue(deeper.h, "images directory", &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, std::string("/opt/creature/images/").size() + 1);
    std::vector<std::uint8_t> small(size - 1);
    std::uint32_t smallSize = size - 1;
    EXPECT_EQ(RegQueryValue(deeper.h, "Images Directory", nullptr, small.data(), &smallSize), ERROR_MORE_DATA);
    EXPECT_EQ(smallSize, size);
    std::string text;
    ASSERT_TRUE(RegReadString(deeper.h, "Images Directory", &text));
    EXPECT_EQ(text, "/opt/creature/images/");

    EXPECT_EQ(RegDeleteValue(deeper.h, "Images Directory"), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValue(deeper.h, "Images Directory", nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteTree(HKEY_LOCAL_MACHINE, "Software\\Vantrelle Technology"), ERROR_SUCCESS);
    Key gone, software;
    EXPECT_EQ(RegOpenKey(HKEY_LOCAL_MACHINE, "Software\\Vantrelle Technology", &gone.h), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(gone.h, nullptr);
    EXPECT_EQ(RegOpenKey(HKEY_LOCAL_MACHINE, "Software", &software.h), ERROR_SUCCESS);

    EXPECT_EQ(RegOpenKey(HKEY_CURRENT_USER, "Nothing", &gone.h), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(std::filesystem::exists(reg.File("HKEY_CURRENT_USER"))) << "missing keys are not created";
    EXPECT_EQ(RegDeleteTree(HKEY_CURRENT_USER, "Nothing"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteTree(HKEY_CURRENT_USER, ""), ERROR_ACCESS_DENIED);
    for (const auto& entry : std::filesystem::directory_iterator(reg.Dir()))
        EXPECT_EQ(entry.path().extension(), ".reg") << "temporary file left behind: " << entry.path();
}

TEST(Registry, ClassesRootMergesUserOverMachine) {
    TempRegistry reg;
    Key machine, user, viaClasses, clsid;
    ASSERT_EQ(RegCreateKey(HKEY_LOCAL_MACHINE, "Software\\Classes\\CLSID\\{A}", &machine.h), ERROR_SUCCESS);
    ASSERT_EQ(RegSetString(machine.h, "", "machine"), ERROR_SUCCESS);
    ASSERT_EQ(RegCreateKey(HKEY_CLASSES_ROOT, "CLSID\\{B}", &viaClasses.h), ERROR_SUCCESS);
    ASSERT_EQ(RegSetString(viaClasses.h, "", "written through classes"), ERROR_SUCCESS);
    EXPECT_NE(ReadFileBytes(reg.File("HKEY_LOCAL_MACHINE")).find("[HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\{B}]"),
              std::string::npos);
    ASSERT_EQ(RegCreateKey(HKEY_CURRENT_USER, "Software\\Classes\\CLSID\\{A}", &user.h), ERROR_SUCCESS);
    ASSERT_EQ(RegSetString(user.h, "", "user"), ERROR_SUCCESS);
    EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, "CLSID\\{A}"), "user");
    EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, "CLSID\\{B}"), "written through classes");

    std::string name;
    ASSERT_EQ(RegOpenKey(HKEY_LOCAL_MACHINE, "Software\\Classes\\CLSID", &clsid.h), ERROR_SUCCESS);
    ASSERT_EQ(RegEnumKey(clsid.h, 1, &name), ERROR_SUCCESS);
    EXPECT_EQ(name, "{B}");
    EXPECT_EQ(RegEnumKey(clsid.h, 2, &name), ERROR_NO_MORE_ITEMS);
}

TEST(Registry, MalformedFileIsReadAsFarAsPossibleAndNeverOverwritten) {
    TempRegistry reg;
    const std::string text =
        "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Good]\n\"v\"=\"1\"\n\nthis line is broken\n"
        "[HKEY_LOCAL_MACHINE\\Later]\n\"w\"=\"2\"\n";
    { std::ofstream(reg.File("HKEY_LOCAL_MACHINE")) << text; }
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, "Good", "v"), "1");
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, "Later", "w"), "<missing>");
    Key good, created;
    ASSERT_EQ(RegOpenKey(HKEY_LOCAL_MACHINE, "Good", &good.h), ERROR_SUCCESS);
    EXPECT_EQ(RegSetString(good.h, "v", "changed"), ERROR_INVALID_DATA);
    EXPECT_EQ(RegCreateKey(HKEY_LOCAL_MACHINE, "New", &created.h), ERROR_INVALID_DATA);
    EXPECT_EQ(ReadFileBytes(reg.File("HKEY_LOCAL_MACHINE")), text);
    std::string problem = RegFileProblem(HKEY_LOCAL_MACHINE);
    EXPECT_NE(problem.find("line 6"), std::string::npos) << problem;
    EXPECT_TRUE(RegFileProblem(HKEY_CURRENT_USER).empty());
}
