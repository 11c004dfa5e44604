// The result of laying out one pose: chosen images, part offsets, drawing order, size.
#pragma once

#include <array>

#include "control/body/BodyParts.h"
#include "control/body/PoseSlotValues.h"
#include "platform/gdi/Geometry.h"

namespace zubrelle {

struct FigureLayout {
    // Indexed by part number; entry 0 is unused. An image outside 0 to 9 is not drawn.
    std::array<int, kPartCount + 1> image{};
    std::array<gdi::Point, kPartCount + 1> offset{};
    std::array<int, kPartCount> order{};
    int width = 0;         // scaled
    int height = 0;        // scaled
    gdi::Point leftFoot;   // scaled, relative to the figure box's top-left
    gdi::Point rightFoot;  // scaled, relative to the figure box's top-left
    gdi::Point origin;     // top-left of the figure box, unscaled figure coordinates
};

// The image part k shows for a pose: chosen by the direction (slot 0), the head value
// (slot 1) and, in the side views, the part's own slot value.
int ChooseImage(int part, const PoseSlotValues& pose);

// The part numbers in drawing order for a direction (0, 1, 2; anything else as 3).
const std::array<int, kPartCount>& DrawingOrder(int direction);

// The parent of a part and the parent's point at which it hangs; the body has parent 0.
struct SkeletonJoint {
    int parent;
    int parentPoint;
};
SkeletonJoint SkeletonParent(int part);

}  // namespace zubrelle
