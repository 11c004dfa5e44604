// Turning the render options' text into values, each checked against its range.
#include "editor/app/RenderOptions.h"

#include <array>

#include "editor/app/CommandLine.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace mirtala {

namespace {

constexpr int kMaxSide = 8192;
constexpr int kMaxFrames = 10000;

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

}  // namespace

bool ParseRenderOptions(const CommandLine& line, RenderOptions& o, std::string& error) {
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
            o.framesGiven = true;
        } else if (a == "--columns") {
            if (!ParseInt(v, 1, kMaxFrames, &n)) {
                error = "--columns takes a number from 1 to " + std::to_string(kMaxFrames);
                return false;
            }
            o.columns = int(n);
        } else if (a == "--appearance") {
            std::vector<std::string> parts = Split(v, ',');
            if (parts.size() != 12) {
                error = "--appearance takes twelve numbers: SEX,AGE,HG,HV,BG,BV,LG,LV,AG,AV,TG,TV";
                return false;
            }
            std::array<std::int32_t, 12> values{};
            for (int k = 0; k < 12; ++k) {
                if (!ParseInt(parts[std::size_t(k)], -32768, 32767, &n)) {
                    error = "--appearance: '" + parts[std::size_t(k)] + "' is not a 16-bit number";
                    return false;
                }
                values[std::size_t(k)] = static_cast<std::int32_t>(n);
            }
            o.appearance = Appearance::FromValues(values);
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
            // The control takes a 32-bit scale: one that becomes 0 or a denormal there
            // would draw a dot and report success.
            const float f = ParseDouble(v, &d) ? static_cast<float>(d) : 0.0f;
            if (!std::isnormal(f) || f <= 0 || d > 64) {
                error = "--scale takes a number above 0 and at most 64";
                return false;
            }
            o.scale = f;
            o.scaleGiven = true;
        } else if (a == "--stages") {
            std::vector<std::string> parts = Split(v, '-');
            long first = 0, last = 0;
            if (parts.empty() || parts.size() > 2 || !ParseInt(parts[0], 0, 6, &first) ||
                !ParseInt(parts.back(), 0, 6, &last) || last < first) {
                error = "--stages takes a life stage from 0 to 6, or FIRST-LAST with FIRST at most LAST";
                return false;
            }
            o.firstStage = int(first);
            o.lastStage = int(last);
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
        } else if (a == "--images") {
            o.images = v;
        } else if (a == "--body-data") {
            o.bodyData = v;
        } else if (a == "--demo-creature") {
            o.demoCreature = true;
        }
    }
    if (o.demoCreature && (o.images || o.bodyData)) {
        error = "--demo-creature brings its own folders; it does not go with --images or --body-data";
        return false;
    }
    return true;
}

}  // namespace mirtala
