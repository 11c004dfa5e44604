// The fixed tables of composition: image choice, drawing orders and the skeleton.
#include "control/body/FigureLayout.h"

#include <algorithm>

namespace zubrelle {

namespace {

// value + 4 without overflow for values no pose string produces; anything that far out
// is undrawn either way.
int Plus4(int value) { return int(std::clamp<long long>(value + 4LL, -1, 1000000)); }

}  // namespace

int ChooseImage(int part, const PoseSlotValues& pose) {
    const int direction = pose[0];
    if (part == kHead) {
        const int head = pose[1];
        const bool sideHead = head >= 0 && head <= 3;
        switch (direction) {
            case 0: return sideHead ? 9 : Plus4(head);
            case 1: return sideHead ? 8 : Plus4(head);
            case 2: return sideHead ? head : Plus4(head);
            default: return Plus4(head);
        }
    }
    const int value = pose[std::size_t(part)];
    switch (direction) {
        case 0: return 9;
        case 1: return 8;
        case 2: return value;
        default: return Plus4(value);
    }
}

const std::array<int, kPartCount>& DrawingOrder(int direction) {
    static const std::array<int, kPartCount> fromBehind = {1, 9, 10, 11, 12, 4, 7, 3, 6, 5, 8, 2, 13, 14};
    static const std::array<int, kPartCount> fromFront = {4, 7, 3, 6, 5, 8, 14, 13, 2, 9, 10, 11, 12, 1};
    static const std::array<int, kPartCount> rightNear = {9, 10, 3, 4, 5, 2, 13, 14, 1, 8, 7, 6, 11, 12};
    static const std::array<int, kPartCount> leftNear = {11, 12, 6, 7, 8, 2, 13, 14, 1, 3, 4, 5, 9, 10};
    switch (direction) {
        case 0: return fromBehind;
        case 1: return fromFront;
        case 2: return rightNear;
        default: return leftNear;
    }
}

SkeletonJoint SkeletonParent(int part) {
    switch (part) {
        case kHead: return {kBody, 0};
        case kLeftThigh: return {kBody, 1};
        case kRightThigh: return {kBody, 2};
        case kLeftHumerus: return {kBody, 3};
        case kRightHumerus: return {kBody, 4};
        case kTailRoot: return {kBody, 5};
        case kLeftShin: return {kLeftThigh, 1};
        case kLeftFoot: return {kLeftShin, 1};
        case kRightShin: return {kRightThigh, 1};
        case kRightFoot: return {kRightShin, 1};
        case kLeftRadius: return {kLeftHumerus, 1};
        case kRightRadius: return {kRightHumerus, 1};
        case kTailTip: return {kTailRoot, 1};
        default: return {0, 0};
    }
}

}  // namespace zubrelle
