// Dispatching the batch commands, with the checks every one of them shares:
// usage errors, running out of memory, and output that could not be written.
#include "editor/app/BatchCommands.h"
#include "control/ZubrelleInterface.h"

#include "editor/app/CliCheck.h"
#include "editor/app/CliDump.h"
#include "editor/app/CliRender.h"
#include "editor/app/CommandLine.h"
#include "editor/app/InstallPaths.h"
#include "editor/app/SelfRegistration.h"
#include "editor/picture/ZubrelleHost.h"
#include "platform/com/ServerRegistration.h"

#include <QtGlobal>

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <ostream>

namespace mirtala {

namespace {

const char kHelp[] =
    "usage: mirtala [FILE.gen ...] [--screenshot OUT.png]   (the editor)\n"
    "       mirtala --dump FILE.gen [--names NAMEFILE]\n"
    "       mirtala --check FILE.gen [--names NAMEFILE] [--json]\n"
    "       mirtala --render-pose OUT.png (--pose-string S | --genome FILE --pose N) [options]\n"
    "       mirtala --render-gait OUTDIR (--pose-strings S1,S2,... | --genome FILE --gait N)\n"
    "               [--frames K] [options]\n"
    "       mirtala --render-gait OUT.gif (--pose-strings S1,S2,... | --genome FILE --gait N) [options]\n"
    "       mirtala --sheet OUT.png (--pose-strings S1,S2,... | --genome FILE --gait N)\n"
    "               [--columns C] [options]\n"
    "       mirtala --pose-sheet OUT.png --genome FILE.gen [--appearance ...] [--stages 0-6] [--scale S]\n"
    "       mirtala --version | --help\n"
    "\n"
    "  FILE.gen            the editor opens these genome files (none: a new, empty\n"
    "                      genome); a second start hands them to the running editor.\n"
    "                      The toolkit's own options (-platform NAME, -style NAME,\n"
    "                      -reverse, ...) go to the editor; any other single-dash\n"
    "                      option is a usage error.\n"
    "  --screenshot OUT.png  the editor saves its main window, once shown, as a PNG\n"
    "                      file and ends.\n"
    "  --dump FILE.gen     write the genome as one JSON object: genes in file order\n"
    "                      (header bytes, data as lowercase hex), genus, appearance,\n"
    "                      decoded pose and gait genes and the reading warnings.\n"
    "                      Pose strings and names are Windows-1252 bytes, shown in\n"
    "                      UTF-8. Exit status 0 when read, 1 when the file cannot be\n"
    "                      opened or is not a genome, 2 on a usage error.\n"
    "  --names NAMEFILE    with --dump: give every pose and gait its display name\n"
    "                      from this name file; with --check, report pose and gait\n"
    "                      numbers that have no name in it.\n"
    "  --check FILE.gen    list what would break the genome's poses and gaits, one\n"
    "                      line a finding: gait steps naming a pose with no gene\n"
    "                      active at some life stage, variants with one switch-on\n"
    "                      time, short pose and gait genes, genes that cannot be\n"
    "                      saved as they stand; poses no gait uses as information.\n"
    "                      --json writes one JSON object instead. Exit status 0\n"
    "                      with nothing but information, 1 with problems or when\n"
    "                      the file cannot be read, 2 on a usage error.\n";
const char kHelpEnd[] =
    "  --images DIR        with a render: the host product's sprite folder for this\n"
    "                      run only (the stored folders are not changed).\n"
    "  --body-data DIR     with a render: the attachment folder for this run only.\n"
    "  --demo-creature     with a render: draw the demo creature that comes with\n"
    "                      mirtala instead of the host product's body files.\n"
    "  --version           show the versions of mirtala and of Qt.\n"
    "  --help, -h          show this text.\n"
    "\n"
    "An option's value may also follow it after '=' (--size=64x48). A first run registers\n"
    "the picture control installed with mirtala for the user when none is registered.\n"
    "Exit status 0 done, 1 a failure (message on standard error), 2 a usage error.\n";

// What the process was doing, for the message when memory runs out. The
// handler may not allocate, so the text is kept in a fixed buffer.
char g_doing[512];

[[noreturn]] void OutOfMemory() {
    static const char head[] = "mirtala: out of memory while running ";
    static const char tail[] = "; stopped without finishing.\n";
    [[maybe_unused]] ssize_t n = ::write(STDERR_FILENO, head, sizeof head - 1);
    n = ::write(STDERR_FILENO, g_doing, std::strlen(g_doing));
    n = ::write(STDERR_FILENO, tail, sizeof tail - 1);
    std::_Exit(1);
}

void NoteCommand(const CommandLine& line) {
    std::string text = line.command + " " + *line.Value(line.command);
    std::strncpy(g_doing, text.c_str(), sizeof g_doing - 1);
}

}  // namespace

void PrintUsage(std::ostream& out) { out << kHelp << kRenderHelp << kHelpEnd; }

std::optional<int> RunBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const CommandLine line = ParseCommandLine(args);
    if (!line.error.empty()) {
        err << "mirtala: " << line.error << "\nRun mirtala --help for the options.\n";
        return 2;
    }
    if (line.command.empty()) return std::nullopt;
    if (line.command == "--help") {
        PrintUsage(out);
        return out.flush() ? 0 : 1;
    }
    if (line.command == "--version") {
        out << "Mirtala 0.1\nQt " << qVersion() << "\n";
        return out.flush() ? 0 : 1;
    }
    if (line.command != "--dump") {
        // The control this program came with registers itself when nothing is registered.
        const InstallPaths paths = FindInstallPaths(RunningProgram());
        com::SetRegisterCommand(paths.RegisterCommand());
        const SelfRegistration registration = RegisterControlIfNeeded(paths, zubrelle::CLSID_Zubrelle);
        if (!registration.message.empty()) err << "mirtala: " << registration.message << "\n";
    }
    NoteCommand(line);
    std::new_handler previous = std::set_new_handler(OutOfMemory);
    int status = line.command == "--dump"          ? RunDump(line, out, err)
                 : line.command == "--check"       ? RunCheck(line, out, err)
                 : line.command == "--render-pose" ? RunRenderPose(line, out, err)
                 : line.command == "--pose-sheet"  ? RunPoseSheet(line, out, err)
                                                   : RunRenderGait(line, out, err);  // --render-gait, --sheet
    std::set_new_handler(previous);
    if (!out.flush()) {
        err << "mirtala: standard output cannot be written; what " << line.command << " wrote there is lost.\n";
        status = 1;
    }
    return status;
}

}  // namespace mirtala
