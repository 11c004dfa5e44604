// The pose sheet without widgets: one row per pose number of a genome, one
// column per life stage, each cell the variant FindActivePose shows there;
// its layout at a thumbnail size, the painter that draws cells through the
// picture control (one control per stage, each at that stage's age), and the
// export of the whole sheet as one PNG. The sheet window and the command line
// both go through it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "editor/document/Appearance.h"
#include "editor/genome/PoseGenes.h"
#include "editor/picture/ZubrelleHost.h"

namespace mirtala {

inline constexpr int kFirstLifeStage = 0;
inline constexpr int kLastLifeStage = 6;

struct PoseSheetCell {
    GeneRef gene;             // empty: no variant shows at this stage
    bool sameAsLeft = false;  // the same gene as the cell before it: drawn lighter
};

struct PoseSheetRow {
    int poseNumber = 0;
    std::vector<PoseSheetCell> cells;  // one per stage, first to last
};

struct PoseSheetModel {
    int firstStage = kFirstLifeStage;
    int lastStage = kLastLifeStage;
    std::vector<PoseSheetRow> rows;  // in rising pose number

    int StageCount() const { return lastStage - firstStage + 1; }
    // The row of a pose number; -1 when the genome has none.
    int RowOf(int poseNumber) const;
};

// Every pose number present in the genome (stages clamped to 0 to 6), each
// cell the variant FindActivePose picks there.
PoseSheetModel BuildPoseSheet(const Genome& genome, int firstStage = kFirstLifeStage, int lastStage = kLastLifeStage);

// The size of a cell and the control's scale in it. The picture's 320 x 240
// at the control's scale 1 is the reference, so a cell is that picture at the
// sheet's scale.
struct PoseSheetLayout {
    int cellWidth = 160;
    int cellHeight = 120;
    float scale = 0.5f;
    int gap = 2;  // grid lines between cells in the export

    static PoseSheetLayout ForScale(float scale);
    // Thumbnail size 1, 2 or 3 (small, medium, large): 0.5 times that.
    static PoseSheetLayout ForSizeFactor(int factor) { return ForScale(0.5f * float(factor)); }
};

// A cell drawn lighter: two thirds of the way to white, channel by channel,
// rounded ((c + 511) / 3, the division as a multiply exact below 98304).
constexpr std::uint32_t LighterPixel(std::uint32_t pixel) {
    const auto channel = [](std::uint32_t c) { return ((c + 511u) * 43691u) >> 17; };
    return channel(pixel & 0xFFu) | channel((pixel >> 8) & 0xFFu) << 8 | channel((pixel >> 16) & 0xFFu) << 16;
}
// LighterPixel over `count` pixels, four at a time where the processor allows:
// it runs on most pixels of a sheet.
void LightenPixels(std::uint32_t* pixels, std::size_t count);

// Paints cells: one control per stage, created by class identifier and given
// the appearance with that stage as the age, so that a cell costs one paint.
class PoseSheetPainter {
public:
    PoseSheetPainter(const Appearance& appearance, const PoseSheetLayout& layout, int firstStage = kFirstLifeStage,
                     int lastStage = kLastLifeStage);
    ~PoseSheetPainter();
    PoseSheetPainter(const PoseSheetPainter&) = delete;
    PoseSheetPainter& operator=(const PoseSheetPainter&) = delete;

    // Creates the controls; false with Error() saying why.
    bool Start();
    const std::string& Error() const { return m_error; }
    // Why the body does not load, once: the stages where it does not and the
    // first of them's reason; empty when it loads at every stage.
    std::string LoadError() const;
    bool BodyLoads(int stage) const;
    ZubrelleHost* HostFor(int stage);

    // The cell's picture into the cell's width x height of 0x00BBGGRR pixels,
    // `stride` pixels a row (0: the cell's width), so a cell can be painted in
    // place in a larger picture: the control's own drawing of the pose at the
    // stage, lighter when asked; white with a dash for an empty cell or a stage
    // whose body does not load.
    void PaintCell(const PoseSheetCell& cell, int stage, std::uint32_t* pixels, int stride = 0);
    const PoseSheetLayout& Layout() const { return m_layout; }
    int Paints() const { return m_paints; }

private:
    struct Stage;
    Appearance m_appearance;
    PoseSheetLayout m_layout;
    int m_firstStage, m_lastStage;
    std::vector<std::unique_ptr<Stage>> m_stages;
    std::string m_error;
    int m_paints = 0;
};

// White with a short grey dash across the middle: the mark of an empty cell.
void PaintEmptyCell(std::uint32_t* pixels, int width, int height, int stride = 0);

// The size of the sheet's picture; false (with the reason) when it is larger
// than a PNG picture can be made here.
bool PoseSheetSize(const PoseSheetModel& model, const PoseSheetLayout& layout, int& sheetWidth, int& sheetHeight,
                   std::string& error);

// The whole sheet as one picture: cells in a grid, `layout.gap` grey pixels
// between them; `sheetWidth`/`sheetHeight` get its size. False when too large.
bool PaintPoseSheet(const PoseSheetModel& model, PoseSheetPainter& painter, std::vector<std::uint32_t>& pixels,
                    int& sheetWidth, int& sheetHeight, std::string& error);
// The top-left corner of a cell in that picture.
void PoseSheetCellOrigin(const PoseSheetLayout& layout, int row, int column, int& x, int& y);

// Paints and writes the sheet as one PNG, replacing `path` only once whole,
// and only when it is not there, empty or a PNG picture already. False with
// the reason in `error` (another kind of file in the way, no control, no body
// at any stage, too large, writing).
bool ExportPoseSheet(const PoseSheetModel& model, const Appearance& appearance, const PoseSheetLayout& layout,
                     const std::string& path, std::string& error);

}  // namespace mirtala
