// Sprite files (".s16") on arbitrary bytes: decoded in memory image by image, then loaded
// from a file through the part loader with a valid attachment file beside it.
#include <cstdint>
#include <span>
#include <string>

#include "control/body/PartLoader.h"
#include "control/body/SpriteDecoder.h"
#include "tests/fixtures/TempDir.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    zubrelle::PartImage image;
    for (int i = -1; i <= 10; ++i) {
        if (zubrelle::DecodeImage(file, i, image)) {
            if (!image.pixels || image.pixels->size() != std::size_t(image.width) * image.height) __builtin_trap();
            std::uint64_t opaque = 0;
            for (std::uint32_t p : *image.pixels) opaque += p != zubrelle::kTransparent;
            if ((opaque == 0) != (image.bounds.right < image.bounds.left)) __builtin_trap();
        }
    }

    static const mirtala::test::TempDir dir;  // the part's two files, removed at exit
    dir.Write("b00a.att", "1 2 3 4 5 6 7 8 9 10 11 12\n");
    dir.Write("b00a.s16", {reinterpret_cast<const char*>(data), size});
    zubrelle::PartData part;
    std::string error;
    const bool loaded = zubrelle::LoadPart(2, 0, 0, 0, 0, dir.Path() + "/", dir.Path() + "/", part, error);
    if (loaded != zubrelle::SpriteFileIsComplete(file)) __builtin_trap();
    if (!loaded && error.empty()) __builtin_trap();
    return 0;
}
