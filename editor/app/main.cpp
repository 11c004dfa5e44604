// Entry point of mirtala: the batch commands of the command line, else the editor.
#include "editor/app/BatchCommands.h"
#include "editor/app/EditorMain.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (std::optional<int> status = mirtala::RunBatch(args, std::cout, std::cerr)) return *status;
    return mirtala::RunEditor(argc, argv);
}
