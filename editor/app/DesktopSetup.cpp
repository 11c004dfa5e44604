// The application-wide style hint, accessible interfaces and Qt translation.
#include "editor/app/DesktopSetup.h"

#include "editor/ui/AccessibleInterfaces.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QProxyStyle>
#include <QStyle>
#include <QTranslator>

namespace mirtala::app {

namespace {

// The desktop's style, with plain text buttons in every dialog and message box.
class CEditorStyle final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons) return 0;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

}  // namespace

bool InstallQtTranslation(const QLocale& locale) {
    static QTranslator* installed = nullptr;
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
        installed = nullptr;
    }
    auto translator = std::make_unique<QTranslator>(qApp);
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    installed = translator.release();
    QCoreApplication::installTranslator(installed);
    return true;
}

void SetUpDesktop() {
    ui::InstallAccessibleInterfaces();
    QApplication::setStyle(new CEditorStyle(QApplication::style()->name()));
    InstallQtTranslation(QLocale());
}

}  // namespace mirtala::app
