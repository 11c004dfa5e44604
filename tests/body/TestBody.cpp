// Writing small exact bodies for tests.
#include "TestBody.h"

#include <atomic>
#include <fstream>
#include <random>

#include "control/body/BodyFiles.h"

namespace bodytest {

TempTree::TempTree() {
    static std::atomic<int> counter{0};
    std::random_device random;
    m_root = std::filesystem::temp_directory_path() /
             ("bodytest-" + std::to_string(random()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(m_root / "images");
    std::filesystem::create_directories(m_root / "body data");
}

TempTree::~TempTree() {
    std::error_code ignored;
    std::filesystem::permissions(m_root, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(m_root, ignored);
}

void TempTree::Write(const std::string& relativePath, const std::vector<std::uint8_t>& bytes) const {
    democreature::WriteFile((m_root / relativePath).string(), bytes);
}

void TempTree::Write(const std::string& relativePath, const std::string& text) const {
    democreature::WriteFile((m_root / relativePath).string(), text);
}

Sprite16 Block(std::uint16_t width, std::uint16_t height, std::uint16_t pixel) {
    Sprite16 image;
    image.width = width;
    image.height = height;
    image.pixels.assign(std::size_t(width) * height, pixel);
    return image;
}

TestPart UniformPart(const Sprite16& image, std::vector<Point16> points) {
    TestPart fixture;
    fixture.images.fill(image);
    fixture.points.fill(points);
    return fixture;
}

TestPart EmptyPart(int pointCount) {
    return UniformPart(Sprite16{}, std::vector<Point16>(std::size_t(pointCount)));
}

std::vector<std::uint8_t> SpriteBytes(const TestPart& fixture) {
    return democreature::EncodeSpriteFile({fixture.images.begin(), fixture.images.end()}, fixture.format);
}

std::string AttachmentText(const TestPart& fixture) {
    return democreature::EncodeAttachmentText({fixture.points.begin(), fixture.points.end()});
}

TestParts EmptyBody() {
    TestParts body;
    for (int part = 1; part <= 14; ++part) {
        body[std::size_t(part)] = EmptyPart(part == 2 ? 6 : 2);
    }
    return body;
}

void WriteBody(const TempTree& tree, const TestParts& body, int genus, int sex, int age, int variant) {
    for (int part = 1; part <= 14; ++part) {
        const std::string stem = zubrelle::BodyFileStem(part, genus + 4 * sex, age, variant);
        tree.Write("images/" + stem + ".s16", SpriteBytes(body[std::size_t(part)]));
        tree.Write("body data/" + stem + ".att", AttachmentText(body[std::size_t(part)]));
    }
}

std::uint64_t Checksum(const std::vector<std::uint32_t>& pixels) {
    std::uint64_t hash = 1469598103934665603ull;
    for (std::uint32_t p : pixels) {
        for (int i = 0; i < 4; ++i) {
            hash ^= (p >> (8 * i)) & 0xFF;
            hash *= 1099511628211ull;
        }
    }
    return hash;
}

}  // namespace bodytest
