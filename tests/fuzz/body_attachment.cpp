// Attachment files (".att") on arbitrary bytes: read in memory, then loaded from a file
// through the part loader for the body (six points) and a limb (two points).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "control/body/AttachmentReader.h"
#include "control/body/PartLoader.h"
#include "tests/fixtures/TempDir.h"
#include "tools/democreature/SpriteWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string_view cursor = text;
    std::vector<zubrelle::AttachmentPoint> points(130);
    zubrelle::ReadAttachmentPoints(cursor, points);
    for (const auto& p : points)
        if (p.x < 0 || p.x > 65535 || p.y < 0 || p.y > 65535) __builtin_trap();

    using democreature::Sprite16;
    static const auto sprite = democreature::EncodeSpriteFile(std::vector(10, Sprite16{1, 1, {0x1234}}),  // 1 x 1 each
                                                              democreature::kFormat565);
    static const mirtala::test::TempDir dir;  // the part's two files, removed at exit
    for (const char* stem : {"b00a", "c00a"}) {
        dir.Write(std::string(stem) + ".s16", {reinterpret_cast<const char*>(sprite.data()), sprite.size()});
        dir.Write(std::string(stem) + ".att", text);
    }
    for (int part : {2, 3}) {
        zubrelle::PartData record;
        std::string error;
        if (!zubrelle::LoadPart(part, 0, 0, 0, 0, dir.Path() + "/", dir.Path() + "/", record, error)) __builtin_trap();
    }
    return 0;
}
