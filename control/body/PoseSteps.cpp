// Frame expansion: keep marks resolved, then every slot moves one step per frame, with
// changes of direction routed through the turn table.
#include "control/body/PoseSteps.h"

#include <algorithm>

namespace zubrelle {

const std::array<std::array<char, 2>, 24> TurnSteps = {{
    {'2', '5'}, {'2', '4'}, {'2', '1'}, {'2', '4'}, {'0', '5'}, {'1', '4'}, {'2', '1'}, {'1', '4'},
    {'3', '5'}, {'3', '4'}, {'3', '4'}, {'3', '1'}, {'0', '5'}, {'1', '4'}, {'1', '4'}, {'3', '1'},
    {'0', '5'}, {'1', '4'}, {'2', '1'}, {'3', '1'}, {'0', '5'}, {'1', '4'}, {'2', '1'}, {'3', '1'},
}};

PoseSlotValues MaskStillPose(const PoseSlotValues& pose) {
    PoseSlotValues out;
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = pose[i] & 7;
    }
    if (out[0] == 6) out[0] = 2;
    if (out[0] == 7) out[0] = 3;
    if (out[1] == 6) out[1] = 3;
    return out;
}

PoseSlotValues StepPose(const PoseSlotValues& current, const PoseSlotValues& target) {
    PoseSlotValues next = target;
    PoseSlotValues aim = target;
    if (target[0] != current[0]) {
        int row = current[0] == 2 ? 0 : current[0] == 3 ? 2 : 4;
        if (current[1] >= 4) {
            ++row;
        }
        // Directions outside 0 to 3 have no column of their own: they turn like 3.
        const int column = (target[0] >= 0 && target[0] <= 2) ? target[0] : 3;
        const std::array<char, 2>& step = TurnSteps[std::size_t(row * 4 + column)];
        next[0] = aim[0] = step[0] - '0';
        aim[1] = step[1] - '0';
    }
    for (std::size_t k = 1; k < kPoseSlots; ++k) {
        if (aim[k] > current[k]) {
            next[k] = current[k] + 1;
        } else if (aim[k] < current[k]) {
            next[k] = current[k] - 1;
        }
    }
    if (aim[1] >= 4) {
        next[1] = aim[1];
    } else if (current[1] >= 4) {
        next[1] = 1;
    }
    return next;
}

int BuildFrames(std::span<PoseSlotValues> poses, int count, AnimationState& state) {
    state.frameCount = 0;
    if (poses.size() < 2) {
        return 0;
    }
    const int n = std::min<long long>(count, static_cast<long long>(poses.size()) - 1);
    if (n < 1) {
        return 0;
    }
    poses[std::size_t(n)] = poses[0];
    for (int i = 0; i <= n; ++i) {
        PoseSlotValues& pose = poses[std::size_t(i)];
        if (pose[0] == 6) pose[0] = 2;
        if (pose[0] == 7) pose[0] = 3;
        if (pose[1] == 6) pose[1] = 3;
        for (std::size_t k = 0; k < kPoseSlots; ++k) {
            if ((pose[k] & 8) != 0) {
                pose[k] = i == 0 ? (pose[k] & 7) : poses[std::size_t(i - 1)][k];
            }
        }
        // Directions 4 to 7 (and anything else) are expanded and drawn as direction 3.
        if (pose[0] < 0 || pose[0] > 3) {
            pose[0] = 3;
        }
    }
    auto append = [&state](const PoseSlotValues& frame) {
        if (state.frameCount >= kMaxFrames) {
            return false;
        }
        state.frames[std::size_t(state.frameCount++)] = frame;
        return true;
    };
    for (int i = 1; i <= n; ++i) {
        PoseSlotValues current = poses[std::size_t(i - 1)];
        if (!append(current)) {
            return state.frameCount;
        }
        const PoseSlotValues& target = poses[std::size_t(i)];
        for (;;) {
            const PoseSlotValues next = StepPose(current, target);
            if (next == target) {
                break;
            }
            if (!append(next)) {
                return state.frameCount;
            }
            current = next;
        }
    }
    return state.frameCount;
}

}  // namespace zubrelle
