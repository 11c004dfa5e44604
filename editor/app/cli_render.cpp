// Batch rendering through the picture control: option parsing, resolving
// poses and gaits from a genome, and writing each paint as a PNG file.
#include "editor/app/cli_render.h"

#include "editor/app/CommandLine.h"

#include <QImage>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <ostream>
#include <sstream>

#include "editor/genome/PoseGenes.h"
#include "editor/ui/ZubrelleHost.h"

namespace mirtala {

const char kRenderHelp[] =
    "  --render-pose OUT.png  paint one pose with the picture control into a PNG file;\n"
    "                      the pose is --pose-string S, or --genome FILE --pose N (the\n"
    "                      variant of pose N shown at the appearance's age).\n"
    "  --render-gait OUTDIR   paint --frames K frames (default 16) of an animated gait\n"
    "                      into OUTDIR/frame-000.png, frame-001.png, ...; the poses are\n"
    "                      --pose-strings S1,S2,... (up to eight), or --genome FILE\n"
    "                      --gait N (its steps resolved at the appearance's age; empty\n"
    "                      steps and steps without a pose gene are left out).\n"
    "    shared options:  --appearance SEX,AGE,HG,HV,BG,BV,LG,LV,AG,AV,TG,TV (sex, age,\n"
    "                      then genus and variant of head, body, legs, arms, tail;\n"
    "                      default all 0), --size WxH (default 320x240), --scale S\n"
    "                      (default 1.0), --angle A (degrees, default 0), --friction\n"
    "                      on|off (default on). Each PNG holds exactly the control's\n"
    "                      picture of that paint, in RGB. An output that is the input\n"
    "                      genome is refused. The control must be registered (regsvr).\n";

namespace {

constexpr int kMaxSide = 8192;
constexpr int kMaxFrames = 10000;
constexpr int kDefaultFrames = 16;

struct RenderOptions {
    std::string output;
    std::optional<std::string> poseString;
    std::optional<std::vector<std::string>> poseStrings;
    std::optional<std::string> genome;
    std::optional<int> pose;
    std::optional<int> gait;
    int frames = kDefaultFrames;
    std::int16_t appearance[12] = {};  // sex, age, head genus, head variant, ...
    int width = 320;
    int height = 240;
    float scale = 1.0f;
    double angle = 0.0;
    bool friction = true;
};

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    std::string part;
    while (std::getline(in, part, separator)) parts.push_back(part);
    if (!text.empty() && text.back() == separator) parts.emplace_back();
    return parts;
}

bool ParseInt(const std::string& text, long lo, long hi, long* value) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(text.c_str(), &end, 10);
    if (*end || errno || v < lo || v > hi) return false;
    *value = v;
    return true;
}

bool ParseDouble(const std::string& text, double* value) {
    if (text.empty()) return false;
    char* end = nullptr;
    double v = std::strtod(text.c_str(), &end);
    if (*end || !std::isfinite(v)) return false;
    *value = v;
    return true;
}

// Fills options from the checked command line; false with a message when a value is unusable.
bool Parse(const CommandLine& line, RenderOptions& o, std::string& error) {
    for (const auto& [a, v] : line.options) {
        long n = 0;
        double d = 0;
        if (a == line.command) {
            o.output = v;
        } else if (a == "--pose-string") {
            o.poseString = v;
        } else if (a == "--pose-strings") {
            o.poseStrings = Split(v, ',');
            if (o.poseStrings->empty() || o.poseStrings->size() > 8) {
                error = "--pose-strings takes one to eight pose strings separated by commas";
                return false;
            }
        } else if (a == "--genome") {
            o.genome = v;
        } else if (a == "--pose" || a == "--gait") {
            if (!ParseInt(v, 0, 255, &n)) {
                error = a + " takes a number from 0 to 255";
                return false;
            }
            (a == "--pose" ? o.pose : o.gait) = int(n);
        } else if (a == "--frames") {
            if (!ParseInt(v, 1, kMaxFrames, &n)) {
                error = "--frames takes a number from 1 to " + std::to_string(kMaxFrames);
                return false;
            }
            o.frames = int(n);
        } else if (a == "--appearance") {
            std::vector<std::string> parts = Split(v, ',');
            if (parts.size() != 12) {
                error = "--appearance takes twelve numbers: SEX,AGE,HG,HV,BG,BV,LG,LV,AG,AV,TG,TV";
                return false;
            }
            for (int k = 0; k < 12; ++k) {
                if (!ParseInt(parts[std::size_t(k)], -32768, 32767, &n)) {
                    error = "--appearance: '" + parts[std::size_t(k)] + "' is not a 16-bit number";
                    return false;
                }
                o.appearance[k] = static_cast<std::int16_t>(n);
            }
        } else if (a == "--size") {
            std::vector<std::string> parts = Split(v, 'x');
            long w = 0, h = 0;
            if (parts.size() != 2 || !ParseInt(parts[0], 1, kMaxSide, &w) || !ParseInt(parts[1], 1, kMaxSide, &h)) {
                error = "--size takes WIDTHxHEIGHT, each from 1 to " + std::to_string(kMaxSide);
                return false;
            }
            o.width = int(w);
            o.height = int(h);
        } else if (a == "--scale") {
            if (!ParseDouble(v, &d) || d <= 0 || d > 64) {
                error = "--scale takes a number above 0 and at most 64";
                return false;
            }
            o.scale = static_cast<float>(d);
        } else if (a == "--angle") {
            if (!ParseDouble(v, &d) || std::fabs(d) > 1e9) {
                error = "--angle takes a number of degrees";
                return false;
            }
            o.angle = d;
        } else if (a == "--friction") {
            if (v != "on" && v != "off") {
                error = "--friction takes on or off";
                return false;
            }
            o.friction = v == "on";
        } else {
            error = "unknown option " + a;
            return false;
        }
    }
    return true;
}

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

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec;
    if (std::filesystem::equivalent(a, b, ec)) return true;
    return std::filesystem::weakly_canonical(a, ec) == std::filesystem::weakly_canonical(b, ec);
}

bool WritePng(const std::vector<std::uint32_t>& pixels, int width, int height, const std::string& path) {
    QImage image(reinterpret_cast<const uchar*>(pixels.data()), width, height, width * 4, QImage::Format_RGBX8888);
    QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    std::string temp = path + ".part";
    if (!rgb.save(QString::fromStdString(temp), "PNG")) {
        std::filesystem::remove(temp);
        return false;
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) std::filesystem::remove(temp, ec);
    return !ec;
}

bool LoadGenome(const std::string& path, Genome& genome, std::ostream& err) {
    if (!genome.Read(path)) {
        err << "mirtala: " << path << " cannot be read as a genome file.\n";
        return false;
    }
    return true;
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
            err << "mirtala: " << host.ErrorText() << "\n";
            return false;
        }
        const std::int16_t* a = o.appearance;
        host.SetAppearance(a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9], a[10], a[11], a[0], a[1]);
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

}  // namespace

int RunRenderPose(const CommandLine& line, std::ostream& out, std::ostream& err) {
    RenderOptions o;
    std::string error;
    if (!Parse(line, o, error)) {
        err << "mirtala: " << error << "\n";
        return 2;
    }
    if (o.poseStrings || o.gait || (o.poseString.has_value() == (o.genome.has_value() || o.pose.has_value())) ||
        o.genome.has_value() != o.pose.has_value()) {
        err << "mirtala: --render-pose takes either --pose-string S or --genome FILE --pose N\n";
        return 2;
    }
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
    if (!WritePng(painter.pixels, o.width, o.height, o.output)) {
        err << "mirtala: " << o.output << " cannot be written.\n";
        return 1;
    }
    out << "Wrote pose \"" << poseString << "\" to " << o.output << "\n";
    return 0;
}

int RunRenderGait(const CommandLine& line, std::ostream& out, std::ostream& err) {
    RenderOptions o;
    std::string error;
    if (!Parse(line, o, error)) {
        err << "mirtala: " << error << "\n";
        return 2;
    }
    if (o.poseString || o.pose || (o.poseStrings.has_value() == (o.genome.has_value() || o.gait.has_value())) ||
        o.genome.has_value() != o.gait.has_value()) {
        err << "mirtala: --render-gait takes either --pose-strings S1,S2,... or --genome FILE --gait N\n";
        return 2;
    }
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
    std::filesystem::path dir(o.output);
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (!std::filesystem::is_directory(dir)) {
        err << "mirtala: " << o.output << " is not a folder that can be written.\n";
        return 1;
    }
    ControlPainter painter(o, err);
    if (!painter.Create(o, err)) return 1;
    for (std::size_t i = 0; i < poses.size(); ++i) painter.host.SetPoseString(static_cast<std::int16_t>(i), poses[i]);
    painter.host.SetPoseCount(static_cast<std::int16_t>(poses.size()));
    for (int k = 0; k < o.frames; ++k) {
        char name[32];
        std::snprintf(name, sizeof name, "frame-%03d.png", k);
        std::filesystem::path file = dir / name;
        if (o.genome && SameFile(file, *o.genome)) {
            err << "mirtala: " << file.string() << " is the input genome; choose another folder.\n";
            return 1;
        }
        painter.Paint();
        if (!WritePng(painter.pixels, o.width, o.height, file.string())) {
            err << "mirtala: " << file.string() << " cannot be written.\n";
            return 1;
        }
    }
    out << "Wrote " << o.frames << " frames of " << poses.size() << " poses to " << (dir / "frame-000.png").string();
    if (o.frames > 1) {
        char last[32];
        std::snprintf(last, sizeof last, "frame-%03d.png", o.frames - 1);
        out << " ... " << last;
    }
    out << "\n";
    return 0;
}

}  // namespace mirtala
