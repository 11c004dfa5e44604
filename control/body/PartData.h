// Decoded part images and their attachment points, as the body model keeps them.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "control/body/BodyParts.h"

namespace zubrelle {

constexpr std::uint32_t kTransparent = 0xFFFFFFFFu;
constexpr std::int32_t kEmptyBoundsLow = 1000000;    // left and top of an image with no opaque pixel
constexpr std::int32_t kEmptyBoundsHigh = -1000000;  // right and bottom of it

struct ImageBounds {
    std::int32_t left = kEmptyBoundsLow;
    std::int32_t top = kEmptyBoundsLow;
    std::int32_t right = kEmptyBoundsHigh;   // last opaque column, inclusive
    std::int32_t bottom = kEmptyBoundsHigh;  // last opaque row, inclusive
    friend bool operator==(const ImageBounds&, const ImageBounds&) = default;
};

struct PartImage {
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    ImageBounds bounds;
    // width x height values 0x00BBGGRR or kTransparent, rows top first; null when released
    // or not decoded. Never written after decoding, so entries of a sprite file that name
    // the same block of pixels hold one buffer.
    std::shared_ptr<const std::vector<std::uint32_t>> pixels;
};

struct AttachmentPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const AttachmentPoint&, const AttachmentPoint&) = default;
};

using ImagePoints = std::array<AttachmentPoint, kMaxAttachmentPoints>;

struct PartData {
    std::array<PartImage, kImagesPerPart> images;
    std::array<ImagePoints, kImagesPerPart> points{};
};

}  // namespace zubrelle
