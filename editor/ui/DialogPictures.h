// What the pose and gait dialogs do with their pictures alike: say in words
// what a picture shows.
#pragma once

#include <QString>

class CZubrelle;

namespace mirtala::ui {

// The accessible description: `shown` when the control draws, otherwise the
// text the picture shows in its place.
void DescribePicture(CZubrelle& picture, const QString& shown);

}  // namespace mirtala::ui
