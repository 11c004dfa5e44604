// Batch rendering through the picture control: resolving poses and gaits from
// a genome, painting, and writing each paint as a PNG file, or one cycle of a
// gait as a GIF or a sprite sheet.
#include "editor/app/CliRender.h"

#include "control/ZubrelleInterface.h"
#include "editor/app/CommandLine.h"
#include "editor/app/InstallPaths.h"
#include "editor/app/RenderOptions.h"
#include "editor/genome/PoseGenes.h"
#include "editor/picture/PngOutput.h"
#include "editor/picture/PoseSheet.h"
#include "editor/picture/WalkExport.h"
#include "editor/picture/ZubrelleHost.h"
#include "platform/com/Activation.h"
#include "platform/com/ModuleFile.h"
#include "platform/com/ServerRegistration.h"
#include "platform/fileio/OutputCheck.h"
#include "platform/registry/HostFolders.h"
#include "platform/registry/Registry.h"

#include <cctype>
#include <filesystem>
#include <optional>
#include <ostream>

namespace mirtala {

const char kRenderHelp[] =
    "  --render-pose OUT.png  paint one pose with the picture control into a PNG file;\n"
    "                      the pose is --pose-string S, or --genome FILE --pose N (the\n"
    "                      variant of pose N shown at the appearance's age).\n"
    "  --render-gait OUTDIR   paint --frames K frames (default 16) of an animated gait\n"
    "                      into OUTDIR/frame-000.png, frame-001.png, ... (four digits\n"
    "                      and more past 1000 frames); the poses are --pose-strings\n"
    "                      S1,S2,... (up to eight), or --genome FILE --gait N (its\n"
    "                      steps resolved at the appearance's age; empty steps and\n"
    "                      steps without a pose gene are left out). Frame files of an\n"
    "                      earlier, longer run are counted in a note, not removed.\n"
    "  --render-gait OUT.gif  the same poses as an animated GIF: one full cycle of the\n"
    "                      animation's frames, each shown for the picture's tick of\n"
    "                      0.1 s, looping. Exact colours while the cycle uses 256 or\n"
    "                      fewer; a frame with more is reduced to 256 (median cut).\n"
    "  --sheet OUT.png     the same poses as one PNG sprite sheet: one full cycle,\n"
    "                      frames left to right in one row, or --columns C to a row\n"
    "                      and then on in rows below (unused cells white).\n"
    "    shared options:  --appearance SEX,AGE,HG,HV,BG,BV,LG,LV,AG,AV,TG,TV (sex, age,\n"
    "                      then genus and variant of head, body, legs, arms, tail;\n"
    "                      default all 0), --size WxH (default 320x240), --scale S\n"
    "                      (default 1.0), --angle A (degrees, default 0), --friction\n"
    "                      on|off (default on). Each picture is exactly the control's\n"
    "                      picture of that paint, in RGB, and a file replaces an older\n"
    "                      one only once it is whole. An output that is the input\n"
    "                      genome, or an existing file that is not empty and not of\n"
    "                      the kind written (PNG or GIF), is refused, every frame\n"
    "                      before the first is written. The control must\n"
    "                      be registered (regsvr). When the body of the appearance\n"
    "                      does not load (no body files in the host product's folders,\n"
    "                      found in our registry, else in the Wine prefix, else at the\n"
    "                      default path), the reason goes to standard error, nothing\n"
    "                      is written and the exit status is 1.\n"
    "  --pose-sheet OUT.png  the pose sheet of --genome FILE as one PNG: a row for each\n"
    "                      pose number (rising, listed on standard output), a column\n"
    "                      for each life stage of --stages A-B (default 0-6), each cell\n"
    "                      the variant shown at that stage, drawn at the --appearance\n"
    "                      with the stage as the age and at --scale S (default 0.5) in\n"
    "                      a cell of 320x240 times S; a variant that is the same gene\n"
    "                      as the cell to its left is drawn lighter, a stage without\n"
    "                      one is white with a grey dash. Written whole or not at all;\n"
    "                      refused when the body loads at none of the stages.\n";

namespace {

// The same file under any spelling, link or /proc path (same device and
// inode), or the same name for a file that is not there yet.
bool SameFile(const std::string& a, const std::string& b) {
    std::error_code ec, ecA, ecB;
    if (std::filesystem::equivalent(a, b, ec) && !ec) return true;
    const std::filesystem::path pa = std::filesystem::weakly_canonical(a, ecA);
    const std::filesystem::path pb = std::filesystem::weakly_canonical(b, ecB);
    return !ecA && !ecB && pa == pb;
}

bool LoadGenome(const std::string& path, Genome& genome, std::ostream& err) {
    if (!genome.Read(path)) {
        err << "mirtala: " << path << " cannot be read as a genome file.\n";
        return false;
    }
    return true;
}

bool Write(const std::vector<std::uint32_t>& pixels, const RenderOptions& o, const std::string& path,
           std::ostream& err) {
    std::string error;
    if (WritePng(pixels, o.width, o.height, path, error)) return true;
    err << "mirtala: " << error << "; the file was not changed.\n";
    return false;
}

// Why the control could not be created. A registry file that cannot be read
// is named with the parser's line and reason ("not registered" would send the
// user to register again, which fails on the same file), and a damaged module
// file with what is wrong with it.
std::string CreateFailure(const ZubrelleHost& host) {
    if (host.LastResult() == com::REGDB_E_READREGDB)
        return "the picture control cannot be found: the registry file " +
               registry::RegFileProblem(registry::HKEY_CLASSES_ROOT) +
               ". Repair or remove that file, then register the control again with: " + com::RegisterCommand() + ".";
    const std::string module = com::InprocServerPath(zubrelle::CLSID_Zubrelle);
    if (host.LastResult() == com::CO_E_ERRORINDLL && !module.empty()) {
        std::string problem = com::ModuleFileProblem(module);
        if (problem.empty()) problem = com::ModuleEntryProblem(module);
        if (!problem.empty())
            return "the picture control module " + module + " cannot be loaded: " + problem +
                   ". Build it, then register it again with: " + com::RegisterCommand() + ".";
    }
    return host.ErrorText();
}

bool NoBody(ZubrelleHost& host, const std::string& why, std::ostream& err) {
    const InstallPaths paths = FindInstallPaths(RunningProgram());
    err << "mirtala: " << why << "\nmirtala: no picture was written; the host product's folders are "
        << host.GetImagesDirectory() << " and " << host.GetBodyDataDirectory() << ".\n"
        << "mirtala: give the folders for this run with --images DIR --body-data DIR, or draw the demo creature ("
        << std::filesystem::path(paths.demoImages).parent_path().parent_path().string() << ") with --demo-creature.\n";
    return false;
}

// The folders of --images and --body-data, or the demo creature's, ready for the control.
void ChooseFolders(const RenderOptions& o, std::string& images, std::string& bodyData) {
    if (o.demoCreature) {
        const InstallPaths paths = FindInstallPaths(RunningProgram());
        images = paths.demoImages;
        bodyData = paths.demoBodyData;
        return;
    }
    if (o.images) images = registry::ResolveHostFolder(*o.images);
    if (o.bodyData) bodyData = registry::ResolveHostFolder(*o.bodyData);
}

// A painter over the control: created, given the appearance and shared options.
struct ControlPainter {
    OffscreenWindow window;
    ZubrelleHost host;
    std::vector<std::uint32_t> pixels;
    int width, height;

    ControlPainter(const RenderOptions& o, std::ostream& err)
        : window(
              o.width, o.height,
              [&err](const std::string& caption, const std::string& text) { err << caption << ": " << text << "\n"; }),
          host(window),
          pixels(std::size_t(o.width) * std::size_t(o.height)),
          width(o.width),
          height(o.height) {}

    bool Create(const RenderOptions& o, std::ostream& err) {
        if (!host.Create()) {
            err << "mirtala: " << CreateFailure(host) << "\n";
            return false;
        }
        host.SetAppearance(o.appearance);
        std::string images, bodyData;
        ChooseFolders(o, images, bodyData);
        if (!images.empty()) host.SetImagesDirectory(images);
        if (!bodyData.empty()) host.SetBodyDataDirectory(bodyData);
        // A picture of a body that did not load is blank: say why instead of writing it.
        if (const std::string why = host.GetLoadError(); !why.empty()) return NoBody(host, why, err);
        host.SetScale(o.scale);
        host.SetAngle(o.angle);
        host.SetFriction(o.friction);
        return true;
    }
    void Paint() {
        std::fill(pixels.begin(), pixels.end(), 0u);
        host.Paint(pixels.data(), width, height, width);
    }
};

// True (with the reason on `err`) when an existing file is in the way of the picture.
bool OutputRefused(const std::string& path, fileio::PictureKind kind, std::ostream& err) {
    const std::string refusal = fileio::PictureOutputRefusal(path, kind);
    if (!refusal.empty()) err << "mirtala: " << refusal << "\n";
    return !refusal.empty();
}

int Usage(std::ostream& err, const std::string& error) {
    err << "mirtala: " << error << "\n";
    return 2;
}

}  // namespace

int RunRenderPose(const CommandLine& line, std::ostream& out, std::ostream& err) {
    RenderOptions o;
    std::string error;
    if (!ParseRenderOptions(line, o, error)) return Usage(err, error);
    if (o.poseString.has_value() == (o.genome.has_value() || o.pose.has_value()) ||
        o.genome.has_value() != o.pose.has_value())
        return Usage(err, "--render-pose takes either --pose-string S or --genome FILE --pose N");
    if (OutputRefused(o.output, fileio::PictureKind::Png, err)) return 1;
    std::string poseString;
    if (o.poseString) {
        poseString = *o.poseString;
    } else {
        if (SameFile(o.output, *o.genome)) {
            err << "mirtala: the output " << o.output << " is the input genome; choose another file.\n";
            return 1;
        }
        Genome genome;
        if (!LoadGenome(*o.genome, genome, err)) return 1;
        GeneRef gene = FindActivePose(genome, *o.pose, o.appearance.age);
        if (!gene) {
            err << "mirtala: " << *o.genome << " has no pose gene for pose " << *o.pose << ".\n";
            return 1;
        }
        poseString = PoseStringOf(*gene);
    }
    ControlPainter painter(o, err);
    if (!painter.Create(o, err)) return 1;
    painter.host.SetPoseString(0, poseString);
    painter.host.SetPoseCount(1);
    painter.Paint();
    if (!Write(painter.pixels, o, o.output, err)) return 1;
    out << "Wrote pose \"" << poseString << "\" to " << o.output << "\n";
    return 0;
}

namespace {

// The pose strings of --pose-strings, or of the gait's steps as the gait
// dialog resolves them, without the stale pictures of steps it cannot
// resolve: those are left out like empty ones. Nothing on failure.
std::optional<std::vector<std::string>> GaitPoses(const RenderOptions& o, std::ostream& err) {
    if (o.poseStrings) return *o.poseStrings;
    Genome genome;
    if (!LoadGenome(*o.genome, genome, err)) return std::nullopt;
    GeneRef gait;
    for (GeneCursor c(genome, 0, kCreatureGeneType, kGaitSubtype); !c.AtEnd() && !gait; c.Advance())
        if (GeneNumber(*c) == *o.gait) gait = c.Ref();
    if (!gait) {
        err << "mirtala: " << *o.genome << " has no gait " << *o.gait << ".\n";
        return std::nullopt;
    }
    std::vector<std::string> poses;
    for (const GaitStepPose& step : ResolveGaitSteps(genome, *gait, o.appearance.age))
        if (step.poseString) poses.push_back(*step.poseString);
    if (poses.empty()) {
        err << "mirtala: gait " << *o.gait << " of " << *o.genome << " has no step with a pose gene.\n";
        return std::nullopt;
    }
    return poses;
}

bool EndsWith(const std::string& text, const std::string& tail) {
    if (text.size() < tail.size()) return false;
    for (std::size_t i = 0; i < tail.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[text.size() - tail.size() + i])) != tail[i]) return false;
    return true;
}

// One full cycle as a GIF or a sheet, through the export the gait dialog uses.
int ExportCycle(const RenderOptions& o, const std::vector<std::string>& poses, WalkFormat format, std::ostream& out,
                std::ostream& err) {
    WalkSettings settings;
    settings.poses = poses;
    settings.appearance = o.appearance;
    settings.width = o.width;
    settings.height = o.height;
    settings.scale = o.scale;
    settings.angle = o.angle;
    settings.friction = o.friction;
    ChooseFolders(o, settings.imagesDirectory, settings.bodyDataDirectory);
    WalkExport walk(settings, WalkOutput{format, o.output, o.columns});
    if (!walk.Start()) {
        if (walk.FailureKind() == WalkExport::Failure::NoControl)
            err << "mirtala: " << CreateFailure(walk.Host()) << "\n";
        else if (walk.FailureKind() == WalkExport::Failure::NoBody)
            NoBody(walk.Host(), walk.Error(), err);
        else
            err << "mirtala: " << walk.Error() << ".\n";
        return 1;
    }
    if (!walk.Finish()) {
        err << "mirtala: " << walk.Error() << "; the file was not changed.\n";
        return 1;
    }
    out << "Wrote " << walk.FrameCount() << " frames of " << poses.size() << " poses, one full cycle, to " << o.output
        << "\n";
    return 0;
}

}  // namespace

int RunRenderGait(const CommandLine& line, std::ostream& out, std::ostream& err) {
    RenderOptions o;
    std::string error;
    if (!ParseRenderOptions(line, o, error)) return Usage(err, error);
    const bool sheet = line.command == "--sheet";
    if (o.poseStrings.has_value() == (o.genome.has_value() || o.gait.has_value()) ||
        o.genome.has_value() != o.gait.has_value())
        return Usage(err, line.command + " takes either --pose-strings S1,S2,... or --genome FILE --gait N");
    const bool gif = !sheet && EndsWith(o.output, ".gif");
    if (gif && o.framesGiven)
        return Usage(err, "--frames does not go with a GIF, which holds one full cycle of the animation");
    if (o.genome && (sheet || gif) && SameFile(o.output, *o.genome)) {
        err << "mirtala: the output " << o.output << " is the input genome; choose another file.\n";
        return 1;
    }
    if ((sheet || gif) && OutputRefused(o.output, gif ? fileio::PictureKind::Gif : fileio::PictureKind::Png, err))
        return 1;
    const std::filesystem::path dir(o.output);
    // Every frame is checked before the first is written, so a refusal changes nothing.
    for (int k = 0; !sheet && !gif && k < o.frames; ++k) {
        const std::string file = (dir / FrameName(k, o.frames)).string();
        if (o.genome && SameFile(file, *o.genome)) {
            err << "mirtala: " << file << " is the input genome; choose another folder.\n";
            return 1;
        }
        if (OutputRefused(file, fileio::PictureKind::Png, err)) return 1;
    }
    const std::optional<std::vector<std::string>> found = GaitPoses(o, err);
    if (!found) return 1;
    const std::vector<std::string>& poses = *found;
    if (sheet || gif) return ExportCycle(o, poses, sheet ? WalkFormat::Sheet : WalkFormat::Gif, out, err);
    ControlPainter painter(o, err);
    if (!painter.Create(o, err)) return 1;  // before the folder, which stays uncreated then
    std::error_code ec, isFolder;
    // The reason is the creation's ("Read-only file system"), not the look that follows it.
    std::filesystem::create_directories(dir, ec);
    if (!std::filesystem::is_directory(dir, isFolder)) {
        err << "mirtala: " << o.output << " is not a folder that can be written"
            << (ec         ? " (" + ec.message() + ")"
                : isFolder ? " (" + isFolder.message() + ")"
                           : std::string())
            << ".\n";
        return 1;
    }
    for (std::size_t i = 0; i < poses.size(); ++i) painter.host.SetPoseString(static_cast<std::int16_t>(i), poses[i]);
    painter.host.SetPoseCount(static_cast<std::int16_t>(poses.size()));
    for (int k = 0; k < o.frames; ++k) {
        const std::string file = (dir / FrameName(k, o.frames)).string();
        painter.Paint();
        if (!Write(painter.pixels, o, file, err)) return 1;
    }
    out << "Wrote " << o.frames << " frames of " << poses.size() << " poses to "
        << (dir / FrameName(0, o.frames)).string();
    if (o.frames > 1) out << " ... " << FrameName(o.frames - 1, o.frames);
    out << "\n";
    const std::vector<std::string> older = OlderFrames(o.output, o.frames);
    if (!older.empty())
        err << "mirtala: note: " << o.output << " still holds " << older.size() << " older frame file"
            << (older.size() == 1 ? "" : "s") << " from an earlier run (" << older.front()
            << (older.size() > 1 ? " ... " + older.back() : std::string()) << "); they were left as they are.\n";
    return 0;
}

int RunPoseSheet(const CommandLine& line, std::ostream& out, std::ostream& err) {
    RenderOptions o;
    std::string error;
    if (!ParseRenderOptions(line, o, error)) return Usage(err, error);
    if (!o.genome) return Usage(err, "--pose-sheet takes --genome FILE");
    if (SameFile(o.output, *o.genome)) {
        err << "mirtala: the output " << o.output << " is the input genome; choose another file.\n";
        return 1;
    }
    Genome genome;
    if (!LoadGenome(*o.genome, genome, err)) return 1;
    const PoseSheetModel model = BuildPoseSheet(genome, o.firstStage, o.lastStage);
    if (model.rows.empty()) {
        err << "mirtala: " << *o.genome << " has no pose gene.\n";
        return 1;
    }
    const PoseSheetLayout layout = PoseSheetLayout::ForScale(o.scaleGiven ? o.scale : 0.5f);
    if (!ExportPoseSheet(model, o.appearance, layout, o.output, error)) {
        err << "mirtala: " << error << "; nothing was written.\n";
        return 1;
    }
    out << "Wrote the pose sheet of " << model.rows.size() << " poses at " << model.StageCount() << " stages ("
        << LifeStageName(model.firstStage) << " to " << LifeStageName(model.lastStage) << ") to " << o.output
        << "\nRows, top to bottom: pose";
    for (const PoseSheetRow& row : model.rows) out << " " << row.poseNumber;
    out << "\n";
    return 0;
}

}  // namespace mirtala
