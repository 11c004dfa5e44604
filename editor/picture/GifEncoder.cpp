// Animated GIF encoding: an exact palette wherever 256 colours suffice,
// giflib's quantizer where they do not.
#include "editor/picture/GifEncoder.h"

#include <gif_lib.h>

#include <memory>
#include <unordered_map>

namespace mirtala {

namespace {

constexpr int kMaxColours = 256;

int WriteToVector(GifFileType* file, const GifByteType* data, int length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(file->UserData);
    out->insert(out->end(), data, data + length);
    return length;
}

GifColorType ColourOf(std::uint32_t bgr) {
    return {GifByteType(bgr & 0xFF), GifByteType((bgr >> 8) & 0xFF), GifByteType((bgr >> 16) & 0xFF)};
}

// GIF palettes have a power of two entries, at least 2.
int PaletteSize(std::size_t colours) {
    int size = 2;
    while (std::size_t(size) < colours) size *= 2;
    return size;
}

// Colour to index, or false once more than 256 colours turn up.
bool CollectColours(const std::vector<std::uint32_t>& pixels, std::unordered_map<std::uint32_t, std::uint8_t>& index) {
    for (std::uint32_t p : pixels) {
        const std::uint32_t rgb = p & 0x00FFFFFFu;
        if (index.count(rgb)) continue;
        if (index.size() == kMaxColours) return false;
        index.emplace(rgb, std::uint8_t(index.size()));
    }
    return true;
}

struct MapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};
using MapPtr = std::unique_ptr<ColorMapObject, MapDeleter>;

MapPtr MakeMap(const std::unordered_map<std::uint32_t, std::uint8_t>& index) {
    std::vector<GifColorType> entries(std::size_t(PaletteSize(index.size())), GifColorType{0, 0, 0});
    for (const auto& [rgb, i] : index) entries[i] = ColourOf(rgb);
    return MapPtr(GifMakeMapObject(int(entries.size()), entries.data()));
}

// One frame as palette indices and its palette.
struct IndexedFrame {
    std::vector<GifPixelType> indices;
    MapPtr map;  // null: the global palette
};

bool Quantize(const std::vector<std::uint32_t>& pixels, int width, int height, IndexedFrame& out) {
    const std::size_t n = pixels.size();
    std::vector<GifByteType> r(n), g(n), b(n);
    for (std::size_t i = 0; i < n; ++i) {
        const GifColorType c = ColourOf(pixels[i]);
        r[i] = c.Red, g[i] = c.Green, b[i] = c.Blue;
    }
    std::vector<GifColorType> palette(kMaxColours);
    int size = kMaxColours;
    out.indices.resize(n);
    if (GifQuantizeBuffer(unsigned(width), unsigned(height), &size, r.data(), g.data(), b.data(), out.indices.data(),
                          palette.data()) != GIF_OK)
        return false;
    palette.resize(std::size_t(PaletteSize(std::size_t(size))), GifColorType{0, 0, 0});
    out.map.reset(GifMakeMapObject(int(palette.size()), palette.data()));
    return out.map != nullptr;
}

}  // namespace

bool EncodeGif(const std::vector<std::vector<std::uint32_t>>& frames, int width, int height, int delayCs,
               std::vector<std::uint8_t>& gif, std::string& error) {
    const auto fail = [&error](const std::string& why) {
        error = "the animation cannot be encoded as GIF: " + why;
        return false;
    };
    if (frames.empty() || width <= 0 || height <= 0 || width > 65535 || height > 65535)
        return fail("a GIF holds 1 to 65535 pixels a side and at least one frame");

    // Indices first, so that nothing of the file is begun for frames that cannot be encoded.
    std::unordered_map<std::uint32_t, std::uint8_t> global;
    bool shared = true;
    for (const auto& frame : frames) shared = shared && CollectColours(frame, global);
    std::vector<IndexedFrame> indexed(frames.size());
    for (std::size_t f = 0; f < frames.size(); ++f) {
        std::unordered_map<std::uint32_t, std::uint8_t> own;
        const std::unordered_map<std::uint32_t, std::uint8_t>* index = &global;
        if (!shared) {
            if (!CollectColours(frames[f], own)) {
                if (!Quantize(frames[f], width, height, indexed[f])) return fail("the colours cannot be reduced");
                continue;
            }
            indexed[f].map = MakeMap(own);
            if (!indexed[f].map) return fail("out of memory");
            index = &own;
        }
        indexed[f].indices.resize(frames[f].size());
        for (std::size_t i = 0; i < frames[f].size(); ++i)
            indexed[f].indices[i] = index->at(frames[f][i] & 0x00FFFFFFu);
    }
    MapPtr globalMap = shared ? MakeMap(global) : nullptr;
    if (shared && !globalMap) return fail("out of memory");

    gif.clear();
    int code = 0;
    GifFileType* file = EGifOpen(&gif, WriteToVector, &code);
    if (!file) return fail(GifErrorString(code) ? GifErrorString(code) : "giflib cannot start");
    EGifSetGifVersion(file, true);
    bool ok = EGifPutScreenDesc(file, width, height, 8, 0, globalMap.get()) == GIF_OK;
    // Loop for ever, as the picture does.
    static const GifByteType kLoopName[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    static const GifByteType kLoopForever[] = {1, 0, 0};
    ok = ok && EGifPutExtensionLeader(file, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
         EGifPutExtensionBlock(file, sizeof kLoopName, kLoopName) == GIF_OK &&
         EGifPutExtensionBlock(file, sizeof kLoopForever, kLoopForever) == GIF_OK &&
         EGifPutExtensionTrailer(file) == GIF_OK;
    for (std::size_t f = 0; ok && f < indexed.size(); ++f) {
        GraphicsControlBlock control{DISPOSE_DO_NOT, false, delayCs, NO_TRANSPARENT_COLOR};
        GifByteType extension[4];
        const std::size_t length = EGifGCBToExtension(&control, extension);
        ok = EGifPutExtension(file, GRAPHICS_EXT_FUNC_CODE, int(length), extension) == GIF_OK &&
             EGifPutImageDesc(file, 0, 0, width, height, false, indexed[f].map.get()) == GIF_OK;
        for (int y = 0; ok && y < height; ++y)
            ok = EGifPutLine(file, indexed[f].indices.data() + std::size_t(y) * std::size_t(width), width) == GIF_OK;
    }
    const int lastError = file->Error;
    if (EGifCloseFile(file, &code) != GIF_OK && ok) {
        ok = false;
    } else if (!ok) {
        code = lastError;
    }
    if (!ok) {
        gif.clear();
        const char* why = GifErrorString(code);
        return fail(why ? why : "giflib failed");
    }
    return true;
}

}  // namespace mirtala
