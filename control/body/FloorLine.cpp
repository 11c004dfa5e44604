// Floor-line geometry: across the whole width when the slope allows, else the whole height.
#include "control/body/FloorLine.h"

#include <algorithm>
#include <cmath>

#include "control/body/Truncate.h"

namespace zubrelle {

Floor FloorLine(int width, int height, int angle) {
    const double halfW = width * 0.5;
    const double halfH = height * 0.5;
    const double r = angle * 0.017453294444444444;
    const double t = std::tan(r);
    const double dy = t * halfW;
    Floor floor;
    if (std::fabs(dy) <= halfH) {
        floor.a = {0, TruncToInt(halfH + dy)};
        floor.b = {width, TruncToInt(halfH - dy)};
        const long long shift = static_cast<long long>(TruncToInt(double(height))) - 5 - std::max(floor.a.y, floor.b.y);
        floor.a.y = TruncToInt(double(floor.a.y + shift));
        floor.b.y = TruncToInt(double(floor.b.y + shift));
    } else {
        const double dx = halfH / t;
        if (r > 0) {
            floor.a = {TruncToInt(halfW - dx), height};
            floor.b = {TruncToInt(halfW + dx), 0};
        } else {
            floor.a = {TruncToInt(halfW + dx), 0};
            floor.b = {TruncToInt(halfW - dx), height};
        }
    }
    const long long mx = floor.a.x + (static_cast<long long>(floor.b.x) - floor.a.x) / 2;
    const long long my = floor.a.y + (static_cast<long long>(floor.b.y) - floor.a.y) / 2;
    floor.middle = {TruncToInt(double(mx)), TruncToInt(double(my))};
    return floor;
}

int FloorHeightAt(gdi::Point a, gdi::Point b, int x) {
    if (b.x == a.x) {
        return a.y;
    }
    const double slope = double(static_cast<long long>(b.y) - a.y) / double(static_cast<long long>(b.x) - a.x);
    return TruncToInt(a.y + slope * double(static_cast<long long>(x) - a.x));
}

}  // namespace zubrelle
