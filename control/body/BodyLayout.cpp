// Laying out a pose: image choice, offsets down the skeleton, figure bounds and feet.
#include "control/body/BodyModel.h"

#include <algorithm>

#include "control/body/Truncate.h"

namespace zubrelle {
namespace {

// Parents come before their children.
constexpr std::array<int, kPartCount - 1> kPlacementOrder = {
    kHead,      kLeftThigh,  kRightThigh,  kLeftHumerus, kRightHumerus, kTailRoot, kLeftShin,
    kRightShin, kLeftRadius, kRightRadius, kTailTip,     kLeftFoot,     kRightFoot};

bool ValidImage(int image) { return image >= 0 && image < kImagesPerPart; }

}  // namespace

FigureLayout BodyModel::LayoutFigure(const PoseSlotValues& pose, double scale) const {
    FigureLayout layout;
    for (int part = 1; part <= kPartCount; ++part) {
        layout.image[std::size_t(part)] = ChooseImage(part, pose);
    }

    // A part whose image is out of range is not drawn; its points count as (0, 0).
    auto point = [this, &layout](int part, int index) {
        const int image = layout.image[std::size_t(part)];
        if (!ValidImage(image)) {
            return AttachmentPoint{};
        }
        return m_parts[std::size_t(part)].points[std::size_t(image)][std::size_t(index)];
    };
    layout.offset[kBody] = {0, 0};
    for (int part : kPlacementOrder) {
        const SkeletonJoint joint = SkeletonParent(part);
        const gdi::Point parentOffset = layout.offset[std::size_t(joint.parent)];
        const AttachmentPoint at = point(joint.parent, joint.parentPoint);
        const AttachmentPoint own = point(part, 0);
        layout.offset[std::size_t(part)] = {parentOffset.x + at.x - own.x, parentOffset.y + at.y - own.y};
    }
    layout.order = DrawingOrder(pose[0]);

    std::int32_t minX = kEmptyBoundsLow;
    std::int32_t minY = kEmptyBoundsLow;
    std::int32_t maxX = kEmptyBoundsHigh;
    std::int32_t maxY = kEmptyBoundsHigh;
    for (int part = 1; part <= kPartCount; ++part) {
        const int image = layout.image[std::size_t(part)];
        if (!ValidImage(image)) {
            continue;
        }
        const ImageBounds& b = m_parts[std::size_t(part)].images[std::size_t(image)].bounds;
        if (b.right < b.left) {
            continue;  // no opaque pixel: it must not widen the figure
        }
        const gdi::Point o = layout.offset[std::size_t(part)];
        minX = std::min(minX, b.left + o.x);
        minY = std::min(minY, b.top + o.y);
        maxX = std::max(maxX, b.right + o.x);
        maxY = std::max(maxY, b.bottom + o.y);
    }
    layout.width = TruncToInt((double(maxX) - minX + 1) * scale);
    layout.height = TruncToInt((double(maxY) - minY + 1) * scale);

    auto footPoint = [&](int foot) {
        const AttachmentPoint p = point(foot, 1);
        const gdi::Point o = layout.offset[std::size_t(foot)];
        return gdi::Point{TruncToInt((double(p.x) - minX + o.x) * scale),
                          TruncToInt((double(p.y) - minY + o.y) * scale)};
    };
    layout.leftFoot = footPoint(kLeftFoot);
    layout.rightFoot = footPoint(kRightFoot);
    layout.origin = {minX, minY};
    return layout;
}

}  // namespace zubrelle
