// The options of --render-pose, --render-gait and --sheet, turned from checked
// command-line text into values.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "editor/document/Appearance.h"

namespace mirtala {

struct CommandLine;

struct RenderOptions {
    static constexpr int kDefaultFrames = 16;

    std::string output;
    std::optional<std::string> poseString;
    std::optional<std::vector<std::string>> poseStrings;
    std::optional<std::string> genome;
    std::optional<int> pose;
    std::optional<int> gait;
    int frames = kDefaultFrames;
    bool framesGiven = false;
    int columns = 0;        // of a sheet; 0: every frame in one row
    Appearance appearance;  // each value within 16 bits, as the control takes them
    int width = 320;
    int height = 240;
    float scale = 1.0f;
    bool scaleGiven = false;
    int firstStage = 0, lastStage = 6;  // --stages of a pose sheet
    double angle = 0.0;
    bool friction = true;
    // The host product's folders for this run only (never stored); the demo
    // creature installed with the program brings both.
    std::optional<std::string> images;
    std::optional<std::string> bodyData;
    bool demoCreature = false;
};

// Fills options from the command line; false with a message naming the option
// when a value is unusable.
bool ParseRenderOptions(const CommandLine& line, RenderOptions& options, std::string& error);

}  // namespace mirtala
