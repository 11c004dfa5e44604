// Sprite and attachment file encoding.
#include "tools/democreature/SpriteWriter.h"

#include <fstream>

namespace democreature {

std::uint16_t EncodePixel(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint32_t format) {
    std::uint16_t p = 0;
    if (format == kFormat565) {
        p = std::uint16_t(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
    } else {
        p = std::uint16_t(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
    }
    return p == 0 ? std::uint16_t(1) : p;
}

std::vector<std::uint8_t> EncodeSpriteFile(const std::vector<Sprite16>& images, std::uint32_t format) {
    std::vector<std::uint8_t> out;
    auto put16 = [&out](std::uint32_t v) {
        out.push_back(std::uint8_t(v));
        out.push_back(std::uint8_t(v >> 8));
    };
    auto put32 = [&](std::uint32_t v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    put32(format);
    put16(std::uint32_t(images.size()));
    std::uint32_t offset = std::uint32_t(6 + 8 * images.size());
    for (const Sprite16& image : images) {
        put32(offset);
        put16(image.width);
        put16(image.height);
        offset += 2u * image.width * image.height;
    }
    for (const Sprite16& image : images) {
        for (std::uint16_t p : image.pixels) {
            put16(p);
        }
    }
    return out;
}

std::string EncodeAttachmentText(const std::vector<std::vector<Point16>>& pointsPerImage) {
    std::string text;
    for (const std::vector<Point16>& points : pointsPerImage) {
        for (std::size_t i = 0; i < points.size(); ++i) {
            if (i > 0) {
                text += ' ';
            }
            text += std::to_string(points[i].x);
            text += ' ';
            text += std::to_string(points[i].y);
        }
        text += "\r\n";
    }
    return text;
}

bool WriteFile(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    return bool(out);
}

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    return WriteFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace democreature
