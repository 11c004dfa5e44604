// Parsing the batch options against one table of what each option is and
// which command it belongs to.
#include "editor/app/CommandLine.h"

#include <algorithm>

namespace mirtala {

namespace {

enum Owner : unsigned {
    kDump = 1,
    kPose = 2,
    kGait = 4,
    kEditor = 8,
    kSheet = 16,
    kCheck = 32,
    kPoseSheet = 64,
    kWalk = kGait | kSheet,
    kRender = kPose | kWalk,
    kAny = kDump | kRender | kCheck | kPoseSheet
};

struct Option {
    std::string_view name;
    bool command;    // selects what the program does
    bool hasValue;
    unsigned owner;  // the commands it may be given with
};

constexpr Option kOptions[] = {
    {"--help", true, false, kAny},
    {"--dump", true, true, kDump},
    {"--render-pose", true, true, kPose},
    {"--render-gait", true, true, kGait},
    {"--sheet", true, true, kSheet},
    {"--check", true, true, kCheck},
    {"--names", false, true, kDump | kCheck},
    {"--json", false, false, kCheck},
    {"--pose-sheet", true, true, kPoseSheet},
    {"--stages", false, true, kPoseSheet},
    {"--pose-string", false, true, kPose},
    {"--pose", false, true, kPose},
    {"--pose-strings", false, true, kWalk},
    {"--gait", false, true, kWalk},
    {"--frames", false, true, kGait},
    {"--columns", false, true, kSheet},
    {"--genome", false, true, kRender | kPoseSheet},
    {"--appearance", false, true, kRender | kPoseSheet},
    {"--size", false, true, kRender},
    {"--scale", false, true, kRender | kPoseSheet},
    {"--angle", false, true, kRender},
    {"--friction", false, true, kRender},
    {"--screenshot", false, true, kEditor},  // the editor saves its main window and ends
};

const Option* Find(std::string_view arg) {
    if (arg == "-h") arg = "--help";
    for (const Option& o : kOptions)
        if (o.name == arg) return &o;
    return nullptr;
}

bool IsOption(std::string_view arg) { return arg.size() > 1 && arg.substr(0, 2) == "--"; }

std::string OwnerText(unsigned owner) {
    switch (owner) {
        case kDump: return "--dump";
        case kCheck: return "--check";
        case kDump | kCheck: return "--dump or --check";
        case kPose: return "--render-pose";
        case kGait: return "--render-gait";
        case kSheet: return "--sheet";
        case kPoseSheet: return "--pose-sheet";
        case kWalk: return "--render-gait or --sheet";
        case kEditor: return "the editor";
        default: return "--render-pose, --render-gait or --sheet";
    }
}

}  // namespace

const std::string* CommandLine::Value(std::string_view option) const {
    for (const auto& [name, value] : options)
        if (name == option) return &value;
    return nullptr;
}

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    const auto fail = [&line](std::string error) {
        line.command.clear();
        line.options.clear();
        line.error = std::move(error);
        return line;
    };
    // Help wins over everything else, as users expect of it.
    if (std::any_of(args.begin(), args.end(), [](const std::string& a) { return a == "--help" || a == "-h"; })) {
        line.command = "--help";
        return line;
    }
    bool batch = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const Option* option = Find(arg);
        if (!option) {
            if (IsOption(arg)) return fail("unknown option " + arg);
            // Plain and single-dash arguments are the editor's unless a batch
            // option shows up; then they are strays, reported below.
            continue;
        }
        batch = batch || option->owner != kEditor;
        std::string value;
        if (option->hasValue) {
            if (i + 1 >= args.size() || IsOption(args[i + 1])) return fail(arg + " needs a value");
            value = args[++i];
        }
        if (line.Value(arg)) return fail(arg + " is given twice");
        if (option->command) {
            if (!line.command.empty()) return fail(line.command + " and " + arg + " cannot be combined");
            line.command = arg;
        }
        line.options.emplace_back(arg, std::move(value));
    }
    if (!batch) return line;
    // The strays and the owners, now that the command is known.
    for (std::size_t i = 0; i < args.size(); ++i) {
        const Option* option = Find(args[i]);
        if (!option) return fail("unexpected argument " + args[i]);
        if (option->hasValue) ++i;
    }
    const unsigned command = line.command.empty() ? 0 : Find(line.command)->owner;
    for (const auto& [name, value] : line.options) {
        const unsigned owner = Find(name)->owner;
        if (!(owner & command))
            return fail(name + " is an option of " + OwnerText(owner) + (command ? ", not of " + line.command : ""));
    }
    return line;
}

}  // namespace mirtala
