// The seams the user interface shares with the document: file-dialog filters,
// the message recorder, and the appearance record handed to pictures.
#include "DocTestSupport.h"
#include "editor/document/FileDialogService.h"
#include "editor/document/MessageService.h"

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

TEST(MessageSeam, RecorderAnswersFromItsScriptThenWithTheHarmlessButton) {
    RecordingMessageService recorder;
    ScopedMessageService use(recorder);
    recorder.answers = {MessageAnswer::Yes};
    EXPECT_EQ(ShowMessage("C", "first", MessageIcon::Question, MessageButtons::YesNoCancel), MessageAnswer::Yes);
    EXPECT_EQ(ShowMessage("C", "second", MessageIcon::Question, MessageButtons::YesNoCancel), MessageAnswer::Cancel);
    EXPECT_EQ(ShowMessage("C", "third", MessageIcon::Question, MessageButtons::YesNo), MessageAnswer::No);
    EXPECT_EQ(ShowMessage("C", "fourth"), MessageAnswer::Ok);
    ASSERT_EQ(recorder.shown.size(), 4u);
    EXPECT_EQ(recorder.shown[3].icon, MessageIcon::Warning);
    EXPECT_EQ(recorder.shown[3].buttons, MessageButtons::Ok);
}

TEST(AppearanceRecord, ControlOrderMovesSexAndAgeToTheEndAndCutsTo16Bits) {
    const Appearance a{1, 6, 10, 11, 20, 21, 30, 31, 40, 41, 50, 0x12345};
    const std::array<std::int16_t, 12> expected{10, 11, 20, 21, 30, 31, 40, 41, 50, 0x2345, 1, 6};
    EXPECT_EQ(a.ControlOrder(), expected);
    EXPECT_EQ(Appearance::FromValues(a.Values()), a);
}

TEST(AppearanceRecord, PresetFromTheFirstAppearanceGenePerRegion) {
    Genome g;
    auto add = [&g](std::uint8_t region, std::uint8_t variant, std::uint8_t genus) {
        g.Append(Gene{GeneHeader{kCreatureGeneType, kAppearanceSubtype, 1, 0, 0, 0, 0}, {region, variant, genus}});
    };
    add(1, 3, 2);
    add(1, 9, 9);  // a second one for the body is not used
    add(3, 25, 1);
    add(7, 1, 1);  // no such region
    EXPECT_EQ(AppearanceFromGenome(g), (Appearance{0, 0, 0, 0, 2, 3, 0, 0, 1, 25, 0, 0}));
}

}  // namespace
}  // namespace mirtala
