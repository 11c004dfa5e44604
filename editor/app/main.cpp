// Entry point of mirtala: the batch commands of the command line, else the editor.
#include "editor/app/CliDump.h"
#include "editor/app/EditorMain.h"
#include "editor/app/cli_render.h"

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

namespace {

const char kHelp[] =
    "usage: mirtala --dump FILE.gen [--names NAMEFILE]\n"
    "       mirtala --render-pose OUT.png (--pose-string S | --genome FILE --pose N) [options]\n"
    "       mirtala --render-gait OUTDIR (--pose-strings S1,S2,... | --genome FILE --gait N)\n"
    "               [--frames K] [options]\n"
    "\n"
    "  --dump FILE.gen     write the genome as one JSON object: genes in file order\n"
    "                      (header bytes, data as lowercase hex), genus, appearance,\n"
    "                      decoded pose and gait genes and the reading warnings.\n"
    "                      Exit status 0 when read, 1 when the file cannot be opened\n"
    "                      or is not a genome, 2 on a usage error.\n"
    "  --names NAMEFILE    with --dump: give every pose and gait its display name\n"
    "                      from this name file.\n";
const char kHelpEnd[] = "  --help              show this text.\n";

bool Has(const std::vector<std::string>& args, const char* option) {
    return std::find(args.begin(), args.end(), option) != args.end();
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (Has(args, "--help") || Has(args, "-h")) {
        std::cout << kHelp << mirtala::kRenderHelp << kHelpEnd;
        return 0;
    }
    if (Has(args, "--dump")) return mirtala::RunDump(args, std::cout, std::cerr);
    if (Has(args, "--render-pose")) return mirtala::RunRenderPose(args, std::cout, std::cerr);
    if (Has(args, "--render-gait")) return mirtala::RunRenderGait(args, std::cout, std::cerr);
    return mirtala::RunEditor(argc, argv);
}
