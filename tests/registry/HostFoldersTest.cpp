// The host product's folders: the search order (our registry, the Wine
// prefix's system.reg, the default path mapped into the prefix), Windows
// paths through the prefix's drive links, a system.reg that cannot be read
// whole, and the editor's write to our registry.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/registry/HostFolders.h"
#include "platform/registry/Registry.h"
#include "registry/FakeWinePrefix.h"
#include "registry/TempRegistry.h"

using namespace mirtala::registry;
using mirtala::test::ReadFileBytes;

namespace {

// As an installer may leave it: of any type, the text ending at its first NUL.
void SetOurs(const char* name, const std::string& bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKey(HKEY_LOCAL_MACHINE, kHostProductKey, &key), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValue(key, name, REG_BINARY, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                          std::uint32_t(bytes.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

// "source path|source path", the prefix written as <prefix>.
std::string Describe(const HostFolders& found, const std::string& prefix) {
    auto one = [&](const HostFolder& f) {
        constexpr const char* kSources[] = {"registry", "wine", "default"};  // in the order Source lists them
        std::string path = f.path;
        if (path.compare(0, prefix.size(), prefix) == 0) path = "<prefix>" + path.substr(prefix.size());
        return std::string(kSources[int(f.source)]) + " " + path;
    };
    return one(found.images) + "|" + one(found.bodyData);
}

constexpr const char* kDefaults =
    "default <prefix>/drive_c/Program Files/Tarvossa 2/Images/|"
    "default <prefix>/drive_c/Program Files/Tarvossa 2/Body Data/";

// Wine's keys and value names are matched whatever their case.
constexpr const char* kWowKey = "[software\\\\WOW6432NODE\\\\vantrelle technology\\\\TARVOSSA 2\\\\1.0] 1\n";
constexpr const char* kNativeKey = "[Software\\\\Vantrelle Technology\\\\Tarvossa 2\\\\1.0] 1\n";

struct SearchCase {
    const char* name;
    std::optional<std::string> ourImages;  // our registry's values; none: not set
    std::optional<std::string> ourBodyData;
    std::string systemReg;  // the prefix's system.reg; empty: no file
    bool defaultFolders;    // the default path exists in the prefix
    const char* expected;   // the folders found
};

using SearchOrder = testing::TestWithParam<SearchCase>;

}  // namespace

TEST_P(SearchOrder, TakesEachFolderFromTheFirstStepThatGivesIt) {
    const SearchCase& c = GetParam();
    TempRegistry registry;
    FakeWinePrefix prefix;
    if (c.ourImages) SetOurs(kImagesDirectoryValue, *c.ourImages);
    if (c.ourBodyData) SetOurs(kBodyDataDirectoryValue, *c.ourBodyData);
    if (!c.systemReg.empty()) prefix.WriteSystemReg(c.systemReg);
    prefix.Folder("drive_c/Program Files (x86)/Tarvossa 2/Images");
    for (const char* folder : {"Images", "Body Data"})
        if (c.defaultFolders) prefix.Folder(std::string("drive_c/Program Files/Tarvossa 2/") + folder);
    HostFolders found = FindHostFolders();
    EXPECT_EQ(found.winePrefix, prefix.Path());
    EXPECT_EQ(Describe(found, prefix.Path()), c.expected);
}

const std::string kWineBoth = std::string(kWowKey) +
                              "\"images directory\"=\"C:\\\\Program Files (x86)\\\\Tarvossa 2\\\\Images\\\\\"\n"
                              "\"Body Data Directory\"=str(2):\"D:\\\\T2\\\\Body Data\\\\\"\n";  // expandable

INSTANTIATE_TEST_SUITE_P(
    Steps, SearchOrder,
    testing::Values(
        SearchCase{"RegistryWins", "/opt/t2/Images/", std::string("/opt/t2/Body Data\0junk", 22), kWineBoth, true,
                   "registry /opt/t2/Images/|registry /opt/t2/Body Data/"},
        // A value that maps to nothing (no drive d:) is kept, so that the error names it.
        // A 32-bit installer's Wow6432Node key comes before the native one.
        SearchCase{"WineSystemReg", std::nullopt, std::nullopt,
                   kWineBoth + kNativeKey + "\"Images Directory\"=\"C:\\\\native\\\\\"\n", true,
                   "wine <prefix>/drive_c/Program Files (x86)/Tarvossa 2/Images/|wine D:\\T2\\Body Data\\"},
        SearchCase{"WineNativeKeyAfterAnEmptyValueOfOurs", "", std::nullopt,
                   std::string(kNativeKey) + "\"Images Directory\"=\"c:\\\\PROGRAM FILES\\\\tarvossa 2\\\\images\"\n",
                   true,
                   "wine <prefix>/drive_c/Program Files/Tarvossa 2/Images/|"
                   "default <prefix>/drive_c/Program Files/Tarvossa 2/Body Data/"},
        SearchCase{"EachValueItsOwnStep", "/opt/t2/Images/", std::nullopt, kWineBoth, false,
                   "registry /opt/t2/Images/|wine D:\\T2\\Body Data\\"},
        SearchCase{"DefaultMappedIntoThePrefix", std::nullopt, std::nullopt, "", true, kDefaults},
        SearchCase{
            "NothingFound", std::nullopt, std::nullopt, std::string(kNativeKey) + "\"Other\"=\"x\"\n", false,
            "default c:\\program files\\tarvossa 2\\images\\|default c:\\program files\\tarvossa 2\\body data\\"}),
    [](const auto& info) { return std::string(info.param.name); });

struct MapCase {
    const char* windowsPath;
    const char* mapped;  // <prefix> stands for the Wine prefix; null: it maps nowhere
};

using DriveLinks = testing::TestWithParam<MapCase>;

TEST_P(DriveLinks, MapAWindowsPathComponentByComponentWhateverItsCase) {
    const char* windowsPath = GetParam().windowsPath;
    const char* mapped = GetParam().mapped;
    FakeWinePrefix prefix;
    for (const char* folder : {"Images", "images", "Body Data"})
        prefix.Folder(std::string("drive_c/Program Files/Tarvossa 2/") + folder);
    std::filesystem::create_symlink("../drive_c/Program Files", prefix.Path() + "/dosdevices/E:");
    std::filesystem::create_symlink("/", prefix.Path() + "/dosdevices/z:");
    std::string expected = mapped ? mapped : "<nothing>";
    if (expected.rfind("<prefix>", 0) == 0) expected.replace(0, 8, prefix.Path());
    EXPECT_EQ(MapWindowsPath(windowsPath, prefix.Path()).value_or("<nothing>"), expected);
    if (!mapped) {
        EXPECT_EQ(ResolveHostFolder(windowsPath).rfind(windowsPath, 0), 0u) << "kept as it was";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Paths, DriveLinks,
    testing::Values(
        // "IMAGES" fits both Images and images: the smallest name is taken; an exact name wins.
        MapCase{"C:\\PROGRAM FILES\\tarvossa 2\\IMAGES\\", "<prefix>/drive_c/Program Files/Tarvossa 2/Images/"},
        MapCase{"c:/program files/Tarvossa 2/images", "<prefix>/drive_c/Program Files/Tarvossa 2/images/"},
        MapCase{"C:\\Program Files\\.\\Missing\\..\\Tarvossa 2\\\\BODY DATA",
                "<prefix>/drive_c/Program Files/Tarvossa 2/Body Data/"},
        MapCase{"C:\\Program Files\\Missing\\Body Data", nullptr},
        MapCase{"C:\\Program Files\\..\\..\\Program Files\\.\\Tarvossa 2\\\\BODY DATA",
                "<prefix>/drive_c/Program Files/Tarvossa 2/Body Data/"},
        MapCase{"C:", "<prefix>/drive_c/"}, MapCase{"e:\\TARVOSSA 2", "<prefix>/drive_c/Program Files/Tarvossa 2/"},
        MapCase{"Z:\\TMP\\", "/tmp/"}, MapCase{"D:\\Program Files\\", nullptr}, MapCase{"/opt/t2/", nullptr},
        MapCase{"\\\\server\\share\\", nullptr}, MapCase{"C:Program Files", nullptr}));

// A system.reg that cannot be read (a folder) or only in part gives what it
// holds and the next step the rest; a rewrite of the same size in the same
// second is seen at once.
TEST(FindHostFolders, TakesWhatASystemRegHoldsAndTheNextStepForTheRest) {
    TempRegistry registry;
    FakeWinePrefix prefix;
    prefix.Folder("drive_c/Program Files/Tarvossa 2/Images");
    prefix.Folder("drive_c/Program Files/Tarvossa 2/Body Data");
    const std::string path = prefix.Path() + "/system.reg";
    std::filesystem::create_directory(path);
    EXPECT_EQ(Describe(FindHostFolders(), prefix.Path()), kDefaults);
    std::filesystem::remove(path);

    const std::string text = std::string("WINE REGISTRY Version 2\n") + kNativeKey +
                             "garbage\n\"Images Directory\"=\"/x/\"\n"
                             "\"Body Data Directory\"=\"unterminated\n\xFF\xFE\n";
    { std::ofstream(path, std::ios::binary) << text; }
    EXPECT_EQ(Describe(FindHostFolders(), prefix.Path()),
              "wine /x/|default <prefix>/drive_c/Program Files/Tarvossa 2/Body Data/");
    for (const char* folder : {"/t2/A/", "/t2/B/"}) {
        prefix.WriteSystemReg(std::string(kNativeKey) + "\"Images Directory\"=\"" + folder + "\"\n");
        EXPECT_EQ(FindHostFolders().images.path, folder) << "same size, same file, same second";
    }
}

TEST(WriteHostFolders, WritesBothToOurRegistryWithSeparatorsAndRemovesEmptyOnes) {
    TempRegistry registry;
    FakeWinePrefix prefix;
    prefix.WriteSystemReg(std::string(kNativeKey) + "\"Images Directory\"=\"C:\\\\\"\n");
    SetOurs("Version", "1.0");
    const std::string inPrefix = ReadFileBytes(prefix.Path() + "/system.reg");
    std::string error;
    ASSERT_TRUE(WriteHostFolders("/t2/Images", "C:\\T2\\Body Data", &error)) << error;
    EXPECT_EQ(Describe(FindHostFolders(), prefix.Path()), "registry /t2/Images/|registry C:\\T2\\Body Data\\");
    ASSERT_TRUE(WriteHostFolders("", "/t2/Body Data/", &error)) << error;
    EXPECT_EQ(Describe(FindHostFolders(), prefix.Path()), "wine <prefix>/drive_c/|registry /t2/Body Data/");
    std::string file = ReadFileBytes(registry.File("HKEY_LOCAL_MACHINE"));
    EXPECT_EQ(file.find("Images Directory"), std::string::npos);
    EXPECT_NE(file.find("\"Version\"="), std::string::npos) << "other values stay";
    EXPECT_EQ(ReadFileBytes(prefix.Path() + "/system.reg"), inPrefix) << "a prefix is never written";

    { std::ofstream(registry.File("HKEY_LOCAL_MACHINE"), std::ios::app) << "not REGEDIT4\n"; }
    std::string broken = ReadFileBytes(registry.File("HKEY_LOCAL_MACHINE"));
    EXPECT_FALSE(WriteHostFolders("/a/", "/b/", &error));
    EXPECT_NE(error.find(registry.Dir().string()), std::string::npos) << error;
    EXPECT_NE(error.find("line "), std::string::npos) << error;
    EXPECT_EQ(ReadFileBytes(registry.File("HKEY_LOCAL_MACHINE")), broken);
}
