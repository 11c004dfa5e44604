// Remembering the main window's place.
#include "editor/app/WindowGeometry.h"

#include "editor/app/MirtalaApp.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QSettings>

#include <algorithm>

namespace mirtala::app {

namespace {

const QString kRectValue = QStringLiteral("Window/Rect");
const QString kMaximizedValue = QStringLiteral("Window/Maximized");
// The first window's size, in device-independent pixels; at a pixel ratio of 2
// a small screen gets less (ClampToScreen).
constexpr int kFirstWidth = 900, kFirstHeight = 640;

}  // namespace

QRect ClampToScreen(const QRect& saved, const QRect& available) {
    if (available.isEmpty()) return saved.isEmpty() ? QRect(0, 0, kFirstWidth, kFirstHeight) : saved;
    QRect r = saved;
    if (r.isEmpty()) {
        r.setSize(QSize(std::min(kFirstWidth, available.width() * 9 / 10),
                        std::min(kFirstHeight, available.height() * 9 / 10)));
        r.moveCenter(available.center());
    }
    r.setWidth(std::min(r.width(), available.width()));
    r.setHeight(std::min(r.height(), available.height()));
    r.moveLeft(std::clamp(r.left(), available.left(), available.right() + 1 - r.width()));
    r.moveTop(std::clamp(r.top(), available.top(), available.bottom() + 1 - r.height()));
    return r;
}

void ShowWithSavedGeometry(QMainWindow& window) {
    const QSettings settings(kCompanyKey, kAppTitle);
    const QRect saved = settings.value(kRectValue).toRect();
    // The screen the window would open on: the one holding its saved centre, else the primary one.
    QScreen* screen = saved.isEmpty() ? nullptr : QGuiApplication::screenAt(saved.center());
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    const QRect r = ClampToScreen(saved, available);
    window.setGeometry(r);  // the client area, as geometry() saved it
    if (settings.value(kMaximizedValue, false).toBool())
        window.showMaximized();
    else
        window.show();
}

void SaveGeometry(const QMainWindow& window) {
    QSettings settings(kCompanyKey, kAppTitle);
    // A maximised window keeps the place it goes back to.
    settings.setValue(kRectValue, window.isMaximized() ? window.normalGeometry() : window.geometry());
    settings.setValue(kMaximizedValue, window.isMaximized());
}

}  // namespace mirtala::app
