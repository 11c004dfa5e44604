// The gene clipboard on QClipboard and QMimeData.
#include "editor/document/GeneClipboard.h"

#include "editor/document/GeneBlock.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <span>

namespace mirtala {

namespace {

QClipboard* Resolve(const QClipboard* clipboard) {
    if (clipboard) return const_cast<QClipboard*>(clipboard);
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return nullptr;
    return QGuiApplication::clipboard();
}

}  // namespace

bool CopyToClipboard(const Gene& gene, QClipboard* clipboard) {
    QClipboard* cb = Resolve(clipboard);
    if (!cb) return false;
    const std::vector<std::uint8_t> block = BlockFromGene(gene);
    auto* mime = new QMimeData;
    mime->setData(kGeneClipboardFormat,
                  QByteArray(reinterpret_cast<const char*>(block.data()), static_cast<qsizetype>(block.size())));
    cb->setMimeData(mime);  // the clipboard owns it from here on
    return true;
}

bool PasteFromClipboard(Gene& gene, const QClipboard* clipboard) {
    QClipboard* cb = Resolve(clipboard);
    if (!cb) return false;
    const QMimeData* mime = cb->mimeData();
    if (!mime || !mime->hasFormat(kGeneClipboardFormat)) return false;
    const QByteArray bytes = mime->data(kGeneClipboardFormat);
    return GeneFromBlock(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())),
        gene);
}

bool CanPaste(const QClipboard* clipboard) {
    QClipboard* cb = Resolve(clipboard);
    if (!cb) return false;
    const QMimeData* mime = cb->mimeData();
    return mime && mime->hasFormat(kGeneClipboardFormat);
}

void EmptyClipboard(QClipboard* clipboard) {
    if (QClipboard* cb = Resolve(clipboard)) cb->clear();
}

}  // namespace mirtala
