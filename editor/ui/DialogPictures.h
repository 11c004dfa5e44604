// What the pose and gait dialogs do with their pictures alike: make them for
// their templates, and say in words what a
// picture shows.
#pragma once

#include "editor/document/Appearance.h"
#include "editor/ui/DialogTemplate.h"

#include <QString>

namespace mirtala::ui {

class CZubrelle;

// The template builder's picture factory: the control created by its class identifier.
QWidget* MakeDialogPicture(const ControlTemplate& control, const QRect& rect, QWidget* parent);

// The accessible description: `shown` when the control draws, otherwise the
// text the picture shows in its place.
void DescribePicture(CZubrelle& picture, const QString& shown);

}  // namespace mirtala::ui
