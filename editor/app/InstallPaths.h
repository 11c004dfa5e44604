// Where the program's own files are: found from the executable's place, for
// the build tree (the folders the build writes) and for an installed tree
// (bin/, lib/mirtala/, share/mirtala/ under one prefix), so that the program
// works from any current folder and never writes under its prefix.
#pragma once

#include <string>

namespace mirtala {

struct InstallPaths {
    std::string program;       // the executable, absolute
    std::string programDir;    // its folder
    bool buildTree = false;    // the executable the build wrote, run where it was built
    bool installed = false;    // an installed tree: ../share/mirtala beside the program's folder
    std::string module;        // the picture control module that belongs to this program
    std::string registerTool;  // the register tool beside the program (mirtala-regsvr)
    std::string demoImages;    // the demo creature's folders, each ending with '/'
    std::string demoBodyData;
    std::string helpFile;         // the guide that belongs to this program (Mirtala.htm)
    std::string shippedNameFile;  // the names a first start begins from

    // "mirtala-regsvr MODULE", or the tool's full path when its folder is not on PATH.
    std::string RegisterCommand() const;
};

// The paths for an executable at `programPath` (need not exist).
InstallPaths FindInstallPaths(const std::string& programPath);
// The running executable (/proc/self/exe), or empty.
std::string RunningProgram();

}  // namespace mirtala
