// The dialogs' picture helpers.
#include "editor/ui/DialogPictures.h"

#include "editor/ui/CZubrelle.h"

namespace mirtala::ui {

void DescribePicture(CZubrelle& picture, const QString& shown) {
    picture.setAccessibleDescription(picture.IsControlCreated() ? shown : picture.MissingControlText());
}

}  // namespace mirtala::ui
