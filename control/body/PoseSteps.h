// Turning a sequence of poses into animation frames, one slot step per frame.
#pragma once

#include <array>
#include <span>

#include "control/body/AnimationState.h"
#include "control/body/PoseSlotValues.h"

namespace zubrelle {

// 6 rows of 4 entries: intermediate direction digit, then head value digit.
extern const std::array<std::array<char, 2>, 24> TurnSteps;

// The values a single still pose is drawn with: low three bits of every slot, then
// direction 6 -> 2, 7 -> 3 and head 6 -> 3.
PoseSlotValues MaskStillPose(const PoseSlotValues& pose);

// The frame after current on the way to target.
PoseSlotValues StepPose(const PoseSlotValues& current, const PoseSlotValues& target);

// Expands poses[0 .. count-1] into state.frames and state.frameCount. The list needs room
// for count + 1 poses: a copy of the first is written after the last and the poses are
// resolved in place. count is limited to poses.size() - 1; the expansion stops at
// kMaxFrames frames. Returns frameCount.
int BuildFrames(std::span<PoseSlotValues> poses, int count, AnimationState& state);

}  // namespace zubrelle
