// Building the pose sheet from a genome, painting its cells through the
// picture control and writing it as one PNG.
#include "editor/picture/PoseSheet.h"

#include "editor/picture/PngOutput.h"
#include "platform/fileio/OutputCheck.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace mirtala {

namespace {
constexpr std::uint32_t kGridColour = 0x00C0C0C0u;
constexpr std::uint32_t kDashColour = 0x00909090u;
constexpr std::uint32_t kWhite = 0x00FFFFFFu;
// Pixels of one sheet held at once (4 bytes each); above this it is refused.
constexpr std::uint64_t kMaxSheetPixels = std::uint64_t(1) << 28;
}  // namespace

void LightenPixels(std::uint32_t* pixels, std::size_t count) {
    static constexpr auto kLighter = [] {
        std::array<std::uint32_t, 256> table{};
        for (std::uint32_t c = 0; c < 256; ++c) table[c] = LighterPixel(c) & 0xFFu;
        return table;
    }();
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t p = pixels[i];
        pixels[i] = kLighter[p & 0xFFu] | kLighter[(p >> 8) & 0xFFu] << 8 | kLighter[(p >> 16) & 0xFFu] << 16;
    }
}

int PoseSheetModel::RowOf(int poseNumber) const {
    const auto it = std::lower_bound(rows.begin(), rows.end(), poseNumber,
                                     [](const PoseSheetRow& r, int n) { return r.poseNumber < n; });
    return it != rows.end() && it->poseNumber == poseNumber ? int(it - rows.begin()) : -1;
}

PoseSheetRow BuildPoseSheetRow(const Genome& genome, int poseNumber, int firstStage, int lastStage) {
    PoseSheetRow row;
    row.poseNumber = poseNumber;
    for (int stage = firstStage; stage <= lastStage; ++stage) {
        PoseSheetCell cell;
        cell.gene = FindActivePose(genome, poseNumber, stage);
        cell.sameAsLeft = cell.gene && !row.cells.empty() && row.cells.back().gene == cell.gene;
        row.cells.push_back(std::move(cell));
    }
    return row;
}

PoseSheetModel BuildPoseSheet(const Genome& genome, int firstStage, int lastStage) {
    PoseSheetModel model;
    model.firstStage = std::clamp(firstStage, kFirstLifeStage, kLastLifeStage);
    model.lastStage = std::clamp(lastStage, model.firstStage, kLastLifeStage);
    const std::bitset<256> used = UsedNumbers(genome, kPoseSubtype);
    for (int n = 0; n < 256; ++n)
        if (used[std::size_t(n)]) model.rows.push_back(BuildPoseSheetRow(genome, n, model.firstStage, model.lastStage));
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

bool PaintPoseSheet(const PoseSheetModel& model, PoseSheetPainter& painter, std::vector<std::uint32_t>& pixels,
                    int& sheetWidth, int& sheetHeight, std::string& error) {
    const PoseSheetLayout& l = painter.Layout();
    if (!PoseSheetSize(model, l, sheetWidth, sheetHeight, error)) return false;
    pixels.assign(std::size_t(sheetWidth) * std::size_t(sheetHeight), kGridColour);
    // Column by column: a stage's cells one after another through its control.
    for (int c = 0; c < model.StageCount(); ++c)
        for (std::size_t r = 0; r < model.rows.size(); ++r) {
            int x = 0, y = 0;
            PoseSheetCellOrigin(l, int(r), c, x, y);
            painter.PaintCell(model.rows[r].cells[std::size_t(c)], model.firstStage + c,
                              pixels.data() + std::ptrdiff_t(y) * sheetWidth + x, sheetWidth);
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
