// The demo creature's look: each body part drawn procedurally in its ten images, with the
// joints placed from one skeleton so that every pose composes into a whole creature.
#pragma once

#include <vector>

#include "tools/democreature/Canvas.h"

namespace democreature {

struct Look {
    int genus = 0;    // 0 to 2
    int sex = 0;      // 0 male, 1 female
    int age = 4;      // 0 to 6
    int variant = 0;  // 0 plain, 1 spotted or striped
};

// The angle in degrees of each of the four side positions of a part (forward or up
// positive), shared by the art and by tests that check the skeleton.
double SidePositionAngle(int part, int position);

// Image 0 to 9 of a part (1 to 14): its pixels and its attachment points (two, or six
// for the body).
RasterImage DrawPartImage(int part, int image, const Look& look);

}  // namespace democreature
