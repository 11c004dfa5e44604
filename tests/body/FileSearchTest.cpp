// The file search: order of fallbacks, the other sex last, names in any case, directory
// strings with or without a separator, and candidates that cannot be read.
#include <gtest/gtest.h>

#include <filesystem>

#include "TestBody.h"
#include "control/body/BodyFiles.h"

namespace {

struct SearchCase {
    const char* name;
    std::vector<std::string> files;  // names in the folder
    int genus, sex, age, variant;    // request for the left foot (part 5)
    const char* expected;            // file found, or "" for none
};

class FileSearch : public testing::TestWithParam<SearchCase> {};

TEST_P(FileSearch, FindsTheFirstCandidateInSearchOrder) {
    const SearchCase& c = GetParam();
    bodytest::TempTree tree;
    for (const std::string& file : c.files) {
        tree.Write("images/" + file, file);
    }
    const auto found = zubrelle::FindBodyFile(tree.Images(), 5, c.genus, c.sex, c.age, c.variant, ".s16");
    if (std::string(c.expected).empty()) {
        EXPECT_FALSE(found.has_value());
        return;
    }
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(std::string(found->bytes.begin(), found->bytes.end()), c.expected);
    EXPECT_EQ(found->path, tree.Images() + c.expected);
}

INSTANTIATE_TEST_SUITE_P(Order, FileSearch, testing::Values(
    SearchCase{"ExactName", {"e54c.s16", "e44c.s16"}, 1, 1, 4, 2, "e54c.s16"},
    // Every age of the requested variant comes before the next lower variant.
    SearchCase{"AgesBeforeVariants", {"e02c.s16", "e04a.s16"}, 0, 0, 4, 2, "e02c.s16"},
    SearchCase{"LowerVariant", {"e04a.s16", "e00a.s16"}, 0, 0, 4, 2, "e04a.s16"},
    SearchCase{"OtherSexOnlyAfterAllOfTheRequestedSex", {"e40c.s16", "e00a.s16"}, 0, 0, 0, 2, "e00a.s16"},
    SearchCase{"OtherSexFound", {"e43b.s16"}, 0, 0, 4, 2, "e43b.s16"},
    SearchCase{"FemaleFallsBackToMale", {"e13a.s16"}, 1, 1, 3, 0, "e13a.s16"},
    SearchCase{"HigherAgeNeverTried", {"e05a.s16"}, 0, 0, 4, 0, ""},
    SearchCase{"HigherVariantNeverTried", {"e04c.s16"}, 0, 0, 4, 1, ""},
    SearchCase{"OtherGenusNeverTried", {"e14a.s16", "e24a.s16"}, 0, 0, 4, 0, ""},
    SearchCase{"OtherExtensionIgnored", {"e04a.att"}, 0, 0, 4, 0, ""},
    SearchCase{"NegativeAgeTriesNothing", {"e00a.s16"}, 0, 0, -1, 0, ""},
    SearchCase{"NegativeVariantTriesNothing", {"e00a.s16"}, 0, 0, 0, -1, ""},
    SearchCase{"UpperCaseName", {"E04A.S16"}, 0, 0, 4, 0, "E04A.S16"},
    SearchCase{"MixedCaseFallback", {"e02A.S16"}, 0, 0, 4, 0, "e02A.S16"},
    SearchCase{"ExactCaseWinsOverOtherCase", {"E04A.S16", "e04a.s16"}, 0, 0, 4, 0, "e04a.s16"}),
    [](const testing::TestParamInfo<SearchCase>& info) { return std::string(info.param.name); });

TEST(FileSearch, DirectoryWithoutTrailingSeparatorGetsOne) {
    bodytest::TempTree tree;
    tree.Write("images/a00a.s16", std::string("x"));
    std::string directory = tree.Images();
    directory.pop_back();
    const auto found = zubrelle::FindBodyFile(directory, 1, 0, 0, 0, 0, ".s16");
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->path, tree.Images() + "a00a.s16");
    EXPECT_EQ(zubrelle::WithTrailingSeparator("dir\\"), "dir\\");
    EXPECT_EQ(zubrelle::WithTrailingSeparator(""), "");
}

TEST(FileSearch, CandidateThatCannotBeReadCountsAsAbsent) {
    bodytest::TempTree tree;
    std::filesystem::create_directory(tree.Root() / "images" / "a04a.s16");
    tree.Write("images/a03a.s16", std::string("younger"));
    const auto found = zubrelle::FindBodyFile(tree.Images(), 1, 0, 0, 4, 0, ".s16");
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(std::string(found->bytes.begin(), found->bytes.end()), "younger");
}

TEST(FileSearch, MissingDirectoryFindsNothing) {
    bodytest::TempTree tree;
    EXPECT_FALSE(zubrelle::FindBodyFile(tree.Images() + "absent/", 1, 0, 0, 4, 3, ".s16").has_value());
}

TEST(FileSearch, OutOfRangeValuesNeverLeaveTheDirectory) {
    bodytest::TempTree tree;
    // Genus -1 would make the digit '/', naming a subfolder "a/".
    std::filesystem::create_directory(tree.Root() / "images" / "a");
    tree.Write("images/a/0a.s16", std::string("outside"));
    EXPECT_FALSE(zubrelle::FindBodyFile(tree.Images(), 1, -1, 0, 0, 0, ".s16").has_value());
    // Huge values end quickly: only 256 ages and variants can name different files.
    EXPECT_FALSE(zubrelle::FindBodyFile(tree.Images(), 1, 0, 0, 2000000000, 2000000000, ".s16").has_value());
}

TEST(FileSearch, StemNamesPartGenusSexAgeAndVariant) {
    EXPECT_EQ(zubrelle::BodyFileStem(5, 1 + 4 * 1, 4, 2), "e54c");
    EXPECT_EQ(zubrelle::BodyFileStem(14, 2, 6, 25), "n26z");
}

}  // namespace
