// Every window as assistive tools meet it: each control named by what it is,
// combo boxes named by their label with their text as the value, every combo
// box and edit linked to a label, slot and step buttons as radio buttons, and
// menu items where they are drawn.
#include "app/AppTestSupport.h"

#include "editor/app/AboutBox.h"
#include "editor/app/CommandIds.h"
#include "editor/app/HostFoldersDlg.h"
#include "editor/app/MainFrame.h"
#include "editor/document/MirtalaDoc.h"
#include "editor/genome/PoseGenes.h"
#include "editor/ui/AccessibleInterfaces.h"
#include "editor/ui/DialogResources.h"
#include "editor/ui/MirtalaView.h"
#include "editor/ui/NewGaitDlg.h"
#include "editor/ui/NewPoseDlg.h"
#include "editor/ui/PushRadio.h"
#include "editor/ui/WalkExportDlg.h"

#include <QAccessible>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QWidget>

namespace mirtala::test {
namespace {

bool HasLabel(QAccessibleInterface* iface) { return !iface->relations(QAccessible::Label).isEmpty(); }

// What is wrong with the visible controls under `iface`, one line each.
void Walk(QAccessibleInterface* iface, const QString& window, QStringList& problems) {
    if (!iface || iface->state().invisible) return;
    const QAccessible::Role role = iface->role();
    const QString name = iface->text(QAccessible::Name);
    const QString where = window + ": " + (name.isEmpty() ? QStringLiteral("(unnamed)") : name);
    static const QAccessible::Role kControls[] = {
        QAccessible::PushButton, QAccessible::CheckBox,     QAccessible::RadioButton,
        QAccessible::ComboBox,   QAccessible::EditableText, QAccessible::SpinBox,
        QAccessible::List,       QAccessible::Tree,         QAccessible::Table};
    if (std::find(std::begin(kControls), std::end(kControls), role) != std::end(kControls) && name.isEmpty())
        problems << where + QStringLiteral(" has no name (role %1)").arg(int(role));
    if (role == QAccessible::ComboBox) {
        const QString value = iface->text(QAccessible::Value);
        if (!value.isEmpty() && value == name) problems << where + " is named by its value";
        if (!HasLabel(iface)) problems << where + " has no label";
    }
    if (role == QAccessible::EditableText && !HasLabel(iface)) problems << where + " has no label";
    if (qobject_cast<ui::CPushRadio*>(iface->object()) &&
        (role != QAccessible::RadioButton || !iface->state().checkable))
        problems << where + QStringLiteral(" is role %1, not a radio button").arg(int(role));
    if (role == QAccessible::ComboBox) return;  // its popup list is no control of the window
    for (int i = 0; i < iface->childCount(); ++i) Walk(iface->child(i), window, problems);
}

QStringList Problems(QWidget* window) {
    QStringList problems;
    Walk(QAccessible::queryAccessibleInterface(window), window->windowTitle(), problems);
    return problems;
}

class AccessibilityTest : public EditorAppTest {
protected:
    void SetUp() override {
        EditorAppTest::SetUp();
        ui::InstallAccessibleInterfaces();
    }
};

TEST_F(AccessibilityTest, EveryWindowNamesItsControlsAndGivesTheRightRoles) {
    CMirtalaApp& a = Start({GenomeFile("walk.gen", {PoseGene(1, 1), GaitGene(1, 1)})});
    app::CMainFrame& frame = *a.MainFrame();
    frame.show();
    CMirtalaDoc& doc = *frame.ActiveDocument();
    QStringList problems = Problems(&frame);

    // The Sex combo: its label's name, its text as the value; a variant named apart from its genus.
    auto* sex = QAccessible::queryAccessibleInterface(frame.ActiveView()->Controls().ItemAs<QComboBox>(ui::id::Sex));
    ASSERT_NE(sex, nullptr);
    EXPECT_EQ(sex->text(QAccessible::Name), "Sex");
    EXPECT_EQ(sex->text(QAccessible::Value), "Male");

    const GeneRef pose = doc.GetGenome().At(0), gait = doc.GetGenome().At(1);
    auto* poseDialog = dynamic_cast<QWidget*>(doc.OpenPoseDialog(pose));
    auto* gaitDialog = dynamic_cast<QWidget*>(doc.OpenGaitDialog(gait));
    ASSERT_TRUE(poseDialog && gaitDialog);
    problems << Problems(poseDialog) << Problems(gaitDialog);
    // One slot button of a row checked, as a radio button says.
    int checked = 0;
    for (ui::CPushRadio* button : poseDialog->findChildren<ui::CPushRadio*>())
        if (button->accessibleName().startsWith("Head ") &&
            QAccessible::queryAccessibleInterface(button)->state().checked)
            ++checked;
    EXPECT_EQ(checked, 1);

    for (auto* modal : std::initializer_list<ui::CTemplateDialog*>{new ui::CNewPoseDlg(doc, &frame),
                                                                   new ui::CNewGaitDlg(doc, &frame)}) {
        QTimer::singleShot(0, modal, [modal, &problems] {
            problems << Problems(modal);
            static_cast<QDialog*>(modal)->reject();
        });
        modal->DoModal();
        delete modal;
    }
    ui::CWalkExportDlg exportDialog({}, 8, dir.Path().c_str(), "Walk", &frame);
    app::CHostFoldersDlg folders(Appearance{}, &frame);
    app::CAboutDlg about(&frame);
    for (QDialog* dialog : std::initializer_list<QDialog*>{&exportDialog, &folders, &about}) {
        dialog->show();
        problems << Problems(dialog);
        dialog->hide();
    }
    EXPECT_EQ(problems.join("\n").toStdString(), "");
}

// The menus are rebuilt when the last document closes; each item of the new
// File menu reports the place it is drawn at and that it shows.
TEST_F(AccessibilityTest, MenuItemsReportWhereTheyAreDrawn) {
    CMirtalaApp& a = Start();
    app::CMainFrame& frame = *a.MainFrame();
    frame.show();
    auto file = [&] { return frame.menuBar()->actions().front()->menu(); };
    file()->popup(QPoint(0, 0));
    QAccessible::queryAccessibleInterface(file())->child(0);  // asked about while menu 129 shows
    file()->hide();
    messages.answers = {MessageAnswer::No};
    frame.OnCommand(app::cmd::FileClose);
    ASSERT_FALSE(frame.ShowsDocumentMenu());
    QMenu* menu = file();
    menu->popup(QPoint(40, 30));
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(menu);
    ASSERT_EQ(iface->childCount(), menu->actions().size());
    for (int i = 0; i < iface->childCount(); ++i) {
        QAction* action = menu->actions()[i];
        if (action->isSeparator()) continue;
        QAccessibleInterface* item = iface->child(i);
        EXPECT_EQ(item->rect(), menu->actionGeometry(action).translated(menu->mapToGlobal(QPoint(0, 0))))
            << action->text().toStdString();
        EXPECT_FALSE(item->state().invisible) << action->text().toStdString();
    }
    menu->hide();
}

}  // namespace
}  // namespace mirtala::test
