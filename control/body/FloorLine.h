// The sloped floor line the animated creature stands on, for a rectangle and an angle.
#pragma once

#include "platform/gdi/Geometry.h"

namespace zubrelle {

struct Floor {
    gdi::Point a;
    gdi::Point b;
    gdi::Point middle;
};

// width x height rectangle, angle in whole degrees; positive angles rise to the right.
Floor FloorLine(int width, int height, int angle);

// The floor height under x on the line a-b; a line with no horizontal extent gives a.y.
int FloorHeightAt(gdi::Point a, gdi::Point b, int x);

}  // namespace zubrelle
