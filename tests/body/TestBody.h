// Small exact bodies for the body engine's tests, written as real sprite and attachment
// files into a temporary folder with the demo creature's file writers.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "control/body/BodyFiles.h"
#include "control/body/BodyModel.h"
#include "control/body/PoseSteps.h"
#include "fixtures/TempDir.h"
#include "tools/democreature/SpriteWriter.h"

namespace bodytest {

using democreature::Point16;
using democreature::Sprite16;
using zubrelle::ConvertPoseString;

// A fresh folder with "images/" and "body data/" inside, removed at the end of the test.
struct TempTree {
    TempTree() : root(dir.Path()) {
        for (const char* folder : {"images", "body data"}) std::filesystem::create_directories(root / folder);
    }
    std::string Images() const { return (root / "images").string() + "/"; }
    std::string BodyData() const { return (root / "body data").string() + "/"; }
    template <class Bytes>
    void Write(const std::string& path, const Bytes& bytes) const {
        democreature::WriteFile((root / path).string(), bytes);
    }
    mirtala::test::TempDir dir;
    std::filesystem::path root;
};

// One part's ten images and their points.
struct TestPart {
    std::array<Sprite16, 10> images;
    std::array<std::vector<Point16>, 10> points;
};
using TestParts = std::array<TestPart, 15>;  // parts 1 to 14

// A width x height block of one 16-bit pixel value.
inline Sprite16 Block(std::uint16_t width, std::uint16_t height, std::uint16_t pixel) {
    return {width, height, std::vector<std::uint16_t>(std::size_t(width) * height, pixel)};
}

inline TestPart UniformPart(const Sprite16& image, std::vector<Point16> points) {
    TestPart part;
    part.images.fill(image);
    part.points.fill(points);
    return part;
}

inline std::vector<std::uint8_t> SpriteBytes(const TestPart& part) {
    return democreature::EncodeSpriteFile({part.images.begin(), part.images.end()}, democreature::kFormat565);
}

inline std::string AttachmentText(const TestPart& part) {
    return democreature::EncodeAttachmentText({part.points.begin(), part.points.end()});
}

// One pixel of value `part` in every image, all points (0, 0).
inline TestPart PixelPart(int part) {
    return UniformPart(Block(1, 1, std::uint16_t(part)), std::vector<Point16>(part == 2 ? 6 : 2));
}

// Fourteen parts without pixels and with all points (0, 0).
inline TestParts EmptyBody() {
    TestParts body;
    for (int part = 1; part <= 14; ++part)
        body[std::size_t(part)] = UniformPart({}, std::vector<Point16>(part == 2 ? 6 : 2));
    return body;
}

inline void WritePart(const TempTree& tree, int part, const TestPart& data, int genus = 0, int sex = 0, int age = 0,
                      int variant = 0) {
    const std::string stem = zubrelle::BodyFileStem(part, genus + 4 * sex, age, variant);
    tree.Write("images/" + stem + ".s16", SpriteBytes(data));
    tree.Write("body data/" + stem + ".att", AttachmentText(data));
}

// Writes the body for genus, sex, age and variant 0 and loads it; the error text, "" on success.
inline std::string LoadBody(const TempTree& tree, const TestParts& body, zubrelle::BodyModel& model) {
    for (int part = 1; part <= 14; ++part) WritePart(tree, part, body[std::size_t(part)]);
    std::string error;
    model.Load(tree.Images(), tree.BodyData(), zubrelle::Appearance{}, error);
    return error;
}

}  // namespace bodytest
