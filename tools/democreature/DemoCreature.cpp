// The demo creature's files: every part of every genus, sex, age and variant it comes in.
#include "tools/democreature/DemoCreature.h"

#include <cctype>
#include <filesystem>

namespace democreature {

const std::vector<int>& DemoGenera() {
    static const std::vector<int> genera = {0, 1, 2};
    return genera;
}
const std::vector<int>& DemoAges() {
    static const std::vector<int> ages = {0, 2, 4};
    return ages;
}
const std::vector<int>& DemoVariants() {
    static const std::vector<int> variants = {0, 1};
    return variants;
}

std::uint32_t DemoPixelFormat(int genus) { return genus == 1 ? kFormat555 : kFormat565; }

std::string DemoFileName(int part, int genus, int sex, int age, int variant, bool sprite) {
    std::string name;
    name += char('a' + part - 1);
    name += char('0' + genus + 4 * sex);
    name += char('0' + age);
    name += char('a' + variant);
    name += sprite ? ".s16" : ".att";
    if (genus == 2) {
        for (char& c : name) c = char(std::toupper(static_cast<unsigned char>(c)));
    }
    return name;
}

PartFiles MakeDemoPartFiles(int part, const Look& look) {
    const std::uint32_t format = DemoPixelFormat(look.genus);
    std::vector<Sprite16> images;
    std::vector<std::vector<Point16>> points;
    for (int i = 0; i < 10; ++i) {
        const RasterImage raster = DrawPartImage(part, i, look);
        Sprite16 sprite;
        sprite.width = std::uint16_t(raster.width);
        sprite.height = std::uint16_t(raster.height);
        sprite.pixels.resize(std::size_t(raster.width) * raster.height, 0);
        for (std::size_t k = 0; k < sprite.pixels.size(); ++k) {
            if (raster.opaque[k]) {
                sprite.pixels[k] = EncodePixel(raster.rgb[k * 3], raster.rgb[k * 3 + 1], raster.rgb[k * 3 + 2], format);
            }
        }
        images.push_back(std::move(sprite));
        std::vector<Point16> imagePoints;
        for (const Vec& p : raster.points) {
            imagePoints.push_back({int(p.x), int(p.y)});
        }
        points.push_back(std::move(imagePoints));
    }
    return {EncodeSpriteFile(images, format), EncodeAttachmentText(points)};
}

bool WriteDemoCreature(const std::string& imagesDirectory, const std::string& bodyDataDirectory, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(imagesDirectory, ec);
    std::filesystem::create_directories(bodyDataDirectory, ec);
    const std::filesystem::path images(imagesDirectory);
    const std::filesystem::path bodyData(bodyDataDirectory);
    for (int genus : DemoGenera()) {
        for (int sex = 0; sex < 2; ++sex) {
            for (int age : DemoAges()) {
                for (int variant : DemoVariants()) {
                    const Look look{genus, sex, age, variant};
                    for (int part = 1; part <= 14; ++part) {
                        const PartFiles files = MakeDemoPartFiles(part, look);
                        const std::string sprite =
                            (images / DemoFileName(part, genus, sex, age, variant, true)).string();
                        const std::string attachment =
                            (bodyData / DemoFileName(part, genus, sex, age, variant, false)).string();
                        if (!WriteFile(sprite, files.sprite)) {
                            error = "Cannot write " + sprite;
                            return false;
                        }
                        if (!WriteFile(attachment, files.attachment)) {
                            error = "Cannot write " + attachment;
                            return false;
                        }
                    }
                }
            }
        }
    }
    return true;
}

}  // namespace democreature
