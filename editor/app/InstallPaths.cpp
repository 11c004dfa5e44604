// The two layouts the program runs from. The build tree's folders are fixed
// when the program is built; an installed tree's follow from the executable.
#include "editor/app/InstallPaths.h"

#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace mirtala {

namespace fs = std::filesystem;

namespace {

bool SameFolder(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec) && !ec;
}

bool OnPath(const fs::path& folder) {
    const char* path = std::getenv("PATH");
    if (!path) return false;
    std::string_view rest(path);
    while (!rest.empty()) {
        const std::size_t colon = rest.find(':');
        const std::string_view entry = rest.substr(0, colon);
        if (!entry.empty() && SameFolder(fs::path(entry), folder)) return true;
        if (colon == std::string_view::npos) break;
        rest.remove_prefix(colon + 1);
    }
    return false;
}

}  // namespace

std::string InstallPaths::RegisterCommand() const {
    const fs::path tool(registerTool);
    const std::string name = OnPath(tool.parent_path()) ? tool.filename().string() : registerTool;
    return name + " " + module;
}

InstallPaths FindInstallPaths(const std::string& programPath) {
    InstallPaths p;
    std::error_code ec;
    const fs::path program = fs::absolute(programPath, ec).lexically_normal();
    p.program = program.string();
    p.programDir = program.parent_path().string();
#ifdef MIRTALA_BUILD_PROGRAM_DIR
    p.buildTree = SameFolder(program.parent_path(), MIRTALA_BUILD_PROGRAM_DIR);
#endif
    if (p.buildTree) {
#ifdef MIRTALA_BUILD_PROGRAM_DIR
        p.module = MIRTALA_BUILD_MODULE;
        p.registerTool = MIRTALA_BUILD_REGISTER_TOOL;
        p.demoImages = MIRTALA_BUILD_DEMO_IMAGES;
        p.demoBodyData = MIRTALA_BUILD_DEMO_BODY_DATA;
        p.helpFile = MIRTALA_SOURCE_HELP_FILE;
        p.shippedNameFile = MIRTALA_SOURCE_NAME_FILE;
#endif
        return p;
    }
    const fs::path prefix = program.parent_path().parent_path();
    const fs::path share = prefix / "share" / "mirtala";
    p.installed = fs::is_directory(share, ec);
    p.module = (prefix / "lib" / "mirtala" / "Zubrelle.so").string();
    p.registerTool = (program.parent_path() / "mirtala-regsvr").string();
    p.demoImages = (share / "demo-creature" / "Images").string() + "/";
    p.demoBodyData = (share / "demo-creature" / "Body Data").string() + "/";
    p.helpFile = (share / "Help" / "Mirtala.htm").string();
    p.shippedNameFile = (share / "posegait.txt").string();
    return p;
}

std::string RunningProgram() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : self.string();
}

}  // namespace mirtala
