// Procedural drawing of the demo creature. Every part is drawn in its own coordinates
// with its hanging joint at the origin, facing right; images 4 to 7 are mirrored, 8 is
// the front view and 9 the back view. Creature sizes: an adult stands about 80 pixels.
#include "tools/democreature/CreatureArt.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace democreature {
namespace {

constexpr double kPi = 3.14159265358979323846;

enum Part {
    kHead = 1,
    kBody,
    kLThigh,
    kLShin,
    kLFoot,
    kRThigh,
    kRShin,
    kRFoot,
    kLHumerus,
    kLRadius,
    kRHumerus,
    kRRadius,
    kTailRoot,
    kTailTip
};

struct Palette {
    Colour main, belly, accent, inner, eye{250, 250, 244}, pupil{24, 20, 34}, nose{70, 42, 44}, blush{246, 128, 150};
};

Palette PaletteFor(const Look& look) {
    Palette p;
    switch (look.genus) {
        case 1:  // Brask: green and scaled, with a yellow belly
            p.main = {86, 152, 72};
            p.belly = {220, 210, 118};
            p.accent = {38, 84, 40};
            p.inner = {120, 170, 100};
            if (look.sex == 1) p.main = Mixed(p.main, {70, 170, 160}, 0.45);
            break;
        case 2:  // Umbrid: violet, long-eared, with white spots
            p.main = {116, 94, 190};
            p.belly = {216, 206, 242};
            p.accent = {250, 250, 255};
            p.inner = {246, 168, 204};
            if (look.sex == 1) p.main = Mixed(p.main, {196, 96, 186}, 0.45);
            break;
        default:  // Tovel: warm tan fur with a cream belly
            p.main = {206, 126, 56};
            p.belly = {246, 216, 162};
            p.accent = {118, 64, 30};
            p.inner = {240, 158, 146};
            if (look.sex == 1) p.main = Mixed(p.main, {232, 120, 132}, 0.4);
            break;
    }
    if (look.variant % 2 == 1) {
        p.main = Scaled(p.main, 0.9);
    }
    return p;
}

double SizeFor(int age) {
    static const std::array<double, 7> sizes = {0.62, 0.72, 0.82, 0.92, 1.0, 1.0, 0.96};
    return sizes[std::size_t(std::clamp(age, 0, 6))];
}

// The young have larger heads for their size.
double HeadBoostFor(int age) {
    static const std::array<double, 7> boosts = {1.3, 1.2, 1.12, 1.05, 1.0, 1.0, 1.0};
    return boosts[std::size_t(std::clamp(age, 0, 6))];
}

Vec Along(double length, double degreesFromDown) {
    const double r = degreesFromDown * kPi / 180.0;
    return {length * std::sin(r), length * std::cos(r)};
}

bool IsLeft(int part) {
    return part == kLThigh || part == kLShin || part == kLFoot || part == kLHumerus || part == kLRadius;
}

// Where an image stands: side facing right (0 to 3), facing left (4 to 7), front, back.
enum class View { Right, Left, Front, Back };
View ViewOf(int image) {
    if (image <= 3) return View::Right;
    if (image <= 7) return View::Left;
    return image == 8 ? View::Front : View::Back;
}

// The far side of the creature in a side view is in shadow.
double DepthShade(int part, View view) {
    if (view == View::Right && IsLeft(part)) return 0.78;
    if (view == View::Left && !IsLeft(part) && part >= kLThigh && part <= kRRadius) return 0.78;
    return 1.0;
}

// Splay of a limb in the front and back views: outward from the body's middle line.
double Splay(int part, View view, double degrees) {
    const double outward = IsLeft(part) ? degrees : -degrees;  // creature's left is +x from the front
    return view == View::Front ? outward : -outward;
}

void Spots(Canvas& c, const Look& look, const Palette& p, std::initializer_list<Vec> at, double r) {
    if (look.variant % 2 == 0) return;
    for (const Vec& v : at) {
        if (look.genus == 1) {
            c.Capsule({v.x - r, v.y}, {v.x + r, v.y}, r * 0.45, r * 0.45, p.accent, true);
        } else {
            c.Ellipse(v, r, r * 0.85, 0, p.accent, true);
        }
    }
}

RasterImage DrawBody(int image, const Look& look, const Palette& p) {
    Canvas c;
    const View view = ViewOf(image);
    const double slim = look.genus == 1 ? 0.9 : look.genus == 2 ? 0.95 : 1.0;
    if (view == View::Right || view == View::Left) {
        const double lean = SidePositionAngle(kBody, image % 4);
        if (look.genus == 1) {
            for (double y : {-25.0, -18.0, -11.0}) {
                c.Polygon({{-9.0 * slim, y - 3}, {-15.0 * slim, y + 1}, {-9.5 * slim, y + 4}}, Scaled(p.main, 0.75));
            }
        }
        c.Ellipse({0, -15}, 11.5 * slim, 16, 0, p.main);
        c.Ellipse({4.5, -13}, 6, 11.5, 0, p.belly, true);
        Spots(c, look, p, {{-5, -21}, {-6.5, -12}, {-2, -6}, {-1, -26}}, 2.3);
        c.Mark({3, -29});   // neck
        c.Mark({-1, -3});   // left hip
        c.Mark({1, -3});    // right hip
        c.Mark({1, -24});   // left shoulder
        c.Mark({3, -24});   // right shoulder
        c.Mark({-10, -6});  // tail
        c.Transform(SizeFor(look.age), -lean, {0, 0});
        if (view == View::Left) c.MirrorX();
        return c.Render();
    }
    const double side = view == View::Front ? 1.0 : -1.0;  // creature's left is +x from the front
    c.Ellipse({0, -15}, 13 * slim, 16.5, 0, p.main);
    if (view == View::Front) {
        c.Ellipse({0, -12}, 8, 11, 0, p.belly, true);
    } else {
        if (look.genus == 1) {
            for (double y : {-26.0, -19.0, -12.0}) {
                c.Polygon({{-2.5, y}, {0, y - 4}, {2.5, y}}, Scaled(p.main, 0.7), true);
            }
        }
        Spots(c, look, p, {{-5, -20}, {6, -14}, {-4, -8}, {4, -25}}, 2.3);
    }
    c.Mark({0, -29});
    c.Mark({6 * side, -3});
    c.Mark({-6 * side, -3});
    c.Mark({11.5 * slim * side, -24});
    c.Mark({-11.5 * slim * side, -24});
    c.Mark({0, view == View::Front ? -8.0 : -6.0});
    c.Transform(SizeFor(look.age), 0, {0, 0});
    return c.Render();
}

void HeadFeatures(Canvas& c, const Look& look, const Palette& p, bool front, bool back) {
    auto ears = [&](double x, double mirror) {
        if (look.genus == 0) {
            c.Ellipse({x, -19}, 4.2, 4.6, 0, p.main);
            if (!back) c.Ellipse({x, -19.3}, 2.3, 2.7, 0, p.inner, true);
        } else if (look.genus == 2) {
            c.Ellipse({x, -26}, 3.2, 9.5, 14 * mirror, p.main);
            if (!back) c.Ellipse({x - 0.4 * mirror, -26}, 1.6, 7, 14 * mirror, p.inner, true);
        }
    };
    if (!front && !back) {
        // Side view, facing right.
        if (look.genus == 1) {
            for (int i = 0; i < 3; ++i) {
                const double x = -3.0 - 4.0 * i;
                const double y = -20.0 + 4.0 * i;
                c.Polygon({{x + 3, y + 1}, {x - 3, y - 4}, {x - 2, y + 4}}, Scaled(p.main, 0.72));
            }
        }
        ears(look.genus == 2 ? -2.0 : -1.5, 1.0);
        c.Ellipse({3, -11}, 11.5, 10.5, 0, p.main);
        if (look.genus == 1) {
            c.Ellipse({12.5, -7.5}, 8, 4.6, 0, Scaled(p.main, 1.05));
            c.Ellipse({19.5, -8.5}, 1.3, 1.3, 0, p.nose, true);
        } else {
            const double size = look.genus == 2 ? 0.8 : 1.0;
            c.Ellipse({11, -7}, 5.5 * size, 4.2 * size, 0, p.belly);
            c.Ellipse({11 + 5 * size, -8}, 1.7, 1.5, 0, p.nose, true);
        }
        const double eye = look.genus == 2 ? 1.25 : 1.0;
        c.Ellipse({6.5, -14}, 2.6 * eye, 3.0 * eye, 0, p.eye, true);
        c.Ellipse({7.6, -13.8}, 1.5 * eye, 1.7 * eye, 0, p.pupil, true);
        if (look.sex == 1) {
            c.Ellipse({7, -8}, 2.3, 1.5, 0, p.blush, true);
            c.Capsule({8.5, -17}, {10.5, -18.5}, 0.6, 0.5, p.pupil, true);
        }
        if (look.variant % 2 == 1) {
            c.Ellipse({-3, -15}, 2.5, 2.2, 0, p.accent, true);
            c.Ellipse({1, -19}, 1.8, 1.6, 0, p.accent, true);
        }
        return;
    }
    // Front and back views.
    if (look.genus == 1) {
        for (double x : {-5.0, 0.0, 5.0}) {
            c.Polygon({{x - 2.5, -19}, {x, -25 + std::fabs(x) * 0.4}, {x + 2.5, -19}}, Scaled(p.main, 0.72));
        }
    }
    ears(look.genus == 2 ? -6.5 : -9.5, -1.0);
    ears(look.genus == 2 ? 6.5 : 9.5, 1.0);
    c.Ellipse({0, -11}, 12, 10.5, 0, p.main);
    if (back) {
        if (look.variant % 2 == 1) {
            c.Ellipse({-4, -14}, 2.4, 2.1, 0, p.accent, true);
            c.Ellipse({4, -9}, 2.0, 1.8, 0, p.accent, true);
        }
        return;
    }
    c.Ellipse({0, -6}, look.genus == 1 ? 7.0 : 5.5, 4.0, 0, look.genus == 1 ? Scaled(p.main, 1.08) : p.belly);
    c.Ellipse({0, -8}, 1.8, 1.4, 0, p.nose, true);
    const double eye = look.genus == 2 ? 1.25 : 1.0;
    for (double x : {-5.0, 5.0}) {
        c.Ellipse({x, -13}, 2.4 * eye, 2.9 * eye, 0, p.eye, true);
        c.Ellipse({x, -12.7}, 1.4 * eye, 1.6 * eye, 0, p.pupil, true);
        if (look.sex == 1) c.Ellipse({x * 1.6, -8}, 2.2, 1.4, 0, p.blush, true);
    }
    if (look.variant % 2 == 1) c.Ellipse({0, -17.5}, 2.4, 1.8, 0, p.accent, true);
}

RasterImage DrawHead(int image, const Look& look, const Palette& p) {
    Canvas c;
    const View view = ViewOf(image);
    HeadFeatures(c, look, p, view == View::Front, view == View::Back);
    c.Mark({0, 0});
    c.Mark({view == View::Front || view == View::Back ? 0.0 : 3.0, -21});
    const double tilt = (view == View::Right || view == View::Left) ? SidePositionAngle(kHead, image % 4) : 0.0;
    c.Transform(SizeFor(look.age) * HeadBoostFor(look.age), tilt, {0, 0});
    if (view == View::Left) c.MirrorX();
    return c.Render();
}

struct LimbShape {
    double length, r0, r1, splay;
};

LimbShape LimbFor(int part) {
    switch (part) {
        case kLThigh:
        case kRThigh: return {15, 5.5, 4.3, 8};
        case kLShin:
        case kRShin: return {14.5, 4.3, 3.3, -3};
        case kLHumerus:
        case kRHumerus: return {11, 4.0, 3.3, 14};
        default: return {10, 3.3, 2.8, 6};  // radius
    }
}

RasterImage DrawLimb(int part, int image, const Look& look, const Palette& p) {
    Canvas c;
    const View view = ViewOf(image);
    const LimbShape shape = LimbFor(part);
    const double angle = (view == View::Right || view == View::Left) ? SidePositionAngle(part, image % 4)
                                                                     : Splay(part, view, shape.splay);
    const Vec end = Along(shape.length, angle);
    const Colour colour = Scaled(p.main, DepthShade(part, view));
    c.Capsule({0, 0}, end, shape.r0, shape.r1, colour);
    if (part == kLRadius || part == kRRadius) {
        const Vec hand = Along(shape.length + 1.5, angle);
        c.Ellipse(hand, 3.4, 3.0, 0, Scaled(p.belly, DepthShade(part, view)));
        if (look.genus == 1) {
            c.Polygon({{hand.x + 1, hand.y + 2}, {hand.x + 2.5, hand.y + 5}, {hand.x - 0.5, hand.y + 3}},
                      Scaled(p.belly, 0.8));
        }
    }
    if (look.variant % 2 == 1) {
        const Vec mid = Along(shape.length * 0.5, angle);
        c.Ellipse(mid, 1.7, 1.5, 0, Scaled(p.accent, DepthShade(part, view)), true);
    }
    c.Mark({0, 0});
    c.Mark(end);
    c.Transform(SizeFor(look.age), 0, {0, 0});
    if (view == View::Left) c.MirrorX();
    return c.Render();
}

RasterImage DrawFoot(int part, int image, const Look& look, const Palette& p) {
    Canvas c;
    const View view = ViewOf(image);
    const Colour colour = Scaled(p.main, DepthShade(part, view));
    const Colour sole = Scaled(p.belly, DepthShade(part, view) * 0.92);
    Vec ground;
    if (view == View::Right || view == View::Left) {
        const double length = look.genus == 2 ? 7.5 : 6.5;
        c.Capsule({0, 0}, {0, 2.5}, 3.2, 3.2, colour);
        c.Ellipse({3.5, 3.6}, length, 3.2, 0, colour);
        c.Ellipse({3.5 + length * 0.55, 4.6}, 2.4, 1.6, 0, sole, true);
        if (look.genus == 1) {
            c.Polygon({{3.5 + length - 1, 2}, {3.5 + length + 3, 4.5}, {3.5 + length - 1, 5.5}}, Scaled(colour, 0.8));
        }
        const double tilt = SidePositionAngle(part, image % 4);
        c.Transform(1.0, tilt, {0, 0});
        // The ground point is the lowest point of the sole at this tilt.
        const double r = tilt * kPi / 180.0;
        double bestY = -1e9;
        for (int i = 0; i < 360; ++i) {
            const double t = i * kPi / 180.0;
            const Vec local{3.5 + length * std::cos(t), 3.6 + 3.2 * std::sin(t)};
            const Vec turned{local.x * std::cos(r) + local.y * std::sin(r),
                             -local.x * std::sin(r) + local.y * std::cos(r)};
            if (turned.y > bestY + 1e-9) {
                bestY = turned.y;
                ground = turned;
            }
        }
        ground.y -= 0.5;  // inside the last row of the sole
    } else {
        c.Capsule({0, 0}, {0, 2.5}, 3.2, 3.2, colour);
        c.Ellipse({0, 4}, 4.4, 3.2, 0, colour);
        if (view == View::Front) c.Ellipse({0, 5}, 2.6, 1.6, 0, sole, true);
        ground = {0, 6.7};
    }
    c.Mark({0, 0});
    c.Mark(ground);
    c.Transform(SizeFor(look.age), 0, {0, 0});
    if (view == View::Left) c.MirrorX();
    return c.Render();
}

RasterImage DrawTail(int part, int image, const Look& look, const Palette& p) {
    Canvas c;
    const View view = ViewOf(image);
    const bool root = part == kTailRoot;
    const double length = look.genus == 2 ? 13 : 11;
    const double r0 = root ? (look.genus == 2 ? 3.4 : 4.2) : (look.genus == 2 ? 2.4 : 3.2);
    const double r1 = root ? r0 - 1.0 : (look.genus == 2 ? 1.6 : 2.2);
    Vec end;
    if (view == View::Right || view == View::Left) {
        const double up = SidePositionAngle(part, image % 4) * kPi / 180.0;
        end = {-length * std::cos(up), -length * std::sin(up)};
    } else if (view == View::Front) {
        end = root ? Vec{-9, -3} : Vec{-5, -9};
    } else {
        end = root ? Vec{5, 8} : Vec{4, -10};
    }
    c.Capsule({0, 0}, end, r0, r1, p.main);
    if (!root) {
        const double len = std::hypot(end.x, end.y);
        const Vec dir{end.x / len, end.y / len};
        if (look.genus == 0) {
            c.Ellipse({end.x + dir.x * 2, end.y + dir.y * 2}, 5.2, 3.6, -std::atan2(dir.y, dir.x) * 180 / kPi, p.belly);
        } else if (look.genus == 1) {
            const Vec n{-dir.y, dir.x};
            const Vec tip{end.x + dir.x * 6, end.y + dir.y * 6};
            c.Polygon({{end.x + n.x * 3.5, end.y + n.y * 3.5}, tip, {end.x - n.x * 3.5, end.y - n.y * 3.5}},
                      Scaled(p.main, 0.72));
        } else {
            c.Ellipse({end.x + dir.x * 2.5, end.y + dir.y * 2.5}, 4.2, 2.6, -std::atan2(dir.y, dir.x) * 180 / kPi,
                      p.accent);
        }
    } else if (look.variant % 2 == 1) {
        c.Ellipse({end.x * 0.5, end.y * 0.5}, 1.8, 1.6, 0, p.accent, true);
    }
    c.Mark({0, 0});
    c.Mark(end);
    c.Transform(SizeFor(look.age), 0, {0, 0});
    if (view == View::Left) c.MirrorX();
    return c.Render();
}

}  // namespace

double SidePositionAngle(int part, int position) {
    static const std::array<std::array<double, 4>, 15> angles = {{
        {0, 0, 0, 0},
        {-15, 0, 12, 25},   // head: looking down to looking up
        {-8, 0, 10, 22},    // body: leaning back to leaning forward
        {-30, -5, 20, 45},  // thighs: back to forward
        {-40, -10, 5, 25},  // shins
        {-25, 0, 15, 30},   // feet: toes down to toes up
        {-30, -5, 20, 45},
        {-40, -10, 5, 25},
        {-25, 0, 15, 30},
        {-35, -10, 15, 40},  // humeri
        {-20, 10, 40, 75},   // radii
        {-35, -10, 15, 40},
        {-20, 10, 40, 75},
        {-35, -10, 15, 40},  // tail root: down to up
        {-10, 20, 45, 75},   // tail tip
    }};
    if (part < 1 || part > 14) return 0;
    return angles[std::size_t(part)][std::size_t(std::clamp(position, 0, 3))];
}

RasterImage DrawPartImage(int part, int image, const Look& look) {
    const Palette p = PaletteFor(look);
    switch (part) {
        case kHead: return DrawHead(image, look, p);
        case kBody: return DrawBody(image, look, p);
        case kLFoot:
        case kRFoot: return DrawFoot(part, image, look, p);
        case kTailRoot:
        case kTailTip: return DrawTail(part, image, look, p);
        default: return DrawLimb(part, image, look, p);
    }
}

}  // namespace democreature
