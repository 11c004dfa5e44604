// Decoding the exported files for the walk export's tests.
#include "WalkTestSupport.h"

#include <gif_lib.h>

#include <QImage>

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

}  // namespace mirtala::test
