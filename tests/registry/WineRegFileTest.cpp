// Wine's registry text: the value forms and escapes as a prefix holds them,
// and malformed lines passed over without losing what surrounds them. Keys
// matched whatever their case are held by the host folders test.
#include <gtest/gtest.h>

#include "platform/registry/RegTypes.h"
#include "platform/registry/WineRegFile.h"

using namespace mirtala::registry;

namespace {

const std::vector<std::string> kKey{"Software", "Vantrelle Technology", "Tarvossa 2", "1.0"};

std::string File(const std::string& body) {
    return "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win32\n\n"
           "[Software\\\\Vantrelle Technology\\\\Tarvossa 2\\\\1.0] 1700000000\n#time=1da0a1b2c3d4e5f\n" +
           body;
}

const RegValue* ValueOf(const RegNode& root, const char* name) {
    const RegNode* key = root.Find(kKey);
    return key ? key->Value(name) : nullptr;
}

struct ValueCase {
    const char* line;  // the value line(s) of the key, the value named "V"
    std::uint32_t type;
    std::string data;  // strings with their closing NUL
};

class WineValue : public testing::TestWithParam<ValueCase> {};

}  // namespace

TEST_P(WineValue, ReadsAsOurRegistryWouldHoldIt) {
    const ValueCase& c = GetParam();
    RegNode root;
    WineRegResult result = ReadWineRegText(File(c.line), {kKey}, root);
    EXPECT_EQ(result.skippedLines, 0) << result.problem;
    const RegValue* v = ValueOf(root, "V");
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->type, c.type);
    EXPECT_EQ(std::string(v->data.begin(), v->data.end()), c.data);
}

using namespace std::string_literals;
INSTANTIATE_TEST_SUITE_P(
    Forms, WineValue,
    testing::Values(ValueCase{R"("V"="C:\\Program Files\\Tarvossa 2\\Images\\")", REG_SZ,
                              "C:\\Program Files\\Tarvossa 2\\Images\\\0"s},
                    ValueCase{R"("V"="say \"hi\"\ta\n\a\b\f\r\v")", REG_SZ, "say \"hi\"\ta\n\a\b\f\r\v\0"s},
                    // \x takes up to four hex digits as one UTF-16 unit; a surrogate pair is one character
                    // (here the pairs at the ends of both surrogate ranges).
                    ValueCase{R"("V"="T\xe4rvossa \xd800\xdfff\xdbff\xdc00 \x00e4b")", REG_SZ,
                              "T\xC3\xA4rvossa \xF0\x90\x8F\xBF\xF4\x8F\xB0\x80 \xC3\xA4"
                              "b\0"s},
                    ValueCase{R"("V"="lone \xd83d!")", REG_SZ, "lone \xEF\xBF\xBD!\0"s},
                    ValueCase{R"("V"="\101\60\0617\7\e")", REG_SZ,
                              "A01"
                              "7\x07\x1B\0"s},
                    ValueCase{"\"V\"=\"raw T\xC3\xA4rvossa\"", REG_SZ, "raw T\xC3\xA4rvossa\0"s},
                    ValueCase{R"("V"=str(2):"%ProgramFiles%\\T2\\")", REG_EXPAND_SZ, "%ProgramFiles%\\T2\\\0"s},
                    ValueCase{R"("V"=str(7):"a\0b\0")", 7, "a\0b\0\0"s},
                    ValueCase{"\"V\"=hex(2):43,00,3a,00,5c,00,\\\n  e4,00,00,00", REG_EXPAND_SZ, "C:\\\xC3\xA4\0"s},
                    ValueCase{R"("V"=dword:8c0b0a2a)", REG_DWORD, "\x2A\x0A\x0B\x8C"s},
                    ValueCase{R"("V"=hex:00, ff)", REG_BINARY, "\0\xFF"s},
                    ValueCase{R"("V"=hex(7):61,00,00,00,00,00)", 7, "a\0\0"s}));

// Whatever is malformed, the rest of the file is still read, and values never
// go to a key whose line was malformed.
TEST(WineRegFile, PassesOverMalformedLinesAndKeepsEverythingAroundThem) {
    std::string text = File(
        "\"Images Directory\"=\"kept\"\n"
        "@=\"the key's default\"\n"
        "not a value\n"
        "\"Bad\"=hex:zz\n"
        "\"Open=\"x\"\n"
        "\"Body Data Directory\"=\"kept too\"\n"
        "[Software\\\\Vantrelle Technology\\\\Tarvossa 2\\\\1.0\n"
        "\"Lost\"=\"not given to any key\"\n");
    RegNode root;
    ReadWineRegText(text, {kKey}, root);
    for (const char* kept : {"Images Directory", "", "Body Data Directory"})
        EXPECT_NE(ValueOf(root, kept), nullptr) << kept;
    for (const char* lost : {"Lost", "Bad"}) EXPECT_EQ(ValueOf(root, lost), nullptr) << lost;

    RegNode none;
    ReadWineRegText("REGEDIT4\n" + text, {kKey}, none);
    EXPECT_TRUE(none.Children().empty()) << "a file without Wine's header is not read at all";
}
