// REGEDIT4 text: round trips of every value form and reading of malformed files.
#include <gtest/gtest.h>

#include "platform/registry/RegFile.h"
#include "platform/registry/RegTypes.h"

using namespace mirtala::registry;

namespace {

// A string value with its terminating nul.
RegValue Text(std::string name, const std::string& text) {
    return RegValue{std::move(name), REG_SZ, {text.c_str(), text.c_str() + text.size() + 1}};
}

// Every key, value name, type and byte of a tree, in order.
std::string Dump(const RegNode& node) {
    std::string out = "[" + node.Name() + "]";
    for (const RegValue& v : node.Values()) {
        out += v.name + "=" + std::to_string(v.type) + ":";
        for (std::uint8_t b : v.data) out += std::to_string(b) + ",";
    }
    for (const auto& child : node.Children()) out += Dump(*child);
    return out + "[/]";
}

}  // namespace

TEST(RegFile, EveryValueFormReadsBackIdentically) {
    RegNode root;
    RegNode& key = root.AddChild("Software").AddChild("Vantrelle Technology").AddChild("Tarvossa 2");
    std::vector<std::uint8_t> longBinary(70);
    for (std::size_t i = 0; i < longBinary.size(); ++i) longBinary[i] = static_cast<std::uint8_t>(i * 7);
    for (RegValue v :
         {Text("", "default"), Text("Images Directory", "c:\\program files\\tarvossa 2\\images\\"),
          Text("quote\"and\\slash", "say \"hi\""), Text("Multi", "line one\nline two"),  // not representable as text
          Text("TrailingBreak", "line\n"), RegValue{"Embedded", REG_SZ, {'a', 0, 'b', 0}},
          RegValue{"NoNul", REG_SZ, {'a', 'b'}}, RegValue{"MiscStatus", REG_DWORD, {0x91, 1, 2, 0}},
          RegValue{"Long", REG_BINARY, longBinary}, RegValue{"Odd", 0x7, {1, 2, 3}}, RegValue{"Empty", REG_BINARY, {}}})
        key.SetValue(std::move(v));
    root.AddChild("Empty Key");
    root.SetValue(Text("OnRoot", "x"));

    std::string text = FormatRegText(root, "HKEY_LOCAL_MACHINE");
    RegNode back;
    RegParseResult result = ParseRegText(text, "HKEY_LOCAL_MACHINE", back);
    ASSERT_TRUE(result.complete) << result.problem << "\n" << text;
    EXPECT_EQ(Dump(back), Dump(root));
    EXPECT_EQ(FormatRegText(back, "HKEY_LOCAL_MACHINE"), text);
}

// A file from a Windows editor: a byte-order mark, CR LF line ends, comments.
TEST(RegFile, ReadsAByteOrderMarkWindowsLineEndsCommentsAndRemovals) {
    std::string text =
        "\xEF\xBB\xBFREGEDIT4\r\n\r\n; a comment\r\n[hkey_local_machine\\A\\B]\r\n\"v\"=dword:0000002A\r\n"
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
    const char* after;  // the text, after a well-formed key with the value "kept" when that key is kept
    int badLine;        // the line reported bad; 0: the text is complete
    bool keepsFirstKey;
};

class RegFileMalformed : public testing::TestWithParam<Malformed> {};

TEST_P(RegFileMalformed, KeepsWhatCameBeforeTheFault) {
    const Malformed& c = GetParam();
    const std::string good = "REGEDIT4\n[HKEY_CURRENT_USER\\Good]\n\"kept\"=\"yes\"\n";
    std::string text = (c.keepsFirstKey ? good : std::string()) + c.after;
    RegNode root;
    RegParseResult result = ParseRegText(text, "HKEY_CURRENT_USER", root);
    EXPECT_EQ(result.complete, c.badLine == 0);
    bool startsWithLine = result.problem.rfind("line " + std::to_string(c.badLine) + ":", 0) == 0;
    EXPECT_EQ(startsWithLine, c.badLine != 0) << result.problem;
    RegNode* first = root.Find({"Good"});
    EXPECT_EQ(first != nullptr && first->Value("kept") != nullptr, c.keepsFirstKey);
}

INSTANTIATE_TEST_SUITE_P(Cases, RegFileMalformed,
                         testing::Values(Malformed{"WellFormed", "", 0, true},
                                         Malformed{"NoHeader", "[HKEY_CURRENT_USER\\Good]\n", 1, false},
                                         Malformed{"WrongRoot", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Good]\n", 2, false},
                                         Malformed{"ValueBeforeKey", "REGEDIT4\n\"a\"=\"b\"\n", 2, false},
                                         Malformed{"UnclosedKey", "[HKEY_CURRENT_USER\\X\n", 4, true},
                                         Malformed{"UnterminatedString", "\"a\"=\"b\n", 4, true},
                                         Malformed{"ShortDword", "\"a\"=dword:12\n", 4, true},
                                         Malformed{"BadHex", "\"a\"=hex:1g,00\n", 4, true},
                                         Malformed{"HexLoneDigit", "\"a\"=hex:00,1\n", 4, true},
                                         Malformed{"HexTrailingComma", "\"a\"=hex:00,\n", 4, true},
                                         Malformed{"HexTypeUnclosed", "\"a\"=hex(2:00\n", 4, true},
                                         Malformed{"NoEquals", "\"a\" \"b\"\n", 4, true},
                                         Malformed{"Garbage", "what\n", 4, true},
                                         Malformed{"RemoveRoot", "[-HKEY_CURRENT_USER]\n", 4, true}),
                         [](const auto& info) { return std::string(info.param.name); });
