// Writing sprite files (".s16") and attachment files (".att") from images and points.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace democreature {

// One image as 16-bit pixels, 0 transparent, rows top first.
struct Sprite16 {
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::vector<std::uint16_t> pixels;
};

constexpr std::uint32_t kFormat565 = 1;
constexpr std::uint32_t kFormat555 = 0;

// Never 0 for a colour, since 0 is the transparent pixel.
std::uint16_t EncodePixel(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint32_t format);

// Header (format, two unused bytes), one directory entry per image, then the pixels.
std::vector<std::uint8_t> EncodeSpriteFile(const std::vector<Sprite16>& images, std::uint32_t format);

// Points per image, one image per line: "x y x y ...".
struct Point16 {
    int x = 0;
    int y = 0;
};
std::string EncodeAttachmentText(const std::vector<std::vector<Point16>>& pointsPerImage);

// Writes a file whole; false when it could not be written.
bool WriteFile(const std::string& path, std::string_view bytes);
bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace democreature
