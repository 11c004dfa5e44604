// `mirtala --render-pose` and `mirtala --render-gait`: paints of the picture
// control, created by class identifier like the dialogs create it, written as
// PNG files without a display.
#pragma once

#include <iosfwd>

namespace mirtala {

struct CommandLine;

// Exit status: 0 written, 1 a failure (control, body files, genome, pose or file), 2 an unusable value.
int RunRenderPose(const CommandLine& line, std::ostream& out, std::ostream& err);
int RunRenderGait(const CommandLine& line, std::ostream& out, std::ostream& err);

// The --help text of both commands.
extern const char kRenderHelp[];

}  // namespace mirtala
