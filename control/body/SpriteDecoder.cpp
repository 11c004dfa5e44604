// Sprite decoding: 16-bit pixels to 0x00BBGGRR, 0 to the transparent marker, with bounds.
#include "control/body/SpriteDecoder.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace zubrelle {
namespace {

constexpr std::size_t kDirectoryStart = 6;
constexpr std::size_t kEntrySize = 8;

std::uint32_t Read32(std::span<const std::uint8_t> file, std::size_t at) {
    return std::uint32_t(file[at]) | (std::uint32_t(file[at + 1]) << 8) | (std::uint32_t(file[at + 2]) << 16) |
           (std::uint32_t(file[at + 3]) << 24);
}

std::uint16_t Read16(std::span<const std::uint8_t> file, std::size_t at) {
    return std::uint16_t(file[at] | (file[at + 1] << 8));
}

struct Entry {
    std::uint32_t offset;
    std::uint16_t width;
    std::uint16_t height;
    friend bool operator==(const Entry&, const Entry&) = default;
};

bool ReadEntry(std::span<const std::uint8_t> file, int index, Entry& entry) {
    if (index < 0 || index >= kImagesPerPart) {
        return false;
    }
    const std::size_t at = kDirectoryStart + kEntrySize * std::size_t(index);
    if (file.size() < at + kEntrySize) {
        return false;
    }
    entry = {Read32(file, at), Read16(file, at + 4), Read16(file, at + 6)};
    const std::uint64_t end = std::uint64_t(entry.offset) + 2ull * std::uint64_t(entry.width) * entry.height;
    return end <= file.size();
}

// The first entry before `index` that names the same block of pixels; -1 when none does.
int EarlierSameBlock(std::span<const std::uint8_t> file, int index) {
    Entry entry{}, earlier{};
    if (!ReadEntry(file, index, entry)) return -1;
    for (int i = 0; i < index; ++i)
        if (ReadEntry(file, i, earlier) && earlier == entry) return i;
    return -1;
}

}  // namespace

std::uint32_t ConvertPixel565(std::uint16_t p) {
    const std::uint32_t red = (p >> 8) & 0xF8;
    const std::uint32_t green = (p >> 3) & 0xFC;
    const std::uint32_t blue = (std::uint32_t(p) << 3) & 0xF8;
    return blue * 65536 + green * 256 + red;
}

std::uint32_t ConvertPixel555(std::uint16_t p) {
    const std::uint32_t red = (p >> 7) & 0xF8;
    const std::uint32_t green = (p >> 2) & 0xF8;
    const std::uint32_t blue = (std::uint32_t(p) << 3) & 0xF8;
    return blue * 65536 + green * 256 + red;
}

bool SpriteFileIsComplete(std::span<const std::uint8_t> file) {
    Entry entry{};
    for (int i = 0; i < kImagesPerPart; ++i) {
        if (!ReadEntry(file, i, entry)) {
            return false;
        }
    }
    return true;
}

std::string SpriteFileProblem(std::span<const std::uint8_t> file) {
    if (file.empty()) return "it is empty";
    const std::string size = std::to_string(file.size()) + " byte" + (file.size() == 1 ? "" : "s");
    const std::size_t directoryEnd = kDirectoryStart + kEntrySize * kImagesPerPart;
    if (file.size() < directoryEnd)
        return "it ends at " + size + ", inside its directory of ten images (" + std::to_string(directoryEnd) +
               " bytes)";
    Entry entry{};
    for (int i = 0; i < kImagesPerPart; ++i) {
        if (ReadEntry(file, i, entry)) continue;
        return "the pixels of image " + std::to_string(i) + " (offset " + std::to_string(entry.offset) + ", " +
               std::to_string(entry.width) + " x " + std::to_string(entry.height) + ") run past its end at " + size;
    }
    return {};
}

std::uint64_t DecodedSpriteBytes(std::span<const std::uint8_t> file) {
    std::uint64_t total = 0;
    Entry entry{};
    for (int i = 0; i < kImagesPerPart; ++i)
        if (ReadEntry(file, i, entry) && EarlierSameBlock(file, i) < 0) total += 4ull * entry.width * entry.height;
    return total;
}

bool DecodeImage(std::span<const std::uint8_t> file, int index, PartImage& image) {
    image = PartImage{};
    Entry entry{};
    if (file.size() < 4 || !ReadEntry(file, index, entry)) {
        return false;
    }
    const bool is565 = Read32(file, 0) == kPixelFormat565;
    image.width = entry.width;
    image.height = entry.height;
    std::vector<std::uint32_t> pixels(std::size_t(entry.width) * entry.height);
    ImageBounds bounds;
    const std::uint8_t* source = file.data() + entry.offset;
    std::uint32_t* target = pixels.data();
    for (std::int32_t y = 0; y < entry.height; ++y) {
        for (std::int32_t x = 0; x < entry.width; ++x, source += 2, ++target) {
            const std::uint16_t p = std::uint16_t(source[0] | (source[1] << 8));
            if (p == 0) {
                *target = kTransparent;
                continue;
            }
            *target = is565 ? ConvertPixel565(p) : ConvertPixel555(p);
            bounds.left = std::min(bounds.left, x);
            bounds.top = std::min(bounds.top, y);
            bounds.right = std::max(bounds.right, x);
            bounds.bottom = std::max(bounds.bottom, y);
        }
    }
    image.bounds = bounds;
    image.pixels = std::make_shared<const std::vector<std::uint32_t>>(std::move(pixels));
    return true;
}

void DecodeImages(std::span<const std::uint8_t> file, std::array<PartImage, kImagesPerPart>& images) {
    for (int i = 0; i < kImagesPerPart; ++i) {
        const int same = EarlierSameBlock(file, i);
        if (same >= 0)
            images[std::size_t(i)] = images[std::size_t(same)];
        else
            DecodeImage(file, i, images[std::size_t(i)]);
    }
}

}  // namespace zubrelle
