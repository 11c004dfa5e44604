// A stand-in for another running editor on the same desktop:
//   gene_clip_helper copy HEX   puts the gene block on the clipboard, prints "ready" and
//                               keeps serving it until it is ended (at most 30 s)
//   gene_clip_helper paste      prints CanPaste() as 0 or 1, then the gene block as HEX or "none"
#include "editor/document/GeneBlock.h"
#include "editor/document/GeneClipboard.h"

#include <QGuiApplication>
#include <QTimer>

#include <cstdio>
#include <span>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QByteArray mode = argc > 1 ? argv[1] : "";
    mirtala::Gene gene;
    if (mode == "copy" && argc > 2) {
        const QByteArray b = QByteArray::fromHex(argv[2]);
        if (!mirtala::GeneFromBlock(std::span(reinterpret_cast<const std::uint8_t*>(b.data()), std::size_t(b.size())), gene) ||
            !mirtala::CopyToClipboard(gene))
            return 1;
        std::printf("ready\n");
        std::fflush(stdout);
        QTimer::singleShot(30000, &app, &QGuiApplication::quit);  // the clipboard's data lives in this process
        return app.exec();
    }
    if (mode != "paste") return 2;
    const int canPaste = mirtala::CanPaste() ? 1 : 0;
    if (!mirtala::PasteFromClipboard(gene)) return std::printf("%d none\n", canPaste) < 0;
    const std::vector<std::uint8_t> block = mirtala::BlockFromGene(gene);
    std::printf("%d %s\n", canPaste, QByteArray(reinterpret_cast<const char*>(block.data()), qsizetype(block.size())).toHex().constData());
    return 0;
}
