// democreature-render IMAGES_DIR BODY_DATA_DIR OUT.ppm [GENUS SEX AGE VARIANT]: draws a
// contact sheet of the demo creature through the body engine, for looking at it: the
// four directions and head turns, every side position, and a walk along a sloped floor.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "control/body/BodyModel.h"
#include "platform/gdi/DrawContext.h"

namespace {

constexpr int kCellW = 120;
constexpr int kCellH = 120;

void Paste(gdi::Bitmap& sheet, const gdi::Bitmap& cell, int column, int row) {
    gdi::DrawContext dc(sheet);
    dc.BitBlt(column * (kCellW + 4), row * (kCellH + 4), cell);
}

bool WritePpm(const std::string& path, const gdi::Bitmap& bitmap) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    std::fprintf(f, "P6\n%d %d\n255\n", bitmap.Width(), bitmap.Height());
    for (gdi::Colour c : bitmap.Pixels()) {
        const unsigned char rgb[3] = {static_cast<unsigned char>(c & 0xFF), static_cast<unsigned char>((c >> 8) & 0xFF),
                                      static_cast<unsigned char>((c >> 16) & 0xFF)};
        std::fwrite(rgb, 1, 3, f);
    }
    return std::fclose(f) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 + 1 && argc != 3 + 1 + 4) {
        std::fprintf(stderr, "usage: democreature-render IMAGES_DIR BODY_DATA_DIR OUT.ppm [GENUS SEX AGE VARIANT]\n");
        return 2;
    }
    zubrelle::Appearance look;
    if (argc == 8) {
        const int genus = std::atoi(argv[4]);
        const int variant = std::atoi(argv[7]);
        look = {std::atoi(argv[5]),
                std::atoi(argv[6]),
                genus,
                variant,
                genus,
                variant,
                genus,
                variant,
                genus,
                variant,
                genus,
                variant};
    }
    zubrelle::BodyModel body;
    std::string error;
    if (body.Load(argv[1], argv[2], look, error) != 0) {
        std::fprintf(stderr, "democreature-render: %s\n", error.c_str());
        return 1;
    }
    const std::vector<std::string> stills = {
        "011111111111111", "111111111111111", "211111111111111", "311111111111111",
        "241111111111111", "251111111111111", "341111111111111", "351111111111111",
        "200000000000000", "222222222222222", "233333333333333", "300000000000000",
        "322222222222222", "333333333333333", "212322000013221", "312322000013221"};
    const std::vector<std::string> walk = {"211000222220111", "211201111111111", "211222000012211", "211111201111111"};
    const int columns = 8;
    const int rows = 2 + 2 + 1;
    gdi::Bitmap sheet(columns * (kCellW + 4), rows * (kCellH + 4), 0x808080);
    const gdi::Rect cellRect{0, 0, kCellW, kCellH};
    zubrelle::AnimationState animation;
    for (std::size_t i = 0; i < stills.size(); ++i) {
        gdi::Bitmap cell(kCellW, kCellH);
        body.DrawPose(cellRect, cell, zubrelle::ConvertPoseString(stills[i]), 1.0, animation);
        Paste(sheet, cell, int(i % columns), int(i / columns));
    }
    std::vector<zubrelle::PoseSlotValues> poses;
    for (const std::string& p : walk) poses.push_back(zubrelle::ConvertPoseString(p));
    poses.push_back({});
    const int frames = body.PrepareWalk(cellRect, poses, int(walk.size()), 1.0, 8, animation);
    for (int i = 0; i < 16; ++i) {
        gdi::Bitmap cell(kCellW, kCellH);
        body.DrawWalkFrame(cellRect, cell, animation);
        Paste(sheet, cell, i % columns, 2 + i / columns);
    }
    // A turn from one side to the other, in place.
    std::vector<zubrelle::PoseSlotValues> turn = {
        zubrelle::ConvertPoseString("211111111111111"), zubrelle::ConvertPoseString("311111111111111"), {}};
    body.PrepareStand(turn, 2, 1.0, animation);
    for (int i = 0; i < columns; ++i) {
        gdi::Bitmap cell(kCellW, kCellH);
        body.DrawStandFrame(cellRect, cell, 0, animation);
        Paste(sheet, cell, i, 4);
    }
    std::printf("walk of %d frames\n", frames);
    return WritePpm(argv[3], sheet) ? 0 : 1;
}
