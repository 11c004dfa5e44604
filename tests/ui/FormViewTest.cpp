// The form view: its template, ordered lists, hints, appearance and the Edit commands.
#include "ui/EditorTestSupport.h"

#include "editor/document/GeneClipboard.h"
#include "editor/ui/DialogResources.h"

#include <QLabel>
#include <QTimer>

namespace mirtala::test {
namespace {

using ui::CMirtalaView;
namespace id = ui::id;

TEST(DialogTemplateTest, AccessibleNamesAndDialogUnits) {
    const std::pair<const char*, const char*> names[] = {
        {"&Sex:", "Sex"}, {"Save &As...", "Save As..."}, {"Tail &Tip", "Tail Tip"}, {"R&&D:", "R&D"}, {"OK", "OK"}};
    for (const auto& [text, name] : names) EXPECT_EQ(ui::AccessibleNameFromText(text), name) << text;

    const ui::DialogUnits units{7, 16};
    EXPECT_EQ(units.Rect(112, 12, 116, 160), QRect(196, 24, 203, 320));
    EXPECT_EQ(units.Rect(1, 1, 1, 1), QRect(1, 2, 2, 2));  // edges round, so neighbours never overlap
}

class FormViewTest : public ViewTest {};

// A caption that the font draws wider than its box grows to the right and widens the
// dialog; an edit box, or a caption with room to spare, keeps the template's width.
TEST_F(FormViewTest, OnlyCaptionsTooWideForTheirBoxesGrow) {
    QWidget parent;
    ui::CTemplateWidgets widgets;
    widgets.Build({"",
                   40,
                   40,
                   {{1, ui::ControlKind::Static, "A caption far too wide", 4, 4, 8, 8},
                    {2, ui::ControlKind::Edit, "", 4, 14, 8, 12},
                    {3, ui::ControlKind::Static, "x", 4, 28, 30, 8}}},
                  &parent, nullptr);
    const ui::DialogUnits units = ui::DialogUnits::ForFont(parent.font());
    EXPECT_EQ(widgets.Item(1)->width(), widgets.Item(1)->sizeHint().width());
    EXPECT_EQ(widgets.ClientSize().width(), widgets.Item(1)->geometry().right() + 1 + units.X(4));
    EXPECT_EQ(widgets.Item(2)->width(), units.Rect(4, 14, 8, 12).width());
    EXPECT_EQ(widgets.Item(3)->width(), units.Rect(4, 28, 30, 8).width());
}

// The builder knows no picture control: a window registers how it is made, and
// without that the template's pictures are left out, the rest built as usual.
TEST_F(FormViewTest, PicturesComeFromTheFactoryTheWindowRegisters) {
    const ui::DialogTemplate dialog{"",
                                    60,
                                    60,
                                    {{7, ui::ControlKind::Picture, "", 4, 4, 40, 30, ui::StyleNone, {}, "Preview"},
                                     {8, ui::ControlKind::Edit, "", 4, 40, 20, 12}}};
    QWidget bare;
    ui::CTemplateWidgets without;
    without.Build(dialog, &bare, nullptr);
    EXPECT_EQ(without.Item(7), nullptr);
    EXPECT_NE(without.Item(8), nullptr);

    QWidget parent;
    ui::CTemplateWidgets with;
    with.SetPictureFactory([](const ui::ControlTemplate&, const QRect&, QWidget* p) { return new QLabel(p); });
    with.Build(dialog, &parent, nullptr);
    ASSERT_NE(with.Item(7), nullptr);
    EXPECT_EQ(with.Item(7)->geometry(), with.Units().Rect(4, 4, 40, 30));
    EXPECT_EQ(with.Item(7)->accessibleName(), "Preview");
}

// Where each control goes and its name are the template's to say; the tests below find them by both.
TEST_F(FormViewTest, EveryControlIsBuiltAndThePoseListsColumnsSplitItsWidth) {
    ASSERT_TRUE(Open({}));
    CMirtalaView& view = ShowView();
    for (int control = id::Sex; control <= 1025; ++control) EXPECT_NE(view.Controls().Item(control), nullptr);
    QLabel* sexLabel = nullptr;  // a label's mnemonic focuses the control after it: Alt+S the Sex list
    for (QLabel* label : view.findChildren<QLabel*>())
        if (label->text() == "&Sex:") sexLabel = label;
    ASSERT_NE(sexLabel, nullptr);
    EXPECT_EQ(sexLabel->buddy(), view.Controls().Item(id::Sex));
    EXPECT_EQ(sexLabel->alignment(), Qt::AlignLeft | Qt::AlignTop);  // a text starts at its box's corner
    // The column widths split the list's width less a scroll bar, two thirds to the name.
    const int w0 = view.PoseList()->columnWidth(0), w1 = view.PoseList()->columnWidth(1);
    EXPECT_EQ(w1, (w0 + w1) / 3);
}

TEST_F(FormViewTest, ListsAreOrderedByNumberThenSwitchOnAndEqualKeysGoLast) {
    NameTable::Instance().SetName(3, "Crouch");
    NameTable::Instance().SetName(256 + 1, "Amble");
    ASSERT_TRUE(
        Open({PoseGene(1, 3), WithSwitchOn(PoseGene(2, 1), 4), PoseGene(3, 1), GaitGene(4, 1), GaitGene(5, 0)}));
    ShowView();
    EXPECT_EQ(PoseTexts(), QStringList({"(1) 1 | Embryo", "(1) 1 | Adult", "(3) Crouch | Embryo"}));
    EXPECT_EQ(GaitTexts(), QStringList({"(0) 0", "(1) Amble"}));

    // Two more with the key (1, Embryo): each goes after the genes it equals.
    doc->AddGene(PoseGene(6, 1));
    doc->AddGene(PoseGene(7, 1));
    doc->AddGene(WithSwitchOn(PoseGene(8, 0), 9));  // a switch-on time past Senile shows as Senile
    const std::vector<int> ids = {8, 3, 6, 7, 2, 1};
    ASSERT_EQ(form->Poses().size(), ids.size());
    for (std::size_t i = 0; i < ids.size(); ++i) EXPECT_EQ(form->Poses()[i]->header.id, ids[i]) << i;
    EXPECT_EQ(PoseTexts().front(), "(0) 0 | Senile");
}

TEST_F(FormViewTest, HintsInsertAndRemoveByIdAndIgnoreOtherGenes) {
    ASSERT_TRUE(Open({PoseGene(1, 2), PoseGene(2, 5), GaitGene(3, 1)}));
    ShowView();
    doc->AddGene(MakeGene(kAppearanceSubtype, 9, 0, "\1\1"));
    doc->RemoveGene(PoseGene(2, 5));
    doc->RemoveGene(GaitGene(3, 1));
    EXPECT_EQ(PoseTexts(), QStringList({"(2) 2 | Embryo"}));
    EXPECT_TRUE(GaitTexts().isEmpty());
    doc->Undo();  // the gait comes back through the Add hint
    EXPECT_EQ(GaitTexts(), QStringList({"(1) 1"}));
    EXPECT_EQ(form->Gaits().size(), 1u);
}

TEST_F(FormViewTest, NamesImportedLaterShowOnlyInItemsMadeLater) {
    ASSERT_TRUE(Open({PoseGene(1, 4)}));
    ShowView();
    NameTable::Instance().SetName(4, "Leap");
    doc->AddGene(WithSwitchOn(PoseGene(2, 4), 2));
    EXPECT_EQ(PoseTexts(), QStringList({"(4) 4 | Embryo", "(4) Leap | Adolescent"}));
    CMirtalaView second(*doc);
    second.OnInitialUpdate();
    EXPECT_EQ(second.PoseList()->topLevelItem(0)->text(0), "(4) Leap");
}

TEST_F(FormViewTest, AppearanceCombosReplaceTheWholeRecordAndGenusDoesNothing) {
    ASSERT_TRUE(Open({MakeGene(kGenusSubtype, 1, 2, ""), PoseGene(2, 1)}));
    CMirtalaView& view = ShowView();
    auto choose = [&](int control, int index) { Choose(view.Controls().ItemAs<QComboBox>(control), index); };
    EXPECT_EQ(view.Controls().ItemAs<QComboBox>(id::Genus)->currentText(), "Umbrid");
    // Each value of the record shows in its own combo, and a choice in any one reads them all back.
    Appearance expected{1, 5, 1, 3, 2, 4, 0, 5, 1, 6, 2, 7};
    doc->ChangeAppearance(expected);
    view.OnUpdate(nullptr, 0, GeneRef());
    choose(1024, 25);  // arms variant
    expected.armsVariant = 25;
    EXPECT_EQ(doc->GetAppearance(), expected);

    choose(id::Genus, 0);
    EXPECT_EQ(doc->GetAppearance(), expected);
    view.OnUpdate(nullptr, 0, GeneRef());
    EXPECT_EQ(view.Controls().ItemAs<QComboBox>(id::Genus)->currentText(), "Umbrid");
}

TEST_F(FormViewTest, EditCommandsActOnTheFocusedListsSelection) {
    ASSERT_TRUE(Open({PoseGene(1, 2), GaitGene(2, 1)}));
    CMirtalaView& view = ShowView();
    QApplication::setActiveWindow(&view);
    EmptyClipboard();

    // Nothing selected: Copy, Cut and the Remove buttons change nothing.
    view.PoseList()->setFocus();
    EXPECT_FALSE(view.CanCopy());
    view.OnEditCut();
    Named(&view, "Remove Pose")->click();
    Named(&view, "Remove Gait")->click();
    EXPECT_EQ(genome().Count(), 2u);
    EXPECT_EQ(doc->UndoCount(), 0u);

    // A selection in the other list does not count while this one has the focus.
    view.GaitList()->setCurrentRow(0);
    EXPECT_FALSE(view.CanCopy());
    view.GaitList()->setFocus();
    ASSERT_TRUE(view.CanCopy());
    view.OnEditCut();
    EXPECT_TRUE(GaitTexts().isEmpty());
    Gene pasted;
    ASSERT_TRUE(PasteFromClipboard(pasted));
    EXPECT_EQ(pasted.data, GaitGene(2, 1).data);
    EXPECT_EQ(doc->UndoCount(), 1u);
}

// A row chosen in either list: Copy copies its gene, Properties or a double click
// opens its dialog, and Remove removes it.
TEST_F(FormViewTest, TheListButtonsActOnTheChosenRow) {
    ASSERT_TRUE(Open({PoseGene(1, 2), PoseGene(2, 3), GaitGene(3, 1), GaitGene(4, 2)}));
    CMirtalaView& view = ShowView();
    QApplication::setActiveWindow(&view);
    view.PoseList()->setCurrentItem(view.PoseList()->topLevelItem(1));
    view.GaitList()->setCurrentRow(1);
    view.PoseList()->setFocus();
    view.OnEditCopy();
    Gene copied;
    ASSERT_TRUE(PasteFromClipboard(copied));
    EXPECT_EQ(copied.data, PoseGene(2, 3).data);
    Named(&view, "Pose Properties")->click();
    emit view.GaitList()->itemDoubleClicked(view.GaitList()->item(1));
    ASSERT_EQ(doc->PoseDialogs().size(), 1u);
    ASSERT_EQ(doc->GaitDialogs().size(), 1u);
    EXPECT_EQ(doc->PoseDialogs()[0]->GetGeneRef()->header.id, 2);
    EXPECT_EQ(doc->GaitDialogs()[0]->GetGeneRef()->header.id, 4);
    Named(&view, "Remove Pose")->click();
    Named(&view, "Remove Gait")->click();
    EXPECT_EQ(Ids(), (std::vector<int>{1, 3}));
}

TEST_F(FormViewTest, PasteOpensTheMatchingDialogAndCancelAddsNothing) {
    ASSERT_TRUE(Open({PoseGene(1, 2)}));
    CMirtalaView& view = ShowView();
    ASSERT_TRUE(CopyToClipboard(PoseGene(9, 5, "XXXXXXXXXXXXXXX")));
    QString caption;
    QTimer::singleShot(0, [&caption] {  // the dialog, once open and modal
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr) << "no modal dialog opened";
        caption = modal->windowTitle();
        QMetaObject::invokeMethod(modal, "reject");
    });
    view.OnEditPaste();
    EXPECT_EQ(caption, "New Pose");
    EXPECT_EQ(genome().Count(), 1u);
}

TEST_F(FormViewTest, AddGaitWithEveryNumberTakenIsRefusedBeforeTheDialog) {
    std::vector<Gene> gaits;
    for (int n = 0; n < 256; ++n) gaits.push_back(GaitGene(static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n)));
    ASSERT_TRUE(Open(gaits));
    CMirtalaView& view = ShowView();
    Named(&view, "Add Gait")->click();  // a dialog would block here
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith("All 256 gait numbers are in use"));
    EXPECT_EQ(genome().Count(), 256u);
}

}  // namespace
}  // namespace mirtala::test
