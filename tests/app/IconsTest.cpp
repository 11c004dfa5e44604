// The program's drawn icons keep every size and pixel as drawn. A change to a drawing updates
// its number here; so may a Qt release that paints differently. The About icon draws a font's
// glyph, which differs between machines, so only its sizes are checked.
#include "editor/app/CommandIds.h"
#include "editor/app/Icons.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

namespace mirtala::app {
namespace {

// FNV-1a over each size and the ARGB bytes of its image.
std::uint64_t Checksum(const QIcon& icon, std::uint64_t hash, bool pixels = true) {
    for (const QSize& size : icon.availableSizes()) {
        const QImage image = icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
        QByteArray bytes = QByteArray::number(size.width()) + 'x' + QByteArray::number(image.width());
        for (int y = 0; pixels && y < image.height(); ++y)
            bytes.append(reinterpret_cast<const char*>(image.constScanLine(y)), image.width() * 4);
        for (char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    return hash;
}

// One number for all: when it changes, print each icon's to see which drawing did.
TEST(Icons, EverySizeAndPixelIsAsDrawn) {
    static int argc = 1;
    static char name[] = "icon_tests", *argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QApplication(argc, argv);
    std::uint64_t hash = 1469598103934665603ull;
    for (const QIcon& icon : {ProgramIcon(), DocumentIcon(), CommandIcon(cmd::FileNew), CommandIcon(cmd::FileOpen),
                              CommandIcon(cmd::FileSave), CommandIcon(cmd::EditCut), CommandIcon(cmd::EditCopy),
                              CommandIcon(cmd::EditPaste), CommandIcon(cmd::EditUndo), CommandIcon(cmd::EditRedo)})
        hash = Checksum(icon, hash);
    EXPECT_EQ(Checksum(CommandIcon(cmd::AppAbout), hash, false), 16253115176357477807u);
    EXPECT_TRUE(CommandIcon(cmd::FileClose).isNull());
}

}  // namespace
}  // namespace mirtala::app
