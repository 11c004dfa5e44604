// What the user interface takes from the document unchanged: file-dialog
// filters and the appearance in the order the pictures want it.
#include "DocTestSupport.h"
#include "editor/document/FileDialogService.h"

#include <gtest/gtest.h>

namespace mirtala {
namespace {

using namespace test;

struct FilterCase {
    const char* pipe;
    QStringList qt;
};
class FilterTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FilterTest, PipeFiltersBecomeQtNameFilters) { EXPECT_EQ(QtNameFilters(GetParam().pipe), GetParam().qt); }

INSTANTIATE_TEST_SUITE_P(
    Filters, FilterTest,
    ::testing::Values(FilterCase{"Genome files (*.gno)|*.gno", {"Genome files (*.gno)"}},
                      FilterCase{"Pose Names (posename.txt)|posename.txt", {"Pose Names (posename.txt)"}},
                      FilterCase{"Genome Files (*.gen)|*.gen||", {"Genome Files (*.gen)"}},
                      // The patterns after the bar decide what is listed, not the description.
                      FilterCase{"Images (*.png)|*.s16;*.att|All Files|*.*", {"Images (*.s16 *.att)", "All Files (*.*)"}},
                      FilterCase{"", {}}, FilterCase{"Dangling", {}}));

TEST(AppearanceRecord, ControlOrderMovesSexAndAgeToTheEndAndCutsTo16Bits) {
    const Appearance a{1, 6, 10, 11, 20, 21, 30, 31, 40, 41, 50, 0x12345};
    const std::array<std::int16_t, 12> expected{10, 11, 20, 21, 30, 31, 40, 41, 50, 0x2345, 1, 6};
    EXPECT_EQ(a.ControlOrder(), expected);
    EXPECT_EQ(Appearance::FromValues(a.Values()), a);
}

}  // namespace
}  // namespace mirtala
