// `mirtala --render-pose`, `--render-gait` and `--sheet`: paints of the
// picture control, created by class identifier like the dialogs create it,
// written as PNG or GIF files without a display.
#pragma once

#include <iosfwd>

namespace mirtala {

struct CommandLine;

// Exit status: 0 written, 1 a failure (control, body files, genome, pose or file), 2 an unusable value.
int RunRenderPose(const CommandLine& line, std::ostream& out, std::ostream& err);
// --render-gait OUTDIR, or OUT.gif; --sheet OUT.png.
int RunRenderGait(const CommandLine& line, std::ostream& out, std::ostream& err);

// --pose-sheet OUT.png --genome FILE: every pose number's variants at each life stage, one PNG.
int RunPoseSheet(const CommandLine& line, std::ostream& out, std::ostream& err);

// The --help text of the three commands.
extern const char kRenderHelp[];

}  // namespace mirtala
