// Batch rendering through the picture control: resolving poses and gaits from
// a genome, painting, and writing each paint as a PNG file.
#include "editor/app/cli_render.h"

#include "editor/app/CommandLine.h"
#include "editor/app/PngOutput.h"
#include "editor/app/RenderOptions.h"
#include "editor/genome/PoseGenes.h"
#include "editor/ui/ZubrelleHost.h"
#include "platform/com/Activation.h"
#include "platform/com/ModuleFile.h"
#include "platform/registry/Registry.h"

#include <filesystem>
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
    "    shared options:  --appearance SEX,AGE,HG,HV,BG,BV,LG,LV,AG,AV,TG,TV (sex, age,\n"
    "                      then genus and variant of head, body, legs, arms, tail;\n"
    "                      default all 0), --size WxH (default 320x240), --scale S\n"
    "                      (default 1.0), --angle A (degrees, default 0), --friction\n"
    "                      on|off (default on). Each PNG holds exactly the control's\n"
    "                      picture of that paint, in RGB, and replaces an older file\n"
    "                      only once it is whole. An output that is the input genome,\n"
    "                      a folder or a device is refused. The control must be\n"
    "                      registered (regsvr). When the body of the appearance does\n"
    "                      not load (no body files in the host product's folders,\n"
    "                      found in our registry, else in the Wine prefix, else at the\n"
    "                      default path), the reason goes to standard error, no PNG is\n"
    "                      written and the exit status is 1.\n";

namespace {

// The window of a batch paint: a fixed client area, no screen and no clock.
class OffscreenWindow final : public ZubrelleHost::Window {
public:
    OffscreenWindow(int width, int height, std::ostream& err) : m_width(width), m_height(height), m_err(err) {}
    void Invalidate(bool) override {}
    bool StartTimer(std::uint32_t, std::uint32_t) override { return true; }  // each paint is one tick
    void StopTimer(std::uint32_t) override {}
    com::RECT ClientRect() override { return {0, 0, m_width, m_height}; }
    void ShowMessage(const std::string& caption, const std::string& text) override {
        m_err << caption << ": " << text << "\n";
    }

private:
    int m_width, m_height;
    std::ostream& m_err;
};

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
               ". Repair or remove that file, then register the control again with regsvr.";
    const std::string module = com::InprocServerPath(CLSID_ZubrelleControl);
    if (host.LastResult() == com::CO_E_ERRORINDLL && !module.empty()) {
        if (const std::string problem = com::ModuleFileProblem(module); !problem.empty())
            return "the picture control module " + module + " cannot be loaded: " + problem +
                   ". Build it, then register it again with regsvr.";
    }
    return host.ErrorText();
}

// A painter over the control: created, given the appearance and shared options.
struct ControlPainter {
    OffscreenWindow window;
    ZubrelleHost host;
    std::vector<std::uint32_t> pixels;
    int width, height;

    ControlPainter(const RenderOptions& o, std::ostream& err)
        : window(o.width, o.height, err), host(window), pixels(std::size_t(o.width) * std::size_t(o.height)),
          width(o.width), height(o.height) {}

    bool Create(const RenderOptions& o, std::ostream& err) {
        if (!host.Create()) {
            err << "mirtala: " << CreateFailure(host) << "\n";
            return false;
        }
        const std::int16_t* a = o.appearance;
        host.SetAppearance(a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9], a[10], a[11], a[0], a[1]);
        // A picture of a body that did not load is blank: say why instead of writing it.
        if (const std::string why = host.GetLoadError(); !why.empty()) {
            err << "mirtala: " << why << "\nmirtala: no picture was written; the host product's folders are "
                << host.GetImagesDirectory() << " and " << host.GetBodyDataDirectory() << ".\n";
            return false;
        }
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
        GeneRef gene = FindActivePose(genome, *o.pose, o.appearance[1]);
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

int RunRenderGait(const CommandLine& line, std::ostream& out, std::ostream& err) {
    RenderOptions o;
    std::string error;
    if (!ParseRenderOptions(line, o, error)) return Usage(err, error);
    if (o.poseStrings.has_value() == (o.genome.has_value() || o.gait.has_value()) ||
        o.genome.has_value() != o.gait.has_value())
        return Usage(err, "--render-gait takes either --pose-strings S1,S2,... or --genome FILE --gait N");
    std::vector<std::string> poses;
    if (o.poseStrings) {
        poses = *o.poseStrings;
    } else {
        Genome genome;
        if (!LoadGenome(*o.genome, genome, err)) return 1;
        GeneRef gait;
        for (GeneCursor c(genome, 0, kCreatureGeneType, kGaitSubtype); !c.AtEnd() && !gait; c.Advance())
            if (GeneNumber(*c) == *o.gait) gait = c.Ref();
        if (!gait) {
            err << "mirtala: " << *o.genome << " has no gait " << *o.gait << ".\n";
            return 1;
        }
        // As the gait dialog resolves its steps, without the stale pictures of
        // steps it cannot resolve: those are left out like empty ones.
        for (int step : GaitStepsOf(*gait)) {
            if (step == 0) continue;
            if (GeneRef pose = FindActivePose(genome, step, o.appearance[1])) poses.push_back(PoseStringOf(*pose));
        }
        if (poses.empty()) {
            err << "mirtala: gait " << *o.gait << " of " << *o.genome << " has no step with a pose gene.\n";
            return 1;
        }
    }
    ControlPainter painter(o, err);
    if (!painter.Create(o, err)) return 1;  // before the folder, which stays uncreated then
    const std::filesystem::path dir(o.output);
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (!std::filesystem::is_directory(dir, ec)) {
        err << "mirtala: " << o.output << " is not a folder that can be written"
            << (ec ? " (" + ec.message() + ")" : std::string()) << ".\n";
        return 1;
    }
    for (std::size_t i = 0; i < poses.size(); ++i) painter.host.SetPoseString(static_cast<std::int16_t>(i), poses[i]);
    painter.host.SetPoseCount(static_cast<std::int16_t>(poses.size()));
    for (int k = 0; k < o.frames; ++k) {
        const std::string file = (dir / FrameName(k, o.frames)).string();
        if (o.genome && SameFile(file, *o.genome)) {
            err << "mirtala: " << file << " is the input genome; choose another folder.\n";
            return 1;
        }
        painter.Paint();
        if (!Write(painter.pixels, o, file, err)) return 1;
    }
    out << "Wrote " << o.frames << " frames of " << poses.size() << " poses to " << (dir / FrameName(0, o.frames)).string();
    if (o.frames > 1) out << " ... " << FrameName(o.frames - 1, o.frames);
    out << "\n";
    const std::vector<std::string> older = OlderFrames(o.output, o.frames);
    if (!older.empty())
        err << "mirtala: note: " << o.output << " still holds " << older.size() << " older frame file"
            << (older.size() == 1 ? "" : "s") << " from an earlier run (" << older.front()
            << (older.size() > 1 ? " ... " + older.back() : std::string()) << "); they were left as they are.\n";
    return 0;
}

}  // namespace mirtala
