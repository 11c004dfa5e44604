// The seam through which the editor asks the user for a file name. The program
// shows a QFileDialog; tests install a scripted service that records each
// request and answers with a path or a cancel.
#pragma once

#include "editor/document/InstalledService.h"

#include <QString>

#include <deque>
#include <optional>
#include <vector>

class QWidget;

namespace mirtala {

struct FileDialogRequest {
    bool open = true;          // an open dialog, or else a save dialog
    QString caption;           // empty: the platform's "Open" or "Save As"
    QString defaultExtension;  // added to a typed name without one, e.g. ".gno"
    QString initialFile;
    QString filter;             // pairs of description and pattern joined by '|'
    bool hideReadOnly = false;  // no read-only check box
    bool overwritePrompt = false;
    QWidget* owner = nullptr;
};

// "Genome files (*.gno)|*.gno" as Qt name filters ("Genome files (*.gno)");
// several patterns of one entry, separated by ';', become space separated.
QStringList QtNameFilters(const QString& pipeFilter);

class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<QString> Choose(const FileDialogRequest& request) = 0;
};

// Asks through the installed service (a QFileDialog when none is installed).
std::optional<QString> ChooseFile(const FileDialogRequest& request);

using ScopedFileDialogService = InstalledService<FileDialogService>::Scope;

// Modal QFileDialog; without a widget application it cancels.
class QtFileDialogService : public FileDialogService {
public:
    std::optional<QString> Choose(const FileDialogRequest& request) override;
};

// Keeps every request and answers from `answers`, then cancels.
class ScriptedFileDialogService : public FileDialogService {
public:
    std::optional<QString> Choose(const FileDialogRequest& request) override;

    std::vector<FileDialogRequest> requests;
    std::deque<std::optional<QString>> answers;
};

}  // namespace mirtala
