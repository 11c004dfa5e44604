// Attachment files (".att") on arbitrary bytes: read in memory, then loaded from a file
// through the part loader for the body (six points) and a limb (two points).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "body_files.h"
#include "control/body/AttachmentReader.h"
#include "control/body/PartLoader.h"

namespace {

// Ten 1 x 1 images in 5-6-5.
std::vector<std::uint8_t> SmallSprite() {
    std::vector<std::uint8_t> bytes = {1, 0, 0, 0, 10, 0};
    const std::uint32_t start = 6 + 8 * 10;
    for (std::uint32_t i = 0; i < 10; ++i) {
        const std::uint32_t offset = start + 2 * i;
        for (int b = 0; b < 4; ++b) bytes.push_back(std::uint8_t(offset >> (8 * b)));
        bytes.insert(bytes.end(), {1, 0, 1, 0});
    }
    for (int i = 0; i < 10; ++i) bytes.insert(bytes.end(), {0x34, 0x12});
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view cursor(reinterpret_cast<const char*>(data), size);
    std::vector<zubrelle::AttachmentPoint> points(130);
    zubrelle::ReadAttachmentPoints(cursor, points);
    for (const auto& p : points) {
        if (p.x < 0 || p.x > 65535 || p.y < 0 || p.y > 65535) __builtin_trap();
    }

    static const std::vector<std::uint8_t> sprite = SmallSprite();
    bodyfuzz::Write("b00a.s16", sprite.data(), sprite.size());
    bodyfuzz::Write("c00a.s16", sprite.data(), sprite.size());
    bodyfuzz::Write("b00a.att", data, size);
    bodyfuzz::Write("c00a.att", data, size);
    for (int part : {2, 3}) {
        zubrelle::PartData record;
        std::string error;
        if (!zubrelle::LoadPart(part, 0, 0, 0, 0, bodyfuzz::Directory(), bodyfuzz::Directory(), record, error)) {
            __builtin_trap();
        }
    }
    return 0;
}
