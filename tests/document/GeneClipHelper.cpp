// A stand-in for a second running editor: copies a gene block to the desktop's
// clipboard and keeps it there until its standard input closes, or reads the
// clipboard's gene and prints it. Blocks travel as hexadecimal text.
//   gene_clip_helper copy HEX     prints "ready" once the gene is on the clipboard
//   gene_clip_helper paste        prints "canpaste=0|1" and "gene=HEX" or "gene=none"
#include "editor/document/GeneBlock.h"
#include "editor/document/GeneClipboard.h"

#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <cstdio>
#include <span>
#include <unistd.h>

namespace {

int Copy(QGuiApplication& app, const QByteArray& hex) {
    const QByteArray bytes = QByteArray::fromHex(hex);
    mirtala::Gene gene;
    if (!mirtala::GeneFromBlock(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                          static_cast<std::size_t>(bytes.size())),
                                gene))
        return 2;
    if (!mirtala::CopyToClipboard(gene)) return 1;
    std::printf("ready\n");
    std::fflush(stdout);
    // The clipboard's data lives in this process: stay until told to go.
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&app, &input] {
        char buffer[64];
        if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0) {
            input.setEnabled(false);
            app.quit();
        }
    });
    QTimer::singleShot(30000, &app, &QGuiApplication::quit);
    return app.exec();
}

int Paste() {
    std::printf("canpaste=%d\n", mirtala::CanPaste() ? 1 : 0);
    mirtala::Gene gene;
    if (mirtala::PasteFromClipboard(gene)) {
        const std::vector<std::uint8_t> block = mirtala::BlockFromGene(gene);
        const QByteArray raw(reinterpret_cast<const char*>(block.data()), static_cast<qsizetype>(block.size()));
        std::printf("gene=%s\n", raw.toHex().constData());
    } else {
        std::printf("gene=none\n");
    }
    std::fflush(stdout);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (mode == "copy" && argc > 2) return Copy(app, argv[2]);
    if (mode == "paste") return Paste();
    std::fprintf(stderr, "usage: gene_clip_helper copy HEX | paste\n");
    return 2;
}
