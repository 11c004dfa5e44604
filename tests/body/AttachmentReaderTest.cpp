// Attachment text: a stream of numbers with white space of any kind, stored as 16 bits.
#include <gtest/gtest.h>

#include <array>

#include "control/body/AttachmentReader.h"

namespace {

struct NumbersCase {
    const char* text;
    std::vector<std::int32_t> values;  // the first numbers read; later ones must be 0
};

class AttachmentNumbers : public testing::TestWithParam<NumbersCase> {};

TEST_P(AttachmentNumbers, ReadsInOrderAndZeroWhereNothingCanBeRead) {
    std::string_view cursor = GetParam().text;
    for (std::int32_t expected : GetParam().values) {
        EXPECT_EQ(zubrelle::ReadAttachmentNumber(cursor), expected) << GetParam().text;
    }
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(zubrelle::ReadAttachmentNumber(cursor), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, AttachmentNumbers, testing::Values(
    NumbersCase{"12 7\n3 40", {12, 7, 3, 40}},
    NumbersCase{"\t 1\r\n\r\n2\v\f3", {1, 2, 3}},
    NumbersCase{"-1 +5", {65535, 5}},
    NumbersCase{"65536 65537 -65536", {0, 1, 0}},
    NumbersCase{"99999999999 -99999999999", {65535, 0}},  // saturated like a 32-bit long
    NumbersCase{"4 x 5", {4, 0, 0}},                       // a stuck cursor gives zeros
    NumbersCase{"4 - 5", {4, 0, 0}},
    NumbersCase{"7,8", {7, 0}},
    NumbersCase{"10 20", {10, 20}},
    NumbersCase{"", {}}));

TEST(AttachmentReader, StuckCursorDoesNotMove) {
    std::string_view cursor = "  x 1";
    EXPECT_EQ(zubrelle::ReadAttachmentNumber(cursor), 0);
    EXPECT_EQ(cursor, "  x 1");
}

TEST(AttachmentReader, PointsReadAsPairsAndContinueFromTheCursor) {
    std::string_view cursor = "1 2 3 4\n5 6";
    std::array<zubrelle::AttachmentPoint, 2> first{};
    std::array<zubrelle::AttachmentPoint, 2> second{};
    zubrelle::ReadAttachmentPoints(cursor, first);
    zubrelle::ReadAttachmentPoints(cursor, second);
    EXPECT_EQ(first[0], (zubrelle::AttachmentPoint{1, 2}));
    EXPECT_EQ(first[1], (zubrelle::AttachmentPoint{3, 4}));
    EXPECT_EQ(second[0], (zubrelle::AttachmentPoint{5, 6}));
    EXPECT_EQ(second[1], (zubrelle::AttachmentPoint{0, 0}));
}

}  // namespace
