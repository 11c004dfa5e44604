// PictureState: what a host has put on a picture (CZubrelle) so far, as put,
// so that a second picture can be made to show the same thing: the large
// preview mirrors a dialog's picture through it.
#pragma once

#include <QString>

#include <cstdint>
#include <map>
#include <optional>

#include "editor/document/Appearance.h"

namespace mirtala::ui {

class CZubrelle;

struct PictureState {
    std::optional<float> scale;
    std::optional<bool> friction;
    std::optional<double> angle;
    std::optional<std::int16_t> poseCount;
    std::optional<Appearance> appearance;
    std::map<std::int16_t, QString> poseStrings;

    friend bool operator==(const PictureState&, const PictureState&) = default;
};

// Puts on `to` each value of `from` that `to` does not hold already, and
// nothing else: every put restarts the control's animation, so an unchanged
// value is never put again. A pose string `to` has that `from` lacks is
// emptied. Returns whether anything was put.
bool MirrorPictureState(const PictureState& from, CZubrelle& to);

}  // namespace mirtala::ui
