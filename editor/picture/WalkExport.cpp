// Painting one cycle of a gait off screen and writing it in the chosen format.
#include "editor/picture/WalkExport.h"

#include "editor/picture/GifEncoder.h"
#include "editor/picture/PngOutput.h"
#include "platform/fileio/AtomicFile.h"
#include "platform/fileio/Folders.h"

#include <algorithm>
#include <filesystem>

namespace mirtala {

namespace {
// Pixels held at once (4 bytes each): above this an export is refused rather
// than run out of memory.
constexpr std::uint64_t kMaxPixels = std::uint64_t(1) << 28;
}  // namespace

WalkExport::WalkExport(WalkSettings settings, WalkOutput output)
    : m_settings(std::move(settings)),
      m_output(std::move(output)),
      m_window(std::make_unique<OffscreenWindow>(m_settings.width, m_settings.height)),
      m_host(std::make_unique<ZubrelleHost>(*m_window)) {}

WalkExport::~WalkExport() = default;

bool WalkExport::Fail(Failure kind, std::string error) {
    m_failure = kind;
    m_error = std::move(error);
    return false;
}

void WalkExport::SheetSize(int count, int columns, int width, int height, int& sheetWidth, int& sheetHeight) {
    const int across = columns <= 0 || columns > count ? count : columns;
    sheetWidth = across * width;
    sheetHeight = (count + across - 1) / across * height;
}

bool WalkExport::Start() {
    const WalkSettings& s = m_settings;
    if (s.poses.empty() || s.poses.size() > 8 || s.width <= 0 || s.height <= 0)
        return Fail(Failure::TooLarge, "an export takes one to eight poses and a picture of at least one pixel");
    if (!m_host->Create()) return Fail(Failure::NoControl, m_host->ErrorText());
    m_host->SetAppearance(s.appearance);
    if (!s.imagesDirectory.empty()) m_host->SetImagesDirectory(s.imagesDirectory);
    if (!s.bodyDataDirectory.empty()) m_host->SetBodyDataDirectory(s.bodyDataDirectory);
    // A body that did not load would give blank frames: say why instead.
    if (std::string why = m_host->GetLoadError(); !why.empty()) return Fail(Failure::NoBody, why);
    m_host->SetScale(s.scale);
    m_host->SetAngle(s.angle);
    m_host->SetFriction(s.friction);
    for (std::size_t i = 0; i < s.poses.size(); ++i) m_host->SetPoseString(std::int16_t(i), s.poses[i]);
    m_host->SetPoseCount(std::int16_t(s.poses.size()));
    m_frameCount = std::max(1, m_host->GetFrameCount());
    if (std::uint64_t(s.width) * std::uint64_t(s.height) * std::uint64_t(m_frameCount) > kMaxPixels)
        return Fail(Failure::TooLarge, "the export would take " + std::to_string(m_frameCount) + " frames of " +
                                           std::to_string(s.width) + " x " + std::to_string(s.height) +
                                           " pixels, more than can be held; choose a smaller size or scale");
    int sheetWidth = 0, sheetHeight = 0;
    SheetSize(m_frameCount, m_output.columns, s.width, s.height, sheetWidth, sheetHeight);
    if (m_output.format == WalkFormat::Sheet && (sheetWidth > 32767 || sheetHeight > 32767))
        return Fail(Failure::TooLarge, "a sheet of " + std::to_string(sheetWidth) + " x " +
                                           std::to_string(sheetHeight) +
                                           " pixels is larger than a PNG picture can be made here; use more "
                                           "columns or a smaller scale");
    m_frames.reserve(std::size_t(m_frameCount));
    return true;
}

bool WalkExport::PaintNext() {
    if (m_failure != Failure::None || FramesDone() >= m_frameCount) return false;
    // The first paint prepares the animation and shows frame 0; each next
    // paint is the next tick.
    std::vector<std::uint32_t>& pixels =
        m_frames.emplace_back(std::size_t(m_settings.width) * std::size_t(m_settings.height), 0u);
    m_host->Paint(pixels.data(), m_settings.width, m_settings.height, m_settings.width);
    // Frame files are encoded as they come, so that progress and Cancel cover the encoding.
    if (m_output.format == WalkFormat::Frames &&
        !EncodePng(pixels.data(), m_settings.width, m_settings.height, m_encoded.emplace_back()))
        return Fail(Failure::Encoding, "frame " + std::to_string(FramesDone() - 1) + " cannot be encoded as PNG");
    return true;
}

bool WalkExport::Run(const Progress& progress) {
    while (PaintNext())
        if (progress && !progress(FramesDone(), m_frameCount))
            return Fail(Failure::Cancelled, "the export was cancelled");
    return Finish();
}

bool WalkExport::Finish() {
    if (m_failure != Failure::None) return false;
    while (PaintNext()) {}
    switch (m_output.format) {
        case WalkFormat::Frames: return WriteFrames();
        case WalkFormat::Sheet: return WriteSheet();
        case WalkFormat::Gif: return WriteGif();
    }
    return false;
}

bool WalkExport::WriteFrames() {
    const std::filesystem::path folder(m_output.path);
    std::string reason;
    if (!fileio::MakeFolders(m_output.path, &reason))
        return Fail(Failure::Writing, m_output.path + " is not a folder that can be written (" + reason + ")");
    // All were encoded before the first file is written, so a failure to encode changes nothing.
    for (std::size_t k = 0; k < m_encoded.size(); ++k) {
        const std::string path = (folder / FrameName(int(k), m_frameCount)).string();
        std::string error;
        if (!fileio::WriteFileAtomically(path, m_encoded[k], &error)) return Fail(Failure::Writing, error);
        m_written.push_back(path);
    }
    return true;
}

bool WalkExport::WriteSheet() {
    const int w = m_settings.width, h = m_settings.height;
    int sheetWidth = 0, sheetHeight = 0;
    SheetSize(m_frameCount, m_output.columns, w, h, sheetWidth, sheetHeight);
    const int across = sheetWidth / w;
    // Cells past the last frame stay white, like the picture's background.
    std::vector<std::uint32_t> sheet(std::size_t(sheetWidth) * std::size_t(sheetHeight), 0x00FFFFFFu);
    for (std::size_t k = 0; k < m_frames.size(); ++k) {
        const std::size_t left = std::size_t(int(k) % across) * std::size_t(w);
        const std::size_t top = std::size_t(int(k) / across) * std::size_t(h);
        for (int y = 0; y < h; ++y)
            std::copy_n(m_frames[k].begin() + std::ptrdiff_t(y) * w, w,
                        sheet.begin() + std::ptrdiff_t((top + std::size_t(y)) * std::size_t(sheetWidth) + left));
    }
    std::string error;
    if (!WritePng(sheet, sheetWidth, sheetHeight, m_output.path, error)) return Fail(Failure::Writing, error);
    m_written.push_back(m_output.path);
    return true;
}

bool WalkExport::WriteGif() {
    std::vector<std::uint8_t> gif;
    std::string error;
    if (!EncodeGif(m_frames, m_settings.width, m_settings.height, kFrameDelayCs, gif, error))
        return Fail(Failure::Encoding, error);
    if (!fileio::WriteFileAtomically(m_output.path, gif, &error)) return Fail(Failure::Writing, error);
    m_written.push_back(m_output.path);
    return true;
}

}  // namespace mirtala
