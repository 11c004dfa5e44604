// The four animation operations: prepare and draw, walking along the floor or in place.
#include "control/body/BodyModel.h"

#include "control/body/FloorLine.h"
#include "control/body/PoseSteps.h"
#include "control/body/Truncate.h"

namespace zubrelle {
namespace {

gdi::Point Add(gdi::Point a, gdi::Point b) { return {ClampToInt(0LL + a.x + b.x), ClampToInt(0LL + a.y + b.y)}; }
gdi::Point Sub(gdi::Point a, gdi::Point b) { return {ClampToInt(0LL + a.x - b.x), ClampToInt(0LL + a.y - b.y)}; }

// The frame a draw shows; an out-of-range index (no frames, or a state changed by hand)
// falls back to frame 0 instead of reading outside the store.
int CurrentFrame(const AnimationState& state) {
    if (state.current < 0 || state.current >= kMaxFrames || state.current >= state.frameCount) {
        return 0;
    }
    return state.current;
}

void Advance(AnimationState& state, int shown) { state.current = shown + 1 >= state.frameCount ? 0 : shown + 1; }

}  // namespace

int BodyModel::PrepareWalk(const gdi::Rect& clientRect, std::span<PoseSlotValues> poses, int count, double scale,
                           int angle, AnimationState& animation) const {
    if (!IsLoaded()) {
        return 0;
    }
    animation.scale = scale;
    const Floor floor = FloorLine(clientRect.right - clientRect.left, clientRect.bottom - clientRect.top, angle);
    animation.floorA = floor.a;
    animation.floorB = floor.b;
    animation.position = floor.middle;
    animation.current = 0;
    BuildFrames(poses, count, animation);
    const FigureLayout layout = LayoutFigure(animation.frames[0], scale);
    if (layout.leftFoot.y > layout.rightFoot.y) {
        animation.plantedFoot = 0;
        animation.swingFoot = Add(Sub(animation.position, layout.leftFoot), layout.rightFoot);
    } else {
        animation.plantedFoot = 1;
        animation.swingFoot = Add(Sub(animation.position, layout.rightFoot), layout.leftFoot);
    }
    return animation.frameCount;
}

int BodyModel::DrawWalkFrame(const gdi::Rect& rect, gdi::Bitmap& bitmap, AnimationState& animation) const {
    if (!IsLoaded()) {
        return 0;
    }
    const int k = CurrentFrame(animation);
    const FigureLayout layout = LayoutFigure(animation.frames[std::size_t(k)], animation.scale);
    const gdi::Point planted = animation.plantedFoot == 0 ? layout.leftFoot : layout.rightFoot;
    const gdi::Point swing = animation.plantedFoot == 0 ? layout.rightFoot : layout.leftFoot;
    const gdi::Point s = Add(Sub(animation.position, planted), swing);
    const int floorY = FloorHeightAt(animation.floorA, animation.floorB, s.x);
    gdi::Point base;
    if (s.y > floorY && s.y > animation.swingFoot.y) {
        // The swing foot came down through the floor: it takes the weight.
        animation.swingFoot = {animation.position.x, ClampToInt(0LL + animation.position.y + floorY - s.y)};
        animation.position = {s.x, floorY};
        animation.plantedFoot = 1 - animation.plantedFoot;
        base = swing;
    } else {
        animation.swingFoot = s;
        base = planted;
    }
    if (animation.position.x < animation.floorA.x) {
        animation.position = animation.floorB;
    }
    if (animation.position.x > animation.floorB.x) {
        animation.position = animation.floorA;
    }
    RenderFigure(layout, animation.scale, true, layout.origin, base, rect.right - rect.left, rect.bottom - rect.top,
                 animation.position, bitmap, animation);
    Advance(animation, k);
    return k;
}

int BodyModel::PrepareStand(std::span<PoseSlotValues> poses, int count, double scale, AnimationState& animation) const {
    animation.scale = scale;
    animation.current = 0;
    if (!IsLoaded()) {
        return 0;
    }
    return BuildFrames(poses, count, animation);
}

int BodyModel::DrawStandFrame(const gdi::Rect& rect, gdi::Bitmap& bitmap, int angle, AnimationState& animation) const {
    if (!IsLoaded()) {
        return 0;
    }
    const std::int32_t w = rect.right - rect.left;
    const std::int32_t h = rect.bottom - rect.top;
    const Floor floor = FloorLine(w, h, angle);
    animation.floorA = floor.a;
    animation.floorB = floor.b;
    const int k = CurrentFrame(animation);
    const FigureLayout layout = LayoutFigure(animation.frames[std::size_t(k)], animation.scale);
    const gdi::Point base = layout.leftFoot.y > layout.rightFoot.y ? layout.leftFoot : layout.rightFoot;
    RenderFigure(layout, animation.scale, true, layout.origin, base, w, h, floor.middle, bitmap, animation);
    Advance(animation, k);
    return k;
}

}  // namespace zubrelle
