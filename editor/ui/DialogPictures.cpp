// The dialogs' picture helpers.
#include "editor/ui/DialogPictures.h"

#include "editor/ui/CZubrelle.h"

namespace mirtala::ui {

QWidget* MakeDialogPicture(const ControlTemplate& control, const QRect& rect, QWidget* parent) {
    auto* picture = new CZubrelle(parent);
    picture->Create(AccessibleNameFromText(control.accessibleName), 0, rect, parent, control.id);
    QObject::connect(picture, &CZubrelle::DoubleClicked, picture,
                     [picture] { emit CZubrelle::Events().LargePreviewRequested(picture); });
    return picture;
}

void DescribePicture(CZubrelle& picture, const QString& shown) {
    picture.setAccessibleDescription(picture.IsControlCreated() ? shown : picture.MissingControlText());
}

}  // namespace mirtala::ui
