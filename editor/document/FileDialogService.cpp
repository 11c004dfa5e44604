// File dialogs: the installed service, the QFileDialog one and the scripted one.
#include "editor/document/FileDialogService.h"

#include "editor/document/DialogOwner.h"

#include <QApplication>
#include <QFileDialog>
#include <QPointer>
#include <QRegularExpression>

#include <utility>

namespace mirtala {

QStringList QtNameFilters(const QString& pipeFilter) {
    // Qt takes a filter's patterns from the parentheses at its end, so each
    // entry is written as its description followed by its own patterns.
    static const QRegularExpression trailing(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns =
            parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' ')).trimmed();
        if (patterns.isEmpty()) continue;
        QString description = parts[i];
        description.remove(trailing);
        filters << (description.isEmpty() ? patterns
                                          : description + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return filters;
}

std::optional<QString> ChooseFile(const FileDialogRequest& request) {
    if (FileDialogService* service = InstalledService<FileDialogService>::Get()) return service->Choose(request);
    QtFileDialogService dialog;
    return dialog.Choose(request);
}

std::optional<QString> QtFileDialogService::Choose(const FileDialogRequest& request) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return std::nullopt;
    // On the heap, as a message box is: its owner may go while it is up.
    QPointer<QFileDialog> dialog = new QFileDialog(DialogOwner(request.owner), request.caption);
    dialog->setAcceptMode(request.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog->setFileMode(request.open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog->setDefaultSuffix(request.defaultExtension);  // the dot before it is Qt's to drop
    const QStringList filters = QtNameFilters(request.filter);
    if (!filters.isEmpty()) dialog->setNameFilters(filters);
    if (!request.initialFile.isEmpty()) dialog->selectFile(request.initialFile);
    // Qt file dialogs have no read-only check box, so only the overwrite prompt maps.
    dialog->setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    const bool accepted = dialog->exec() == QDialog::Accepted && dialog && !dialog->selectedFiles().isEmpty();
    const QString chosen = accepted ? dialog->selectedFiles().constFirst() : QString();
    delete dialog.data();
    if (!accepted) return std::nullopt;
    return chosen;
}

std::optional<QString> ScriptedFileDialogService::Choose(const FileDialogRequest& request) {
    requests.push_back(request);
    if (answers.empty()) return std::nullopt;
    std::optional<QString> answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

}  // namespace mirtala
