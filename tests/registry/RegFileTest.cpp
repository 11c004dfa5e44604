// REGEDIT4 text: round trips of every value form and reading of malformed files.
#include <gtest/gtest.h>

#include "platform/registry/RegFile.h"
#include "platform/registry/RegTypes.h"

using namespace mirtala::registry;

namespace {

RegValue Bytes(std::string name, std::uint32_t type, std::vector<std::uint8_t> data) {
    return RegValue{std::move(name), type, std::move(data)};
}

RegValue Text(std::string name, std::string text) {
    std::vector<std::uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    return RegValue{std::move(name), REG_SZ, std::move(data)};
}

void ExpectSameTree(const RegNode& a, const RegNode& b) {
    ASSERT_EQ(a.Values().size(), b.Values().size()) << a.Name();
    for (std::size_t i = 0; i < a.Values().size(); ++i) {
        EXPECT_EQ(a.Values()[i].name, b.Values()[i].name);
        EXPECT_EQ(a.Values()[i].type, b.Values()[i].type) << a.Values()[i].name;
        EXPECT_EQ(a.Values()[i].data, b.Values()[i].data) << a.Values()[i].name;
    }
    ASSERT_EQ(a.Children().size(), b.Children().size()) << a.Name();
    for (std::size_t i = 0; i < a.Children().size(); ++i) {
        EXPECT_EQ(a.Children()[i]->Name(), b.Children()[i]->Name());
        ExpectSameTree(*a.Children()[i], *b.Children()[i]);
    }
}

}  // namespace

TEST(RegFile, EveryValueFormReadsBackIdentically) {
    RegNode root;
    RegNode& key = root.AddChild("Software").AddChild("Vantrelle Technology").AddChild("Tarvossa 2");
    key.SetValue(Text("", "default"));
    key.SetValue(Text("Images Directory", "c:\\program files\\tarvossa 2\\images\\"));
    key.SetValue(Text("quote\"and\\slash", "say \"hi\""));
    key.SetValue(Text("Multi", "line one\nline two"));  // not representable as text
    key.SetValue(Bytes("Embedded", REG_SZ, {'a', 0, 'b', 0}));
    key.SetValue(Bytes("NoNul", REG_SZ, {'a', 'b'}));
    key.SetValue(Bytes("MiscStatus", REG_DWORD, {0x91, 0x01, 0x02, 0x00}));
    std::vector<std::uint8_t> longBinary(70);
    for (std::size_t i = 0; i < longBinary.size(); ++i) longBinary[i] = static_cast<std::uint8_t>(i * 7);
    key.SetValue(Bytes("Long", REG_BINARY, longBinary));
    key.SetValue(Bytes("Odd", 0x7, {1, 2, 3}));
    key.SetValue(Bytes("Empty", REG_BINARY, {}));
    root.AddChild("Empty Key");
    root.SetValue(Text("OnRoot", "x"));

    std::string text = FormatRegText(root, "HKEY_LOCAL_MACHINE");
    RegNode back;
    RegParseResult result = ParseRegText(text, "HKEY_LOCAL_MACHINE", back);
    ASSERT_TRUE(result.complete) << result.problem << "\n" << text;
    ExpectSameTree(root, back);
    EXPECT_EQ(FormatRegText(back, "HKEY_LOCAL_MACHINE"), text);
}

TEST(RegFile, ReadsWindowsLineEndsCommentsAndRemovals) {
    std::string text =
        "REGEDIT4\r\n\r\n; a comment\r\n[hkey_local_machine\\A\\B]\r\n\"v\"=dword:0000002a\r\n"
        "\"gone\"=\"x\"\r\n\"gone\"=-\r\n[HKEY_LOCAL_MACHINE\\C]\r\n[-HKEY_LOCAL_MACHINE\\C]\r\n";
    RegNode root;
    RegParseResult result = ParseRegText(text, "HKEY_LOCAL_MACHINE", root);
    ASSERT_TRUE(result.complete) << result.problem;
    RegNode* b = root.Find({"a", "b"});
    ASSERT_NE(b, nullptr);
    ASSERT_NE(b->Value("V"), nullptr);
    EXPECT_EQ(b->Value("V")->data, (std::vector<std::uint8_t>{42, 0, 0, 0}));
    EXPECT_EQ(b->Value("gone"), nullptr);
    EXPECT_EQ(root.Child("C"), nullptr);
}

struct Malformed {
    const char* name;
    const char* text;
    int badLine;
    bool keepsFirstKey;
};

class RegFileMalformed : public testing::TestWithParam<Malformed> {};

TEST_P(RegFileMalformed, KeepsWhatCameBeforeTheFault) {
    const Malformed& m = GetParam();
    RegNode root;
    RegParseResult result = ParseRegText(m.text, "HKEY_CURRENT_USER", root);
    EXPECT_FALSE(result.complete);
    EXPECT_EQ(result.problem.rfind("line " + std::to_string(m.badLine) + ":", 0), 0u) << result.problem;
    RegNode* first = root.Find({"Good"});
    EXPECT_EQ(first != nullptr && first->Value("kept") != nullptr, m.keepsFirstKey);
}

constexpr const char* kGood = "REGEDIT4\n[HKEY_CURRENT_USER\\Good]\n\"kept\"=\"yes\"\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, RegFileMalformed,
    testing::Values(
        Malformed{"NoHeader", "[HKEY_CURRENT_USER\\Good]\n", 1, false},
        Malformed{"WrongRoot", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Good]\n", 2, false},
        Malformed{"ValueBeforeKey", "REGEDIT4\n\"a\"=\"b\"\n", 2, false},
        Malformed{"UnclosedKey", "REGEDIT4\n[HKEY_CURRENT_USER\\Good]\n\"kept\"=\"yes\"\n[HKEY_CURRENT_USER\\X\n", 4, true},
        Malformed{"UnterminatedString", "REGEDIT4\n[HKEY_CURRENT_USER\\Good]\n\"kept\"=\"yes\"\n\"a\"=\"b\n", 4, true},
        Malformed{"ShortDword", "REGEDIT4\n[HKEY_CURRENT_USER\\Good]\n\"kept\"=\"yes\"\n\"a\"=dword:12\n", 4, true},
        Malformed{"BadHex", "REGEDIT4\n[HKEY_CURRENT_USER\\Good]\n\"kept\"=\"yes\"\n\"a\"=hex:1g,00\n", 4, true},
        Malformed{"HexTypeUnclosed", "REGEDIT4\n[HKEY_CURRENT_USER\\Good]\n\"kept\"=\"yes\"\n\"a\"=hex(2:00\n", 4, true},
        Malformed{"NoEquals", "REGEDIT4\n[HKEY_CURRENT_USER\\Good]\n\"kept\"=\"yes\"\n\"a\" \"b\"\n", 4, true},
        Malformed{"Garbage", "REGEDIT4\n[HKEY_CURRENT_USER\\Good]\n\"kept\"=\"yes\"\nwhat\n", 4, true},
        Malformed{"RemoveRoot", "REGEDIT4\n[HKEY_CURRENT_USER\\Good]\n\"kept\"=\"yes\"\n[-HKEY_CURRENT_USER]\n", 4, true}),
    [](const testing::TestParamInfo<Malformed>& info) { return std::string(info.param.name); });

TEST(RegFile, GoodPrefixOfTheMalformedCasesIsComplete) {
    RegNode root;
    EXPECT_TRUE(ParseRegText(kGood, "HKEY_CURRENT_USER", root).complete);
}
