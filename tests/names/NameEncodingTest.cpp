// Windows-1252 names to and from UTF-8: the byte table's special rows, text the
// name files cannot hold, and the lossless round trip of every byte.
#include "editor/document/NameEncoding.h"

#include <gtest/gtest.h>

namespace mirtala {
namespace {

struct Row {
    std::string bytes;  // Windows-1252
    std::string utf8;
};

// ASCII, Latin-1, the characters of 0x80-0x9F, and the undefined bytes.
const Row kRows[] = {
    {std::string("Walk\0 2", 7), std::string("Walk\0 2", 7)},
    {"\xE9\xFF\xA0", "\xC3\xA9\xC3\xBF\xC2\xA0"},               // é ÿ no-break space
    {"\x80\x8A\x9F", "\xE2\x82\xAC\xC5\xA0\xC5\xB8"},           // € Š Ÿ
    {"\x93\x97\x99", "\xE2\x80\x9C\xE2\x80\x94\xE2\x84\xA2"},   // “ — ™
    {"\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},
};

TEST(NameEncoding, TableRowsConvertBothWays) {
    for (const Row& row : kRows) {
        EXPECT_EQ(Cp1252ToUtf8(row.bytes), row.utf8) << row.utf8;
        EXPECT_EQ(Utf8ToCp1252(row.utf8), row.bytes) << row.utf8;
    }
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(byte)), byte) << b;
    }
}

TEST(NameEncoding, TextWithoutABytePlaceIsRefused) {
    // ₭, U+0080 (byte 0x80 is €), an emoji, cut short, overlong, a surrogate, a Windows-1252 byte.
    for (const char* text : {"\xE2\x82\xAD", "\xC2\x80", "\xF0\x9F\x98\x80", "\xC3", "\xC0\xA9", "\xED\xA0\x80", "\xE9"})
        EXPECT_EQ(Utf8ToCp1252(text), std::nullopt) << text;
    EXPECT_TRUE(Cp1252CanHold(U'é') && Cp1252CanHold(U'\u2122') && Cp1252CanHold(U'\u009D'));
    EXPECT_FALSE(Cp1252CanHold(U'\u0080') || Cp1252CanHold(U'\u0100') || Cp1252CanHold(U'\U0001F600'));
}

}  // namespace
}  // namespace mirtala
