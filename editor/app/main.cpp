// Entry point of mirtala: the batch commands of the command line, else the editor.
#include "editor/app/BatchCommands.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

int EditorNotBuiltYet() {
    std::cerr << "mirtala: this build has the batch commands only; the editor window is not built yet.\n\n";
    mirtala::PrintUsage(std::cerr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (std::optional<int> status = mirtala::RunBatch(args, std::cout, std::cerr)) return *status;
    return EditorNotBuiltYet();
}
