// Building the pose sheet from a genome, painting its cells through the
// picture control and writing it as one PNG.
#include "editor/picture/PoseSheet.h"

#include "editor/picture/PngOutput.h"
#include "platform/fileio/OutputCheck.h"

#include <algorithm>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace mirtala {

namespace {
constexpr std::uint32_t kGridColour = 0x00C0C0C0u;
constexpr std::uint32_t kDashColour = 0x00909090u;
constexpr std::uint32_t kWhite = 0x00FFFFFFu;
// Pixels of one sheet held at once (4 bytes each); above this it is refused.
constexpr std::uint64_t kMaxSheetPixels = std::uint64_t(1) << 28;
}  // namespace

void LightenPixels(std::uint32_t* pixels, std::size_t count) {
    std::size_t i = 0;
#if defined(__SSE2__)
    // Four pixels at a time in 16-bit lanes: (c + 511) / 3 is 170 + (c + 1) / 3,
    // and (c + 1) / 3 is the high half of (c + 1) * 21846 for c + 1 up to 256.
    const __m128i zero = _mm_setzero_si128(), one = _mm_set1_epi16(1), third = _mm_set1_epi16(21846),
                  base = _mm_set1_epi16(170), white = _mm_set1_epi32(0x00FFFFFF);
    const auto lighter = [&](__m128i c) { return _mm_add_epi16(_mm_mulhi_epu16(_mm_add_epi16(c, one), third), base); };
    // White stays white, and most of a cell is its white background.
    for (; i + 4 <= count; i += 4) {
        auto* at = reinterpret_cast<__m128i*>(pixels + i);
        const __m128i p = _mm_loadu_si128(at);
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(p, white)) == 0xFFFF) continue;
        const __m128i out = _mm_packus_epi16(lighter(_mm_unpacklo_epi8(p, zero)), lighter(_mm_unpackhi_epi8(p, zero)));
        _mm_storeu_si128(at, _mm_and_si128(out, white));  // no top byte
    }
#endif
    for (; i < count; ++i) pixels[i] = LighterPixel(pixels[i]);
}

int PoseSheetModel::RowOf(int poseNumber) const {
    const auto it = std::lower_bound(rows.begin(), rows.end(), poseNumber,
                                     [](const PoseSheetRow& r, int n) { return r.poseNumber < n; });
    return it != rows.end() && it->poseNumber == poseNumber ? int(it - rows.begin()) : -1;
}

PoseSheetModel BuildPoseSheet(const Genome& genome, int firstStage, int lastStage) {
    PoseSheetModel model;
    model.firstStage = std::clamp(firstStage, kFirstLifeStage, kLastLifeStage);
    model.lastStage = std::clamp(lastStage, model.firstStage, kLastLifeStage);
    const std::size_t stages = std::size_t(model.StageCount());
    // One pass over the genome: each pose gene is offered to its number's pickers, one per stage.
    std::vector<ActivePosePicker> pickers;
    pickers.reserve(256 * stages);
    for (int n = 0; n < 256; ++n)
        for (std::size_t s = 0; s < stages; ++s) pickers.emplace_back(model.firstStage + int(s));
    std::bitset<256> used;
    for (GeneCursor cur(genome, 0, kCreatureGeneType, kPoseSubtype); !cur.AtEnd(); cur.Advance()) {
        if (cur->data.empty()) continue;
        const std::size_t n = cur->data[0];
        used.set(n);
        for (std::size_t s = 0; s < stages; ++s) pickers[n * stages + s].Offer(cur.Ref());
    }
    for (std::size_t n = 0; n < 256; ++n) {
        if (!used[n]) continue;
        PoseSheetRow& row = model.rows.emplace_back();
        row.poseNumber = int(n);
        for (std::size_t s = 0; s < stages; ++s) {
            PoseSheetCell cell;
            cell.gene = pickers[n * stages + s].Result();
            cell.sameAsLeft = cell.gene && s > 0 && row.cells.back().gene == cell.gene;
            row.cells.push_back(std::move(cell));
        }
    }
    return model;
}

PoseSheetLayout PoseSheetLayout::ForScale(float scale) {
    PoseSheetLayout layout;
    layout.scale = scale;
    layout.cellWidth = std::max(1, int(std::lround(320.0 * double(scale))));
    layout.cellHeight = std::max(1, int(std::lround(240.0 * double(scale))));
    return layout;
}

void PaintEmptyCell(std::uint32_t* pixels, int width, int height, int stride) {
    if (stride <= 0) stride = width;
    for (int y = 0; y < height; ++y) std::fill_n(pixels + std::ptrdiff_t(y) * stride, width, kWhite);
    const int dashWidth = std::max(1, width / 8), dashHeight = std::max(1, height / 40);
    const int left = (width - dashWidth) / 2, top = (height - dashHeight) / 2;
    for (int y = top; y < top + dashHeight; ++y)
        std::fill_n(pixels + std::ptrdiff_t(y) * stride + left, dashWidth, kDashColour);
}

struct PoseSheetPainter::Stage {
    OffscreenWindow window;
    ZubrelleHost host;
    std::string loadError;
    Stage(int width, int height) : window(width, height), host(window) {}
};

PoseSheetPainter::PoseSheetPainter(const Appearance& appearance, const PoseSheetLayout& layout, int firstStage,
                                   int lastStage)
    : m_appearance(appearance), m_layout(layout), m_firstStage(firstStage), m_lastStage(lastStage) {}

PoseSheetPainter::~PoseSheetPainter() = default;

bool PoseSheetPainter::Start() {
    m_stages.clear();
    for (int stage = m_firstStage; stage <= m_lastStage; ++stage) {
        auto s = std::make_unique<Stage>(m_layout.cellWidth, m_layout.cellHeight);
        if (!s->host.Create()) {
            m_error = s->host.ErrorText();
            m_stages.clear();
            return false;
        }
        Appearance a = m_appearance;
        a.age = stage;
        s->host.SetAppearance(a);
        s->loadError = s->host.GetLoadError();
        s->host.SetScale(m_layout.scale);
        s->host.SetPoseCount(1);
        m_stages.push_back(std::move(s));
    }
    m_error.clear();
    return true;
}

ZubrelleHost* PoseSheetPainter::HostFor(int stage) {
    if (stage < m_firstStage || stage > m_lastStage || m_stages.empty()) return nullptr;
    return &m_stages[std::size_t(stage - m_firstStage)]->host;
}

bool PoseSheetPainter::BodyLoads(int stage) const {
    return stage >= m_firstStage && stage <= m_lastStage && !m_stages.empty() &&
           m_stages[std::size_t(stage - m_firstStage)]->loadError.empty();
}

std::string PoseSheetPainter::LoadError() const {
    // The reasons differ only in the stage's file names: the first says what
    // is missing, the list says where.
    std::string stages, first;
    for (int stage = m_firstStage; stage <= m_lastStage && !m_stages.empty(); ++stage) {
        const std::string& why = m_stages[std::size_t(stage - m_firstStage)]->loadError;
        if (why.empty()) continue;
        if (first.empty()) first = why;
        stages += (stages.empty() ? "" : ", ") + std::string(LifeStageName(stage));
    }
    return first.empty() ? std::string() : "The body does not load at " + stages + ": " + first;
}

void PoseSheetPainter::PaintCell(const PoseSheetCell& cell, int stage, std::uint32_t* pixels, int stride) {
    const int w = m_layout.cellWidth, h = m_layout.cellHeight;
    if (stride <= 0) stride = w;
    ZubrelleHost* host = HostFor(stage);
    if (!cell.gene || !host || !BodyLoads(stage)) return PaintEmptyCell(pixels, w, h, stride);
    host->SetPoseString(0, PoseStringOf(*cell.gene));
    // The control covers the whole target with its picture.
    host->Paint(pixels, w, h, stride);
    ++m_paints;
    if (cell.sameAsLeft)
        for (int y = 0; y < h; ++y) LightenPixels(pixels + std::ptrdiff_t(y) * stride, std::size_t(w));
}

void PoseSheetCellOrigin(const PoseSheetLayout& layout, int row, int column, int& x, int& y) {
    x = layout.gap + column * (layout.cellWidth + layout.gap);
    y = layout.gap + row * (layout.cellHeight + layout.gap);
}

bool PoseSheetSize(const PoseSheetModel& model, const PoseSheetLayout& l, int& sheetWidth, int& sheetHeight,
                   std::string& error) {
    const int rows = std::max<int>(1, int(model.rows.size()));
    const std::uint64_t w =
        std::uint64_t(model.StageCount()) * std::uint64_t(l.cellWidth + l.gap) + std::uint64_t(l.gap);
    const std::uint64_t h = std::uint64_t(rows) * std::uint64_t(l.cellHeight + l.gap) + std::uint64_t(l.gap);
    if (w > 32767 || h > 32767 || w * h > kMaxSheetPixels) {
        error = "a sheet of " + std::to_string(w) + " x " + std::to_string(h) +
                " pixels is larger than a PNG picture can be made here; choose a smaller scale or fewer stages";
        return false;
    }
    sheetWidth = int(w);
    sheetHeight = int(h);
    return true;
}

namespace {
// Copies pixels into memory not read again soon: where the processor allows,
// past the caches, so that the copy writes memory without reading it first.
void StreamPixels(std::uint32_t* to, const std::uint32_t* from, std::size_t count) {
#if defined(__SSE2__)
    for (; count > 0 && (reinterpret_cast<std::uintptr_t>(to) & 15u) != 0; --count) *to++ = *from++;
    for (; count >= 4; count -= 4, to += 4, from += 4)
        _mm_stream_si128(reinterpret_cast<__m128i*>(to), _mm_loadu_si128(reinterpret_cast<const __m128i*>(from)));
    _mm_sfence();
#endif
    std::copy_n(from, count, to);
}
}  // namespace

bool PaintPoseSheet(const PoseSheetModel& model, PoseSheetPainter& painter, std::vector<std::uint32_t>& pixels,
                    int& sheetWidth, int& sheetHeight, std::string& error) {
    const PoseSheetLayout& l = painter.Layout();
    if (!PoseSheetSize(model, l, sheetWidth, sheetHeight, error)) return false;
    // A picture of the sheet's size already (the last drawing) is drawn over in place.
    pixels.resize(std::size_t(sheetWidth) * std::size_t(sheetHeight));
    std::fill(pixels.end() - std::ptrdiff_t(l.gap) * sheetWidth, pixels.end(), kGridColour);
    if (model.rows.empty()) std::fill(pixels.begin(), pixels.end(), kGridColour);
    // Row by row: the cells are painted into a strip laid out as the sheet's
    // lines of that row (the grid line above it included), small enough to stay
    // in the caches, and the strip is copied into the sheet at once.
    const std::size_t pitch = std::size_t(l.cellHeight + l.gap) * std::size_t(sheetWidth);
    std::vector<std::uint32_t> strip(pitch, kGridColour);
    for (std::size_t r = 0; r < model.rows.size(); ++r) {
        for (int c = 0; c < model.StageCount(); ++c) {
            int x = 0, y = 0;
            PoseSheetCellOrigin(l, 0, c, x, y);
            painter.PaintCell(model.rows[r].cells[std::size_t(c)], model.firstStage + c,
                              strip.data() + std::ptrdiff_t(y) * sheetWidth + x, sheetWidth);
        }
        StreamPixels(pixels.data() + r * pitch, strip.data(), pitch);
    }
    return true;
}

bool ExportPoseSheet(const PoseSheetModel& model, const Appearance& appearance, const PoseSheetLayout& layout,
                     const std::string& path, std::string& error) {
    // Another kind of file at the path (a genome, say) is never turned into a picture.
    if (std::string refusal = fileio::PictureOutputRefusal(path, fileio::PictureKind::Png); !refusal.empty()) {
        if (refusal.back() == '.') refusal.pop_back();
        error = std::move(refusal);
        return false;
    }
    PoseSheetPainter painter(appearance, layout, model.firstStage, model.lastStage);
    if (!painter.Start()) {
        error = painter.Error();
        return false;
    }
    // A sheet of empty cells says nothing: refuse it with the reason.
    bool anyBody = false;
    for (int stage = model.firstStage; stage <= model.lastStage; ++stage) anyBody = anyBody || painter.BodyLoads(stage);
    if (!anyBody) {
        error = painter.LoadError();
        return false;
    }
    std::vector<std::uint32_t> pixels;
    int w = 0, h = 0;
    if (!PaintPoseSheet(model, painter, pixels, w, h, error)) return false;
    return WritePng(pixels, w, h, path, error);
}

}  // namespace mirtala
