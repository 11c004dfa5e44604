// The host product's folders: the search order (our registry, the Wine
// prefix's system.reg, the default path mapped into the prefix), Windows
// paths through the prefix's drive links, a system.reg that cannot be read
// whole, and the editor's write to our registry.
#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "registry/FakeWinePrefix.h"
#include "registry/TempRegistry.h"
#include "platform/registry/HostFolders.h"
#include "platform/registry/Registry.h"

using namespace mirtala::registry;
using mirtala::test::ReadFileBytes;

namespace {

void SetOurs(const char* name, const std::string& text) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKey(HKEY_LOCAL_MACHINE, kHostProductKey, &key), ERROR_SUCCESS);
    ASSERT_EQ(RegSetString(key, name, text), ERROR_SUCCESS);
    RegCloseKey(key);
}

const char* SourceName(HostFolder::Source source) {
    switch (source) {
        case HostFolder::Source::Registry: return "registry";
        case HostFolder::Source::WinePrefix: return "wine";
        case HostFolder::Source::Default: return "default";
    }
    return "?";
}

// "source path|source path", the prefix written as <prefix>.
std::string Describe(const HostFolders& found, const std::string& prefix) {
    auto one = [&](const HostFolder& f) {
        std::string path = f.path;
        if (path.compare(0, prefix.size(), prefix) == 0) path = "<prefix>" + path.substr(prefix.size());
        return std::string(SourceName(f.source)) + " " + path;
    };
    return one(found.images) + "|" + one(found.bodyData);
}

constexpr const char* kWowKey = "[Software\\\\Wow6432Node\\\\Vantrelle Technology\\\\Tarvossa 2\\\\1.0] 1\n";
constexpr const char* kNativeKey = "[Software\\\\Vantrelle Technology\\\\Tarvossa 2\\\\1.0] 1\n";

struct SearchCase {
    const char* name;
    const char* ourImages;    // null: no value
    const char* ourBodyData;  // null: no value
    std::string systemReg;    // empty: no file
    bool defaultFolders;      // the default path exists in the prefix
    const char* expected;
};

class SearchOrder : public testing::TestWithParam<SearchCase> {
protected:
    TempRegistry registry;
    FakeWinePrefix prefix;
};

}  // namespace

TEST_P(SearchOrder, TakesEachFolderFromTheFirstStepThatGivesIt) {
    const SearchCase& c = GetParam();
    if (c.ourImages) SetOurs(kImagesDirectoryValue, c.ourImages);
    if (c.ourBodyData) SetOurs(kBodyDataDirectoryValue, c.ourBodyData);
    if (!c.systemReg.empty()) prefix.WriteSystemReg(c.systemReg);
    prefix.Folder("drive_c/Program Files (x86)/Tarvossa 2/Images");
    if (c.defaultFolders) {
        prefix.Folder("drive_c/Program Files/Tarvossa 2/Images");
        prefix.Folder("drive_c/Program Files/Tarvossa 2/Body Data");
    }
    HostFolders found = FindHostFolders();
    EXPECT_EQ(found.winePrefix, prefix.Path());
    EXPECT_EQ(Describe(found, prefix.Path()), c.expected);
}

const std::string kWineBoth = std::string(kWowKey) +
                              "\"Images Directory\"=\"C:\\\\Program Files (x86)\\\\Tarvossa 2\\\\Images\\\\\"\n"
                              "\"Body Data Directory\"=\"D:\\\\T2\\\\Body Data\\\\\"\n";

INSTANTIATE_TEST_SUITE_P(
    Steps, SearchOrder,
    testing::Values(
        SearchCase{"RegistryWins", "/opt/t2/Images/", "/opt/t2/Body Data", kWineBoth, true,
                   "registry /opt/t2/Images/|registry /opt/t2/Body Data/"},
        // A value that maps to nothing (no drive d:) is kept, so that the error names it.
        // A 32-bit installer's Wow6432Node key comes before the native one.
        SearchCase{"WineSystemReg", nullptr, nullptr,
                   kWineBoth + kNativeKey + "\"Images Directory\"=\"C:\\\\native\\\\\"\n", true,
                   "wine <prefix>/drive_c/Program Files (x86)/Tarvossa 2/Images/|wine D:\\T2\\Body Data\\"},
        SearchCase{"WineNativeKeyAfterAnEmptyValueOfOurs", "", nullptr,
                   std::string(kNativeKey) + "\"Images Directory\"=\"c:\\\\PROGRAM FILES\\\\tarvossa 2\\\\images\"\n",
                   true,
                   "wine <prefix>/drive_c/Program Files/Tarvossa 2/Images/|"
                   "default <prefix>/drive_c/Program Files/Tarvossa 2/Body Data/"},
        SearchCase{"EachValueItsOwnStep", "/opt/t2/Images/", nullptr, kWineBoth, false,
                   "registry /opt/t2/Images/|wine D:\\T2\\Body Data\\"},
        SearchCase{"DefaultMappedIntoThePrefix", nullptr, nullptr, "", true,
                   "default <prefix>/drive_c/Program Files/Tarvossa 2/Images/|"
                   "default <prefix>/drive_c/Program Files/Tarvossa 2/Body Data/"},
        SearchCase{"NothingFound", nullptr, nullptr, std::string(kNativeKey) + "\"Other\"=\"x\"\n", false,
                   "default c:\\program files\\tarvossa 2\\images\\|default c:\\program files\\tarvossa 2\\body data\\"}),
    [](const auto& info) { return std::string(info.param.name); });

struct MapCase {
    const char* windowsPath;
    const char* expected;  // null: maps to nothing
};

class DriveLinks : public testing::TestWithParam<MapCase> {
protected:
    void SetUp() override {
        prefix.Folder("drive_c/Program Files/Tarvossa 2/Images");
        prefix.Folder("drive_c/Program Files/Tarvossa 2/images");
        prefix.Folder("drive_c/Program Files/Tarvossa 2/Body Data");
        std::filesystem::create_symlink("../drive_c/Program Files", prefix.Path() + "/dosdevices/E:");
        std::filesystem::create_symlink("/", prefix.Path() + "/dosdevices/z:");
    }
    FakeWinePrefix prefix;
};

TEST_P(DriveLinks, MapAWindowsPathComponentByComponentWhateverItsCase) {
    std::optional<std::string> mapped = MapWindowsPath(GetParam().windowsPath, prefix.Path());
    std::optional<std::string> expected;
    if (GetParam().expected) {
        expected = GetParam().expected;
        if (expected->rfind("<prefix>", 0) == 0) expected = prefix.Path() + expected->substr(8);
    }
    EXPECT_EQ(mapped, expected);
    if (!expected) {
        EXPECT_EQ(ResolveHostFolder(GetParam().windowsPath).rfind(GetParam().windowsPath, 0), 0u) << "kept as it was";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Paths, DriveLinks,
    testing::Values(
        // "IMAGES" fits both Images and images: the smallest name is taken; an exact name wins.
        MapCase{"C:\\PROGRAM FILES\\tarvossa 2\\IMAGES\\", "<prefix>/drive_c/Program Files/Tarvossa 2/Images/"},
        MapCase{"c:/program files/Tarvossa 2/images", "<prefix>/drive_c/Program Files/Tarvossa 2/images/"},
        MapCase{"C:\\Program Files\\.\\Missing\\..\\Tarvossa 2\\\\BODY DATA", nullptr},
        MapCase{"C:\\Program Files\\..\\..\\Program Files\\.\\Tarvossa 2\\\\BODY DATA",
                "<prefix>/drive_c/Program Files/Tarvossa 2/Body Data/"},
        MapCase{"C:", "<prefix>/drive_c/"},
        MapCase{"e:\\TARVOSSA 2", "<prefix>/drive_c/Program Files/Tarvossa 2/"},
        MapCase{"Z:\\TMP\\", "/tmp/"},
        MapCase{"Z:\\no such folder\\", nullptr},
        MapCase{"D:\\Program Files\\", nullptr},
        MapCase{"/opt/t2/", nullptr},
        MapCase{"\\\\server\\share\\", nullptr},
        MapCase{"C:Program Files", nullptr}));

struct BrokenCase {
    const char* name;
    const char* systemReg;  // null: a folder stands where system.reg should be
    const char* expected;
};

class UnreadableSystemReg : public testing::TestWithParam<BrokenCase> {
protected:
    TempRegistry registry;
    FakeWinePrefix prefix;
};

TEST_P(UnreadableSystemReg, GivesWhatItHoldsAndTheNextStepForTheRestUnchanged) {
    const BrokenCase& c = GetParam();
    std::string path = prefix.Path() + "/system.reg";
    if (c.systemReg) {
        std::ofstream(path, std::ios::binary) << c.systemReg;
    } else {
        std::filesystem::create_directory(path);
    }
    prefix.Folder("drive_c/Program Files/Tarvossa 2/Images");
    prefix.Folder("drive_c/Program Files/Tarvossa 2/Body Data");
    std::string before = c.systemReg ? ReadFileBytes(path) : "";
    EXPECT_EQ(Describe(FindHostFolders(), prefix.Path()), c.expected);
    if (c.systemReg) {
        EXPECT_EQ(ReadFileBytes(path), before) << "a prefix is never written";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnreadableSystemReg,
    testing::Values(
        BrokenCase{"AFolder", nullptr,
                   "default <prefix>/drive_c/Program Files/Tarvossa 2/Images/|"
                   "default <prefix>/drive_c/Program Files/Tarvossa 2/Body Data/"},
        BrokenCase{"NoHeader",
                   "REGEDIT4\n[Software\\\\Vantrelle Technology\\\\Tarvossa 2\\\\1.0] 1\n\"Images Directory\"=\"/x/\"\n",
                   "default <prefix>/drive_c/Program Files/Tarvossa 2/Images/|"
                   "default <prefix>/drive_c/Program Files/Tarvossa 2/Body Data/"},
        BrokenCase{"MalformedKeyLine",
                   "WINE REGISTRY Version 2\n[Software\\\\Vantrelle Technology\\\\Tarvossa 2\\\\1.0\n"
                   "\"Images Directory\"=\"/x/\"\n",
                   "default <prefix>/drive_c/Program Files/Tarvossa 2/Images/|"
                   "default <prefix>/drive_c/Program Files/Tarvossa 2/Body Data/"},
        BrokenCase{"MalformedLinesAroundAValue",
                   "WINE REGISTRY Version 2\n[Software\\\\Vantrelle Technology\\\\Tarvossa 2\\\\1.0] 1\n"
                   "garbage\n\"Images Directory\"=\"/x/\"\n\"Body Data Directory\"=\"unterminated\n\xFF\xFE\n",
                   "wine /x/|default <prefix>/drive_c/Program Files/Tarvossa 2/Body Data/"}),
    [](const auto& info) { return std::string(info.param.name); });

namespace {
// Every file below a folder with its bytes.
std::map<std::string, std::string> Snapshot(const std::string& dir) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir))
        files[entry.path().string()] = entry.is_regular_file() ? ReadFileBytes(entry.path().string()) : "<dir>";
    return files;
}
}  // namespace

TEST(WriteHostFolders, WritesBothToOurRegistryWithSeparatorsAndRemovesEmptyOnes) {
    TempRegistry registry;
    FakeWinePrefix prefix;
    prefix.WriteSystemReg(std::string(kNativeKey) + "\"Images Directory\"=\"C:\\\\\"\n");
    SetOurs("Version", "1.0");
    auto inPrefix = Snapshot(prefix.Path());
    std::string error;
    ASSERT_TRUE(WriteHostFolders("/t2/Images", "C:\\T2\\Body Data", &error)) << error;
    EXPECT_EQ(Describe(FindHostFolders(), prefix.Path()), "registry /t2/Images/|registry C:\\T2\\Body Data\\");
    ASSERT_TRUE(WriteHostFolders("", "/t2/Body Data/", &error)) << error;
    EXPECT_EQ(Describe(FindHostFolders(), prefix.Path()), "wine <prefix>/drive_c/|registry /t2/Body Data/");
    std::string file = ReadFileBytes(registry.File("HKEY_LOCAL_MACHINE"));
    EXPECT_EQ(file.find("Images Directory"), std::string::npos);
    EXPECT_NE(file.find("\"Version\"=\"1.0\""), std::string::npos) << "other values stay";
    EXPECT_EQ(Snapshot(prefix.Path()), inPrefix) << "a prefix is never written";

    { std::ofstream(registry.File("HKEY_LOCAL_MACHINE"), std::ios::app) << "not REGEDIT4\n"; }
    std::string broken = ReadFileBytes(registry.File("HKEY_LOCAL_MACHINE"));
    EXPECT_FALSE(WriteHostFolders("/a/", "/b/", &error));
    EXPECT_NE(error.find(registry.Dir().string()), std::string::npos) << error;
    EXPECT_NE(error.find("line "), std::string::npos) << error;
    EXPECT_EQ(ReadFileBytes(registry.File("HKEY_LOCAL_MACHINE")), broken);
}

TEST(FindHostFolders, SeesASystemRegRewrittenInPlaceAtOnce) {
    TempRegistry registry;
    FakeWinePrefix prefix;
    for (const char* folder : {"/t2/A/", "/t2/B/"}) {
        prefix.WriteSystemReg(std::string(kNativeKey) + "\"Images Directory\"=\"" + folder + "\"\n");
        EXPECT_EQ(FindHostFolders().images.path, folder) << "same size, same file, same second";
    }
}
