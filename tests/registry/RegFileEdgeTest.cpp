// Edges of the registry files: how hex lists end, a leading byte-order mark,
// and where the registry folder is when the environment names no home.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "platform/registry/RegFile.h"
#include "platform/registry/RegTypes.h"
#include "platform/registry/Registry.h"

using namespace mirtala::registry;

TEST(RegFileEdge, HexListsEndOnAWholeByteAndAByteOrderMarkIsSkipped) {
    struct Case {
        const char* text;
        bool complete;
    };
    const std::string head = "REGEDIT4\n[HKEY_CURRENT_USER\\K]\n";
    for (const Case& c : {Case{"\"a\"=hex:00,1\n", false}, Case{"\"a\"=hex:00,\n", false},
                          Case{"\"a\"=hex(3):0a,\n", false}, Case{"\"a\"=hex:00,1f\n", true}}) {
        RegNode root;
        RegParseResult result = ParseRegText(head + c.text, "HKEY_CURRENT_USER", root);
        EXPECT_EQ(result.complete, c.complete) << c.text;
        EXPECT_EQ(result.problem.rfind("line 3:", 0) == 0, !c.complete) << c.text << result.problem;
    }
    RegNode root;
    ASSERT_TRUE(ParseRegText("\xEF\xBB\xBF" + head + "\"v\"=dword:00000001\n", "HKEY_CURRENT_USER", root).complete);
    ASSERT_NE(root.Find({"K"}), nullptr);
    EXPECT_NE(root.Find({"K"})->Value("v"), nullptr);
}

// Sets or removes the three variables for one case and puts them back after.
class FolderEnvironment {
public:
    FolderEnvironment(std::optional<const char*> xdg, std::optional<const char*> home) {
        for (const char* name : kNames) {
            if (const char* v = std::getenv(name)) m_saved.emplace_back(name, v);
            ::unsetenv(name);
        }
        if (xdg) ::setenv("XDG_DATA_HOME", *xdg, 1);
        if (home) ::setenv("HOME", *home, 1);
    }
    ~FolderEnvironment() {
        for (const char* name : kNames) ::unsetenv(name);
        for (const auto& [name, value] : m_saved) ::setenv(name, value.c_str(), 1);
    }

private:
    static constexpr const char* kNames[] = {kRegistryFolderVariable, "XDG_DATA_HOME", "HOME"};
    std::vector<std::pair<const char*, std::string>> m_saved;
};

TEST(RegistryFolderEdge, EmptyVariablesCountAsUnsetAndNoHomeMeansNoFolder) {
    struct Case {
        std::optional<const char*> xdg, home;
        const char* folder;
    };
    const Case cases[] = {
        {std::nullopt, std::nullopt, ""},
        {std::nullopt, "", ""},
        {"", "", ""},
        {"", "/h", "/h/.local/share/mirtala/registry"},
        {"/d", "", "/d/mirtala/registry"},
    };
    for (const Case& c : cases) {
        FolderEnvironment env(c.xdg, c.home);
        EXPECT_EQ(RegistryFolder(), c.folder);
        if (*c.folder) continue;
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKey(HKEY_CURRENT_USER, "Software", &key), ERROR_PATH_NOT_FOUND);
        EXPECT_EQ(key, nullptr);
        EXPECT_NE(RegWriteProblem().find("nor HOME is set"), std::string::npos) << RegWriteProblem();
    }
}
