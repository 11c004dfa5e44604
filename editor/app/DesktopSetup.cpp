// The application-wide style hint, accessible interfaces and Qt translation.
#include "editor/app/DesktopSetup.h"

#include "editor/ui/AccessibleInterfaces.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleOptionMenuItem>
#include <QTranslator>

namespace mirtala::app {

namespace {

// The desktop's style, with plain text buttons in every dialog and message box
// and the menu bar's keyboard place shown.
class CEditorStyle final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons) return 0;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
    // The menu that the menu bar's keyboard (Alt, F10) is on is drawn
    // highlighted as an open one is; the desktop's style marks it only open.
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (element == CE_MenuBarItem && item && (item->state & State_Selected) && widget && widget->hasFocus()) {
            QStyleOptionMenuItem shown = *item;
            shown.state |= State_Sunken;
            QProxyStyle::drawControl(element, &shown, painter, widget);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
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
