// Rasterising the demo creature's vector shapes.
#include "tools/democreature/Canvas.h"

#include <algorithm>
#include <cmath>

namespace democreature {
namespace {

constexpr double kPi = 3.14159265358979323846;

Vec Rotate(Vec p, double radians) {
    // Screen y grows downwards: a positive angle turns +x towards -y.
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    return {p.x * c + p.y * s, -p.x * s + p.y * c};
}

std::uint8_t Channel(double v) { return std::uint8_t(std::lround(std::clamp(v, 0.0, 255.0))); }

}  // namespace

Colour Scaled(Colour c, double f) { return {c.r * f, c.g * f, c.b * f}; }
Colour Mixed(Colour a, Colour b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

void Canvas::Ellipse(Vec centre, double rx, double ry, double angleDegrees, Colour colour, bool detail) {
    Shape s;
    s.kind = Kind::Ellipse;
    s.c = centre;
    s.rx = rx;
    s.ry = ry;
    s.angle = angleDegrees * kPi / 180.0;
    s.colour = colour;
    s.detail = detail;
    m_shapes.push_back(s);
}

void Canvas::Capsule(Vec a, Vec b, double ra, double rb, Colour colour, bool detail) {
    Shape s;
    s.kind = Kind::Capsule;
    s.a = a;
    s.b = b;
    s.ra = ra;
    s.rb = rb;
    s.colour = colour;
    s.detail = detail;
    m_shapes.push_back(s);
}

void Canvas::Polygon(std::vector<Vec> points, Colour colour, bool detail) {
    Shape s;
    s.kind = Kind::Polygon;
    s.poly = std::move(points);
    s.colour = colour;
    s.detail = detail;
    m_shapes.push_back(s);
}

int Canvas::Mark(Vec point) {
    m_points.push_back(point);
    return int(m_points.size()) - 1;
}

void Canvas::Transform(double scale, double angleDegrees, Vec move) {
    const double r = angleDegrees * kPi / 180.0;
    auto map = [&](Vec p) {
        Vec q = Rotate({p.x * scale, p.y * scale}, r);
        return Vec{q.x + move.x, q.y + move.y};
    };
    for (Shape& s : m_shapes) {
        s.c = map(s.c);
        s.a = map(s.a);
        s.b = map(s.b);
        for (Vec& p : s.poly) {
            p = map(p);
        }
        s.rx *= scale;
        s.ry *= scale;
        s.ra *= scale;
        s.rb *= scale;
        s.angle += r;
    }
    for (Vec& p : m_points) {
        p = map(p);
    }
}

void Canvas::MirrorX() {
    for (Shape& s : m_shapes) {
        s.c.x = -s.c.x;
        s.a.x = -s.a.x;
        s.b.x = -s.b.x;
        for (Vec& p : s.poly) {
            p.x = -p.x;
        }
        s.angle = -s.angle;
    }
    for (Vec& p : m_points) {
        p.x = -p.x;
    }
}

bool Canvas::Contains(const Shape& s, Vec p, double& shade) {
    switch (s.kind) {
        case Kind::Ellipse: {
            const Vec local = Rotate({p.x - s.c.x, p.y - s.c.y}, -s.angle);
            const double u = local.x / s.rx;
            const double v = local.y / s.ry;
            const double d = u * u + v * v;
            if (d > 1.0) {
                return false;
            }
            // Lit from the upper left in screen terms.
            const Vec screen = Rotate({u, v}, s.angle);
            shade = 1.06 - 0.16 * (0.55 * screen.x + 0.85 * screen.y) - 0.12 * d;
            return true;
        }
        case Kind::Capsule: {
            const double vx = s.b.x - s.a.x;
            const double vy = s.b.y - s.a.y;
            const double len2 = vx * vx + vy * vy;
            double t = len2 > 0 ? ((p.x - s.a.x) * vx + (p.y - s.a.y) * vy) / len2 : 0.0;
            t = std::clamp(t, 0.0, 1.0);
            const double qx = s.a.x + vx * t - p.x;
            const double qy = s.a.y + vy * t - p.y;
            const double r = s.ra + (s.rb - s.ra) * t;
            const double dist2 = qx * qx + qy * qy;
            if (dist2 > r * r) {
                return false;
            }
            const double nx = r > 0 ? -qx / r : 0;
            const double ny = r > 0 ? -qy / r : 0;
            shade = 1.04 - 0.2 * (0.55 * nx + 0.85 * ny) - 0.1 * (dist2 / (r * r));
            return true;
        }
        case Kind::Polygon: {
            bool inside = false;
            const std::size_t n = s.poly.size();
            for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
                const Vec& a = s.poly[i];
                const Vec& b = s.poly[j];
                if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) {
                    inside = !inside;
                }
            }
            shade = 1.0;
            return inside;
        }
    }
    return false;
}

void Canvas::Extent(const Shape& s, double& minX, double& minY, double& maxX, double& maxY) {
    auto add = [&](double x, double y, double r) {
        minX = std::min(minX, x - r);
        minY = std::min(minY, y - r);
        maxX = std::max(maxX, x + r);
        maxY = std::max(maxY, y + r);
    };
    switch (s.kind) {
        case Kind::Ellipse: add(s.c.x, s.c.y, std::max(s.rx, s.ry)); break;
        case Kind::Capsule:
            add(s.a.x, s.a.y, s.ra);
            add(s.b.x, s.b.y, s.rb);
            break;
        case Kind::Polygon:
            for (const Vec& p : s.poly) add(p.x, p.y, 0);
            break;
    }
}

RasterImage Canvas::Render() const {
    RasterImage out;
    double minX = 1e9, minY = 1e9, maxX = -1e9, maxY = -1e9;
    for (const Shape& s : m_shapes) {
        Extent(s, minX, minY, maxX, maxY);
    }
    for (const Vec& p : m_points) {
        // Marked points must land inside the image: attachment files hold no negatives.
        minX = std::min(minX, p.x);
        minY = std::min(minY, p.y);
        maxX = std::max(maxX, p.x);
        maxY = std::max(maxY, p.y);
    }
    if (m_shapes.empty()) {
        minX = minY = maxX = maxY = 0;
    }
    const int left = int(std::floor(minX)) - 1;
    const int top = int(std::floor(minY)) - 1;
    out.width = int(std::ceil(maxX)) - left + 2;
    out.height = int(std::ceil(maxY)) - top + 2;
    const std::size_t count = std::size_t(out.width) * std::size_t(out.height);
    out.rgb.assign(count * 3, 0);
    out.opaque.assign(count, 0);

    std::vector<int> top_shape(count, -1);
    std::vector<double> shades(count, 1.0);
    std::vector<std::uint8_t> silhouette(count, 0);
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            const Vec p{left + x + 0.5, top + y + 0.5};
            const std::size_t i = std::size_t(y) * out.width + x;
            for (std::size_t k = 0; k < m_shapes.size(); ++k) {
                double shade = 1.0;
                if (Contains(m_shapes[k], p, shade)) {
                    top_shape[i] = int(k);
                    if (!m_shapes[k].detail) {
                        silhouette[i] = 1;
                        shades[i] = shade;
                    }
                }
            }
        }
    }
    auto inside = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < out.width && y < out.height && silhouette[std::size_t(y) * out.width + x] != 0;
    };
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            const std::size_t i = std::size_t(y) * out.width + x;
            if (top_shape[i] < 0) {
                continue;
            }
            const Shape& s = m_shapes[std::size_t(top_shape[i])];
            Colour c = s.detail ? s.colour : Scaled(s.colour, shades[i]);
            const bool edge = silhouette[i] != 0 &&
                              (!inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1));
            if (edge) {
                c = Scaled(s.colour, 0.42);
            }
            out.opaque[i] = 1;
            out.rgb[i * 3] = Channel(c.r);
            out.rgb[i * 3 + 1] = Channel(c.g);
            out.rgb[i * 3 + 2] = Channel(c.b);
        }
    }
    for (const Vec& p : m_points) {
        out.points.push_back({std::floor(p.x) - left, std::floor(p.y) - top});
    }
    return out;
}

}  // namespace democreature
