// What the modeless pose and gait dialogs offer the document that owns them,
// and the factory through which the user interface creates them.
#pragma once

#include "editor/document/InstalledService.h"

#include "editor/document/Appearance.h"
#include "editor/genome/Gene.h"

#include <memory>
#include <string>

namespace mirtala {

class CMirtalaDoc;

// The document holds each open dialog through the only lasting shared handle;
// dropping it destroys the dialog and its window. A dialog tells the document
// it has closed (OK, Cancel, its window closed) with CMirtalaDoc::PoseDialogClosed
// or GaitDialogClosed; that drops the handle at once, possibly while the
// dialog's own handler is running, so a windowed dialog should let its
// deleter defer the window's destruction (QObject::deleteLater).
class CGeneDialog {
public:
    virtual ~CGeneDialog() = default;
    // The gene the dialog was opened on.
    virtual const GeneRef& GetGeneRef() const = 0;
    // The genome changed: reload from the gene (pose) or redraw the steps (gait).
    virtual void Refresh() = 0;
    // Passes the preview appearance to every picture of the dialog.
    virtual void SetAppearance(const Appearance& appearance) = 0;
    // Raises and activates the dialog's window.
    virtual void BringToTop() = 0;
};

using GeneDialogHandle = std::shared_ptr<CGeneDialog>;

// Installed by the user interface; creates the dialog and its modeless window.
class CGeneDialogFactory {
public:
    virtual ~CGeneDialogFactory() = default;
    // `poseString`: the fifteen characters of data bytes 1 to 15 ('0' for bytes the gene lacks).
    virtual GeneDialogHandle CreatePoseDialog(CMirtalaDoc& doc, const GeneRef& gene, const std::string& poseString) = 0;
    // `workingCopy`: header and data of the gene, for the dialog to edit.
    virtual GeneDialogHandle CreateGaitDialog(CMirtalaDoc& doc, const GeneRef& gene, const Gene& workingCopy) = 0;
};

// The process-wide factory; none until the user interface installs one.
inline CGeneDialogFactory* InstalledDialogFactory() { return InstalledService<CGeneDialogFactory>::Get(); }
using ScopedDialogFactory = InstalledService<CGeneDialogFactory>::Scope;

}  // namespace mirtala
