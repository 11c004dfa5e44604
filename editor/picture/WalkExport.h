// Exporting a gait's animation: one full cycle of the picture control's
// frames, painted off screen exactly as the control draws them, written as
// numbered PNG frames, one PNG sprite sheet or an animated GIF. The gait
// dialog's Export and the command line both go through it. It works a frame
// at a time so that a caller can show progress and stop; nothing is written
// before Finish, and every file is written whole or not at all.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/document/Appearance.h"
#include "editor/picture/ZubrelleHost.h"

namespace mirtala {

enum class WalkFormat { Frames, Sheet, Gif };

// What the picture shows: as the control's properties take it.
struct WalkSettings {
    std::vector<std::string> poses;  // one to eight pose strings
    Appearance appearance;
    int width = 320, height = 240;  // the picture, in pixels
    float scale = 1.0f;
    double angle = 0.0;
    bool friction = true;
    // Folders to draw from instead of the host product's, when not empty.
    std::string imagesDirectory, bodyDataDirectory;
};

struct WalkOutput {
    WalkFormat format = WalkFormat::Gif;
    std::string path;  // the folder of the frames, or the file
    int columns = 0;   // of a sheet; 0 puts every frame in one row
};

// The control's tick: a GIF shows each frame this long, as the picture does.
inline constexpr int kFrameDelayCs = 10;

class WalkExport {
public:
    enum class Failure { None, NoControl, NoBody, TooLarge, Encoding, Writing, Cancelled };

    WalkExport(WalkSettings settings, WalkOutput output);
    ~WalkExport();
    WalkExport(const WalkExport&) = delete;
    WalkExport& operator=(const WalkExport&) = delete;

    // Creates the control, gives it the settings and learns how many frames
    // one cycle has. False with Error() saying why.
    bool Start();
    int FrameCount() const { return m_frameCount; }
    int FramesDone() const { return int(m_frames.size()); }
    // Paints the next frame (and encodes it, for frame files); false once all
    // are painted (or on a failure).
    bool PaintNext();
    // Encodes and writes what was painted. False with Error() saying why;
    // then no file of this export is changed, except frame files written
    // whole before the one that failed.
    bool Finish();

    // Paints every frame, telling `progress` (frames done, frame count) after
    // each; when it answers false the export stops as Cancelled and nothing is
    // written. Then Finish. Start must have succeeded.
    using Progress = std::function<bool(int done, int total)>;
    bool Run(const Progress& progress);

    const std::vector<std::vector<std::uint32_t>>& Frames() const { return m_frames; }
    // The files written, in order.
    const std::vector<std::string>& Written() const { return m_written; }
    // The size of a sheet of `count` frames in `columns` columns (0: one row).
    static void SheetSize(int count, int columns, int width, int height, int& sheetWidth, int& sheetHeight);

    Failure FailureKind() const { return m_failure; }
    const std::string& Error() const { return m_error; }
    ZubrelleHost& Host() { return *m_host; }

private:
    bool Fail(Failure kind, std::string error);
    bool WriteFrames();
    bool WriteSheet();
    bool WriteGif();

    WalkSettings m_settings;
    WalkOutput m_output;
    std::unique_ptr<OffscreenWindow> m_window;
    std::unique_ptr<ZubrelleHost> m_host;
    int m_frameCount = 0;
    std::vector<std::vector<std::uint32_t>> m_frames;
    std::vector<std::vector<std::uint8_t>> m_encoded;  // the frame files' PNG bytes
    std::vector<std::string> m_written;
    Failure m_failure = Failure::None;
    std::string m_error;
};

}  // namespace mirtala
