// The per-control record of an animation: its frames and where the walking creature is.
#pragma once

#include <array>
#include <cstdint>

#include "control/body/PoseSlotValues.h"
#include "platform/gdi/Geometry.h"

namespace zubrelle {

constexpr int kMaxFrames = 50;

struct AnimationState {
    std::array<PoseSlotValues, kMaxFrames> frames{};
    std::int32_t frameCount = 0;
    std::int32_t current = 0;
    gdi::Point floorA;
    gdi::Point floorB;
    gdi::Point position;
    std::int32_t plantedFoot = 0;  // 0 left foot on the floor, 1 right foot
    gdi::Point swingFoot;
    double scale = 1.0;
};

}  // namespace zubrelle
