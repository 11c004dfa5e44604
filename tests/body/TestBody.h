// Small exact bodies for the body engine's tests, written as real sprite and attachment
// files into a temporary folder with the demo creature's file writers.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/democreature/SpriteWriter.h"

namespace bodytest {

using democreature::Point16;
using democreature::Sprite16;

// A fresh folder with "images/" and "body data/" inside, removed at the end of the test.
class TempTree {
public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::filesystem::path& Root() const { return m_root; }
    std::string Images() const { return (m_root / "images").string() + "/"; }
    std::string BodyData() const { return (m_root / "body data").string() + "/"; }
    void Write(const std::string& relativePath, const std::vector<std::uint8_t>& bytes) const;
    void Write(const std::string& relativePath, const std::string& text) const;

private:
    std::filesystem::path m_root;
};

// One part's ten images and their points.
struct TestPart {
    std::array<Sprite16, 10> images;
    std::array<std::vector<Point16>, 10> points;
    std::uint32_t format = democreature::kFormat565;
};

// A width x height block of one 16-bit pixel value in every image, points as given.
Sprite16 Block(std::uint16_t width, std::uint16_t height, std::uint16_t pixel);
TestPart UniformPart(const Sprite16& image, std::vector<Point16> points);
// An image without pixels (0 x 0) and the points as given, in every image.
TestPart EmptyPart(int pointCount);

std::vector<std::uint8_t> SpriteBytes(const TestPart& fixture);
std::string AttachmentText(const TestPart& fixture);

// A whole body of fourteen parts (index 1 to 14) for one genus, sex, age and variant.
using TestParts = std::array<TestPart, 15>;
TestParts EmptyBody();
void WriteBody(const TempTree& tree, const TestParts& body, int genus = 0, int sex = 0, int age = 0,
               int variant = 0);

// FNV-1a over the pixels: the checksum of a render.
std::uint64_t Checksum(const std::vector<std::uint32_t>& pixels);

}  // namespace bodytest
