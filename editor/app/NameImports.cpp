// The two name imports of the File menu's Names submenu.
#include "editor/app/NameImports.h"

#include "editor/app/MirtalaApp.h"
#include "editor/document/FileDialogService.h"
#include "editor/document/MessageService.h"
#include "editor/document/NameTable.h"
#include "platform/fileio/AtomicFile.h"

#include <QDir>
#include <QFile>

#include <optional>
#include <string_view>
#include <vector>

namespace mirtala::app {

namespace {

// The chosen file's bytes; nothing when cancelled or, after saying so, unreadable.
std::optional<std::vector<std::uint8_t>> ChooseAndRead(const FileDialogRequest& request, const QString& names) {
    const std::optional<QString> chosen = ChooseFile(request);
    if (!chosen) return std::nullopt;
    // Read first, so that a file that cannot be read leaves the names as they are.
    std::vector<std::uint8_t> bytes;
    if (!fileio::ReadWholeFile(QFile::encodeName(*chosen).toStdString(), bytes)) {
        ShowMessage(
            kAppTitle,
            QStringLiteral("Cannot open %1.\n\nThe %2 were not changed.").arg(QDir::toNativeSeparators(*chosen), names),
            MessageIcon::Warning);
        return std::nullopt;
    }
    return bytes;
}

std::string_view Text(const std::vector<std::uint8_t>& bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace

void ImportPoseNames(QWidget* owner) {
    FileDialogRequest request;
    request.defaultExtension = QStringLiteral("posename.txt");
    request.filter = QStringLiteral("Pose Names (posename.txt)|posename.txt");
    request.hideReadOnly = true;
    request.owner = owner;
    if (const auto bytes = ChooseAndRead(request, QStringLiteral("pose names")))
        NameTable::Instance().ParsePoseNames(Text(*bytes));
}

void ImportGaitNames(const Genome& genome, QWidget* owner) {
    FileDialogRequest request;
    request.defaultExtension = QStringLiteral(".gno");
    request.filter = QStringLiteral("Genome files (*.gno)|*.gno");
    request.hideReadOnly = true;
    request.overwritePrompt = true;
    request.owner = owner;
    if (const auto bytes = ChooseAndRead(request, QStringLiteral("gait names")))
        NameTable::Instance().ParseGaitNames(Text(*bytes), genome);
}

}  // namespace mirtala::app
