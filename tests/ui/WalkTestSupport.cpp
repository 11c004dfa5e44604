// Decoding the exported files for the walk export's tests.
#include "WalkTestSupport.h"

#include <gif_lib.h>

#include <QImage>

#include <array>

#include <gtest/gtest.h>

#include "activex/ControlTestSupport.h"
#include "control/body/BodyModel.h"
#include "control/body/PoseSlotValues.h"

namespace mirtala::test {

Pixels ImagePixels(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGBX8888);
    Pixels pixels;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            pixels.push_back(reinterpret_cast<const std::uint32_t*>(image.constScanLine(y))[x] & 0x00FFFFFFu);
    return pixels;
}

Pixels ReadPng(const std::string& path, int& width, int& height) {
    const QImage image(QString::fromStdString(path));
    width = image.width();
    height = image.height();
    return ImagePixels(image);
}

Pixels SheetCell(const Pixels& sheet, int sheetWidth, int columns, int k, int width, int height) {
    Pixels cell;
    const int left = (k % columns) * width, top = (k / columns) * height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) cell.push_back(sheet[std::size_t((top + y) * sheetWidth + left + x)]);
    return cell;
}

std::vector<Pixels> ReadGif(const std::string& path, int& width, int& height, std::vector<int>* delaysCs) {
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    std::vector<Pixels> frames;
    if (gif && DGifSlurp(gif) == GIF_OK) {
        width = gif->SWidth;
        height = gif->SHeight;
        Pixels canvas(std::size_t(width) * std::size_t(height), 0);
        for (int i = 0; i < gif->ImageCount; ++i) {
            const SavedImage& image = gif->SavedImages[i];
            const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
            GraphicsControlBlock control{};
            DGifSavedExtensionToGCB(gif, i, &control);
            if (delaysCs) delaysCs->push_back(control.DelayTime);
            const GifImageDesc& d = image.ImageDesc;
            for (int y = 0; y < d.Height; ++y)
                for (int x = 0; x < d.Width; ++x) {
                    const GifColorType c = map->Colors[image.RasterBits[y * d.Width + x]];
                    canvas[std::size_t((d.Top + y) * width + d.Left + x)] =
                        std::uint32_t(c.Red) | std::uint32_t(c.Green) << 8 | std::uint32_t(c.Blue) << 16;
                }
            frames.push_back(canvas);
        }
    }
    DGifCloseFile(gif, &error);
    return frames;
}

std::vector<Pixels> EngineFrames(const zubrelle::Appearance& appearance, const std::vector<std::string>& poses,
                                 int width, int height, bool walk, int angle, int count, double scale) {
    zubrelle::BodyModel engine;
    std::string error;
    EXPECT_EQ(engine.Load(controltest::DemoImages(), controltest::DemoBodyData(), appearance, error), 0) << error;
    std::array<zubrelle::PoseSlotValues, 9> values{};
    for (std::size_t i = 0; i < poses.size(); ++i) values[i] = zubrelle::ConvertPoseString(poses[i]);
    const gdi::Rect rect{0, 0, width, height};
    zubrelle::AnimationState state;
    const int n = int(poses.size());
    if (n == 1) {
        gdi::Bitmap bitmap(width, height);
        engine.DrawPose(rect, bitmap, values[0], scale, state);
        return {bitmap.Pixels()};
    }
    const int cycle =
        walk ? engine.PrepareWalk(rect, values, n, scale, angle, state) : engine.PrepareStand(values, n, scale, state);
    std::vector<Pixels> frames;
    for (int k = 0; k < (count ? count : cycle); ++k) {
        gdi::Bitmap bitmap(width, height);
        walk ? engine.DrawWalkFrame(rect, bitmap, state) : engine.DrawStandFrame(rect, bitmap, 0, state);
        frames.push_back(bitmap.Pixels());
    }
    return frames;
}

}  // namespace mirtala::test
