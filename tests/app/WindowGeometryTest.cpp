// The main window's place: kept across starts, and always inside the screen,
// also when the screen is small in device-independent pixels (a pixel ratio of 2).
#include "app/AppTestSupport.h"

#include "editor/app/WindowGeometry.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>

namespace mirtala::test {
namespace {

TEST(WindowGeometry, ASavedPlaceIsClampedToTheScreen) {
    const struct {
        const char* what;
        QRect saved, available, expected;
    } cases[] = {
        {"first start: the first size, centred", {}, {0, 0, 1280, 1024}, {190, 192, 900, 640}},
        {"first start at a pixel ratio of 2 on 1280 x 1024: fits", {}, {0, 0, 640, 512}, {32, 26, 576, 460}},
        {"inside: kept", {100, 50, 700, 500}, {0, 0, 1280, 1024}, {100, 50, 700, 500}},
        {"past the right and bottom edges: moved in", {1000, 900, 700, 500}, {0, 0, 1280, 1024}, {580, 524, 700, 500}},
        {"on a screen that is gone (left of this one): moved in",
         {-3000, 10, 700, 500},
         {0, 24, 1280, 1000},
         {0, 24, 700, 500}},
        {"larger than the screen: shrunk to it", {0, 0, 2000, 1500}, {0, 24, 1280, 1000}, {0, 24, 1280, 1000}},
    };
    for (const auto& c : cases) EXPECT_EQ(app::ClampToScreen(c.saved, c.available), c.expected) << c.what;
}

class WindowGeometryTest : public EditorAppTest {};

TEST_F(WindowGeometryTest, SizePositionAndMaximisedStateRoundTrip) {
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect placed(available.left() + 20, available.top() + 30, available.width() / 2, available.height() / 2);
    {
        QMainWindow window;
        app::ShowWithSavedGeometry(window);
        EXPECT_TRUE(available.contains(window.geometry())) << "the first window fits";
        window.setGeometry(placed);
        app::SaveGeometry(window);
    }
    QMainWindow again;
    app::ShowWithSavedGeometry(again);
    EXPECT_EQ(again.geometry(), placed);
    EXPECT_FALSE(again.isMaximized());
    again.showMaximized();
    app::SaveGeometry(again);
    EXPECT_EQ(Settings().value("Window/Rect").toRect(), placed) << "the place it goes back to";
    QMainWindow maximised;
    app::ShowWithSavedGeometry(maximised);
    EXPECT_TRUE(maximised.isMaximized());
}

}  // namespace
}  // namespace mirtala::test
