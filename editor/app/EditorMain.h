// Runs the editor: the application, its main window and its event loop.
#pragma once

namespace mirtala {

// `argv` may name genome files to open; Qt's own options are taken out first.
// With --screenshot FILE the editor saves a picture of its main window to FILE
// once it has opened, and ends.
int RunEditor(int argc, char** argv);

}  // namespace mirtala
