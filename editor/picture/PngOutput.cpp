// PNG encoding in memory, then one atomic write; frame names and leftovers.
#include "editor/picture/PngOutput.h"

#include "platform/fileio/AtomicFile.h"

#include <QBuffer>
#include <QImage>

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace mirtala {

bool EncodePng(const std::uint32_t* pixels, int width, int height, std::vector<std::uint8_t>& png) {
    const QImage image(reinterpret_cast<const uchar*>(pixels), width, height, qsizetype(width) * 4,
                       QImage::Format_RGBX8888);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.convertToFormat(QImage::Format_RGB888).save(&buffer, "PNG"))
        return false;
    png.assign(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
               reinterpret_cast<const std::uint8_t*>(bytes.constData()) + bytes.size());
    return true;
}

bool WritePng(const std::vector<std::uint32_t>& pixels, int width, int height, const std::string& path,
              std::string& error) {
    std::vector<std::uint8_t> png;
    if (!EncodePng(pixels.data(), width, height, png)) {
        error = "the picture cannot be encoded as PNG";
        return false;
    }
    return fileio::WriteFileAtomically(path, png, &error);
}

std::string FrameName(int index, int frameCount) {
    int digits = 3;
    for (int last = frameCount - 1; last >= 1000; last /= 10) ++digits;
    char name[32];
    std::snprintf(name, sizeof name, "frame-%0*d.png", digits, index);
    return name;
}

std::vector<std::string> OlderFrames(const std::string& folder, int frameCount) {
    std::vector<std::string> older;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() < 11 || name.size() > 19 || name.compare(0, 6, "frame-") != 0 ||
            name.compare(name.size() - 4, 4, ".png") != 0)
            continue;
        int number = 0;
        bool digits = true;
        for (std::size_t i = 6; i + 4 < name.size(); ++i) {
            digits = digits && name[i] >= '0' && name[i] <= '9';
            number = number * 10 + (name[i] - '0');
        }
        if (!digits) continue;
        if (number >= frameCount || FrameName(number, frameCount) != name) older.push_back(name);
    }
    std::sort(older.begin(), older.end());
    return older;
}

}  // namespace mirtala
