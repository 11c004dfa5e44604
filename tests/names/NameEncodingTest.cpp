// Windows-1252 names to and from UTF-8: the byte table's special rows, text the
// name files cannot hold, and the lossless round trip of every byte.
#include "editor/document/NameEncoding.h"

#include <gtest/gtest.h>

namespace mirtala {
namespace {

// Windows-1252 and UTF-8: the ASCII and Latin-1 halves, the characters of 0x80-0x9F, and the undefined bytes.
const std::pair<std::string, std::string> kRows[] = {
    {"Walk 2", "Walk 2"},
    {"\xE9\xFF\xA0", "\xC3\xA9\xC3\xBF\xC2\xA0"},              // é ÿ no-break space
    {"\x80", "\xE2\x82\xAC"},                                  // €
    {"\x8A\x8C\x8E\x9F", "\xC5\xA0\xC5\x92\xC5\xBD\xC5\xB8"},  // Š Œ Ž Ÿ
    {"\x91\x92\x93\x94\x96\x97", "\xE2\x80\x98\xE2\x80\x99\xE2\x80\x9C\xE2\x80\x9D\xE2\x80\x93\xE2\x80\x94"},
    {"\x99\x83\x88\x98", "\xE2\x84\xA2\xC6\x92\xCB\x86\xCB\x9C"},  // ™ ƒ ˆ ˜
    {"\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},
    {std::string("a\0b", 3), std::string("a\0b", 3)}};

TEST(NameEncoding, TableRowsConvertBothWays) {
    for (const auto& [bytes, utf8] : kRows) {
        EXPECT_EQ(Cp1252ToUtf8(bytes), utf8) << utf8;
        EXPECT_EQ(Utf8ToCp1252(utf8), bytes) << utf8;
    }
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(byte)), byte) << b;
    }
}

TEST(NameEncoding, TextWithoutABytePlaceIsRefused) {
    const char* refused[] = {
        "\xE2\x82\xAC\xE2\x82\xAD",  // € then ₭
        "\xC2\x80",                  // U+0080: byte 0x80 is €, not this control
        "\xF0\x9F\x98\x80",          // an emoji
        "\xC3",                      // cut short
        "\xC0\xA9",                  // overlong
        "\xED\xA0\x80",              // a surrogate
        "\xE9",                      // a Windows-1252 byte, not UTF-8
    };
    for (const char* text : refused) EXPECT_EQ(Utf8ToCp1252(text), std::nullopt) << text;
}

TEST(NameEncoding, ShownNamesStopAfter256Characters) {
    const std::string long1252(300, '\x80');  // each byte one character of three UTF-8 bytes
    std::string euros;
    for (int i = 0; i < 256; ++i) euros += "\xe2\x82\xac";
    EXPECT_EQ(ShownName(long1252), euros + "\xe2\x80\xa6");
    EXPECT_EQ(ShownName(long1252.substr(0, 256)), euros);
    EXPECT_EQ(ShownName(""), "");
}

}  // namespace
}  // namespace mirtala
