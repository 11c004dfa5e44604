// A small vector canvas for drawing body-part images: filled ellipses, tapered capsules
// and polygons, rasterised at pixel centres with a dark outline and simple shading, and
// marked points carried into the image's pixel coordinates.
#pragma once

#include <cstdint>
#include <vector>

namespace democreature {

struct Vec {
    double x = 0;
    double y = 0;
};

struct Colour {
    double r = 0;
    double g = 0;
    double b = 0;
};

Colour Scaled(Colour c, double factor);
Colour Mixed(Colour a, Colour b, double amountOfB);

// A finished image: 8-bit colour channels and an opacity flag per pixel, plus the marked
// points in pixel coordinates ((0, 0) the top-left pixel).
struct RasterImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;     // 3 bytes per pixel
    std::vector<std::uint8_t> opaque;  // 1 per pixel
    std::vector<Vec> points;           // rounded down to whole pixels
};

class Canvas {
public:
    // Shapes outline the part (they form its silhouette); details sit inside it.
    void Ellipse(Vec centre, double rx, double ry, double angleDegrees, Colour colour, bool detail = false);
    void Capsule(Vec a, Vec b, double ra, double rb, Colour colour, bool detail = false);
    void Polygon(std::vector<Vec> points, Colour colour, bool detail = false);
    // Returns the index of the point in RasterImage::points.
    int Mark(Vec point);

    // Everything added so far is transformed: scaled about the origin, rotated by angle
    // (positive turns +x towards -y, i.e. counter-clockwise on screen), then moved.
    void Transform(double scale, double angleDegrees, Vec move);
    void MirrorX();

    RasterImage Render() const;

private:
    enum class Kind { Ellipse, Capsule, Polygon };
    struct Shape {
        Kind kind = Kind::Ellipse;
        Vec c;
        double rx = 0, ry = 0, angle = 0;  // ellipse (angle in radians)
        Vec a, b;
        double ra = 0, rb = 0;  // capsule
        std::vector<Vec> poly;
        Colour colour;
        bool detail = false;
    };
    static bool Contains(const Shape& s, Vec p, double& shade);
    static void Extent(const Shape& s, double& minX, double& minY, double& maxX, double& maxY);
    std::vector<Shape> m_shapes;
    std::vector<Vec> m_points;
};

}  // namespace democreature
