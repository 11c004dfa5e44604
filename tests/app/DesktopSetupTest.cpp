// What the editor sets for the whole application: Qt's own texts in the
// user's language, and dialog buttons without icons.
#include "document/DocTestSupport.h"
#include "editor/app/DesktopSetup.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>

namespace mirtala::test {
namespace {

class DesktopSetupTest : public DocTest {};

TEST_F(DesktopSetupTest, QtsOwnTextsFollowTheLocaleAndTheProgramsStay) {
    const struct {
        QLocale::Language language;
        const char* cancel;
    } cases[] = {{QLocale::German, "Abbrechen"}, {QLocale::French, "Annuler"}, {QLocale::English, "Cancel"}};
    for (const auto& c : cases) {
        const bool installed = app::InstallQtTranslation(QLocale(c.language));
        if (c.language != QLocale::English) {
            EXPECT_TRUE(installed) << c.cancel;
        }
        // The text Qt gives a dialog's Cancel button.
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), c.cancel) << c.cancel;
        EXPECT_EQ(QCoreApplication::translate("mirtala", "Save changes to %1?"), "Save changes to %1?");
    }
}

TEST_F(DesktopSetupTest, DialogButtonsCarryNoIcons) {
    app::SetUpDesktop();
    QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Yes);
    for (QAbstractButton* button : box.buttons()) EXPECT_TRUE(button->icon().isNull()) << button->text().toStdString();
    QMessageBox message(QMessageBox::Question, "Mirtala", "Save?", QMessageBox::Yes | QMessageBox::No);
    EXPECT_TRUE(message.button(QMessageBox::Yes)->icon().isNull());
    app::InstallQtTranslation(QLocale(QLocale::English));
}

}  // namespace
}  // namespace mirtala::test
