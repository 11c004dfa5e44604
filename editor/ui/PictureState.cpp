// Mirroring one picture's state on another.
#include "editor/ui/PictureState.h"

#include "editor/ui/CZubrelle.h"

namespace mirtala::ui {

bool MirrorPictureState(const PictureState& from, CZubrelle& to) {
    bool put = false;
    auto differs = [&](const auto& source, const auto& target) {
        const bool d = source && source != target;
        put = put || d;
        return d;
    };
    // The appearance first: it reloads the body, before the drawing values count.
    if (differs(from.appearance, to.State().appearance)) to.SetAppearance(*from.appearance);
    if (differs(from.scale, to.State().scale)) to.SetScale(*from.scale);
    if (differs(from.friction, to.State().friction)) to.SetFriction(*from.friction);
    if (differs(from.angle, to.State().angle)) to.SetAngle(*from.angle);
    for (const auto& [index, text] : from.poseStrings) {
        const auto mine = to.State().poseStrings.find(index);
        if (mine != to.State().poseStrings.end() && mine->second == text) continue;
        to.SetPoseString(index, text);
        put = true;
    }
    // Copied first, since SetPoseString changes the map walked.
    const std::map<std::int16_t, QString> own = to.State().poseStrings;
    for (const auto& [index, text] : own) {
        if (from.poseStrings.count(index) || text.isEmpty()) continue;
        to.SetPoseString(index, QString());
        put = true;
    }
    if (differs(from.poseCount, to.State().poseCount)) to.SetPoseCount(*from.poseCount);
    return put;
}

}  // namespace mirtala::ui
