// The dialogs' picture helpers.
#include "editor/ui/DialogPictures.h"

#include "editor/ui/CZubrelle.h"

namespace mirtala::ui {

QWidget* MakeDialogPicture(const ControlTemplate& control, const QRect& rect, QWidget* parent) {
    auto* picture = new CZubrelle(parent);
    picture->Create(AccessibleNameFromText(control.accessibleName), 0, rect, parent, control.id);
    return picture;
}

void ShowAppearance(CZubrelle& picture, const Appearance& appearance) {
    const std::array<std::int16_t, 12> v = appearance.ControlOrder();
    picture.SetAppearance(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11]);
}

void DescribePicture(CZubrelle& picture, const QString& shown) {
    picture.setAccessibleDescription(picture.IsControlCreated() ? shown : picture.MissingControlText());
}

}  // namespace mirtala::ui
