// Painting a laid-out figure into a bitmap, and the still picture built on it.
#include "control/body/BodyModel.h"

#include <vector>

#include "control/body/PoseSteps.h"
#include "control/body/Truncate.h"
#include "platform/gdi/DrawContext.h"

namespace zubrelle {
namespace {

constexpr gdi::Colour kWhite = 0xFFFFFF;
constexpr gdi::Colour kFloorRed = gdi::Rgb(255, 0, 0);

}  // namespace

void BodyModel::RenderFigure(const FigureLayout& layout, double scale, bool floorLine, gdi::Point origin,
                             gdi::Point base, std::int32_t width, std::int32_t height, gdi::Point position,
                             gdi::Bitmap& bitmap, const AnimationState& animation) const {
    gdi::DrawContext dc;
    gdi::Bitmap* previous = dc.Select(&bitmap);
    dc.FillSolidRect(gdi::Rect{0, 0, width, height}, kWhite);
    if (floorLine) {
        const gdi::Colour oldPen = dc.PenColour();
        dc.SetPenColour(kFloorRed);
        dc.MoveTo(animation.floorA.x, animation.floorA.y);
        dc.LineTo(animation.floorB.x, animation.floorB.y);
        dc.SetPenColour(oldPen);
    }
    const std::int64_t dx = std::int64_t(position.x) - base.x;
    const std::int64_t dy = std::int64_t(position.y) - base.y;
    const bool reduced = scale < 1.0;
    const int step = reduced ? 2 : 1;
    const std::int32_t side = reduced ? 1 : TruncToInt(scale + 1.0);

    // Screen columns depend only on the column, so each part computes them once.
    std::vector<std::int64_t> columns;
    for (int part : layout.order) {
        const int imageIndex = layout.image[std::size_t(part)];
        if (imageIndex < 0 || imageIndex >= kImagesPerPart) {
            continue;
        }
        const PartImage& image = m_parts[std::size_t(part)].images[std::size_t(imageIndex)];
        if (!image.pixels || image.pixels->size() != std::size_t(image.width) * image.height) {
            continue;
        }
        const gdi::Point offset = layout.offset[std::size_t(part)];
        columns.resize(image.width);
        for (std::int32_t x = 0; x < image.width; x += step) {
            columns[std::size_t(x)] = TruncToInt((double(x) - origin.x + offset.x) * scale) + dx;
        }
        for (std::int32_t y = 0; y < image.height; y += step) {
            const std::int64_t sy = TruncToInt((double(y) - origin.y + offset.y) * scale) + dy;
            if (sy + side <= 0 || sy >= bitmap.Height()) {
                continue;  // the whole row lies above or below the bitmap
            }
            const std::uint32_t* row = image.pixels->data() + std::size_t(y) * image.width;
            for (std::int32_t x = 0; x < image.width; x += step) {
                const std::uint32_t c = row[x];
                if (c == kTransparent) {
                    continue;
                }
                const std::int64_t sx = columns[std::size_t(x)];
                if (sx + side <= 0 || sx >= bitmap.Width()) {
                    continue;
                }
                if (reduced) {
                    dc.SetPixel(std::int32_t(sx), std::int32_t(sy), c);
                } else {
                    dc.FillSolidRect(std::int32_t(sx), std::int32_t(sy), side, side, c);
                }
            }
        }
    }
    dc.Select(previous);
}

void BodyModel::DrawPose(const gdi::Rect& rect, gdi::Bitmap& bitmap, const PoseSlotValues& pose, double scale,
                         AnimationState& animation) const {
    if (!IsLoaded()) {
        return;
    }
    const FigureLayout layout = LayoutFigure(MaskStillPose(pose), scale);
    const gdi::Point base = layout.leftFoot.y > layout.rightFoot.y ? layout.leftFoot : layout.rightFoot;
    const std::int32_t w = rect.right - rect.left;
    const std::int32_t h = rect.bottom - rect.top;
    const gdi::Point position{ClampToInt((0LL + w - layout.width) / 2 + base.x),
                              ClampToInt((0LL + h - layout.height) / 2 + base.y)};
    RenderFigure(layout, scale, false, layout.origin, base, w, h, position, bitmap, animation);
}

}  // namespace zubrelle
