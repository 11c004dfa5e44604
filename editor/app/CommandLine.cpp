// Parsing the batch options against one table of what each option is and
// which command it belongs to.
#include "editor/app/CommandLine.h"

#include <algorithm>
#include <optional>

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
    bool command;  // selects what the program does
    bool hasValue;
    unsigned owner;  // the commands it may be given with
};

constexpr Option kOptions[] = {
    {"--help", true, false, kAny},
    {"--version", true, false, kAny},
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
    {"--images", false, true, kRender},
    {"--body-data", false, true, kRender},
    {"--demo-creature", false, false, kRender},
    {"--screenshot", false, true, kEditor},  // the editor saves its main window and ends
};

const Option* Find(std::string_view arg) {
    if (arg == "-h") arg = "--help";
    for (const Option& o : kOptions)
        if (o.name == arg) return &o;
    return nullptr;
}

bool IsOption(std::string_view arg) { return arg.size() > 1 && arg.substr(0, 2) == "--"; }

// The toolkit's own single-dash options, which go to the editor's
// QApplication; `value`: the option takes the next argument.
struct ToolkitOption {
    std::string_view name;
    bool value;
};
// A table, laid out in columns by hand.
// clang-format off
constexpr ToolkitOption kToolkitOptions[] = {
    {"-platform", true},   {"-platformpluginpath", true}, {"-platformtheme", true}, {"-plugin", true},
    {"-qwindowgeometry", true}, {"-qwindowicon", true},   {"-qwindowtitle", true},  {"-session", true},
    {"-display", true},    {"-geometry", true},           {"-style", true},         {"-stylesheet", true},
    {"-name", true},       {"-title", true},              {"-visual", true},        {"-qmljsdebugger", false},
    {"-reverse", false},   {"-widgetcount", false},       {"-nograb", false},       {"-dograb", false},
    {"-sync", false}};
// clang-format on

// The toolkit option `arg` is (a "-style=fusion" form counts), or nullptr.
const ToolkitOption* FindToolkitOption(std::string_view arg) {
    const std::string_view name = arg.substr(0, arg.find('='));
    for (const ToolkitOption& o : kToolkitOptions)
        if (o.name == name) return &o;
    return nullptr;
}

bool IsShortOption(std::string_view arg) { return arg.size() > 1 && arg[0] == '-' && arg[1] != '-'; }

// One argument, with the value of an "--option=value" form split off.
struct Argument {
    std::string text;
    std::optional<std::string> attached;
};

std::vector<Argument> SplitAttachedValues(const std::vector<std::string>& args) {
    std::vector<Argument> split;
    for (const std::string& arg : args) {
        const std::size_t equals = arg.find('=');
        if (IsOption(arg) && equals != std::string::npos)
            split.push_back({arg.substr(0, equals), arg.substr(equals + 1)});
        else
            split.push_back({arg, std::nullopt});
    }
    return split;
}

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

CommandLine ParseCommandLine(const std::vector<std::string>& rawArgs) {
    CommandLine line;
    const auto fail = [&line](std::string error) {
        line.command.clear();
        line.options.clear();
        line.error = std::move(error);
        return line;
    };
    // Help wins over everything else, as users expect of it; then the version.
    for (const char* first : {"--help", "--version"})
        if (std::any_of(rawArgs.begin(), rawArgs.end(),
                        [first](const std::string& a) { return a == first || (first[2] == 'h' && a == "-h"); })) {
            line.command = first;
            return line;
        }
    const std::vector<Argument> args = SplitAttachedValues(rawArgs);
    bool batch = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i].text;
        const Option* option = Find(arg);
        if (!option) {
            if (IsOption(arg)) return fail("unknown option " + arg);
            // A single-dash argument is the toolkit's or a mistake; a mistake
            // is caught here, before a display is needed to report it.
            if (IsShortOption(arg)) {
                const ToolkitOption* toolkit = FindToolkitOption(arg);
                if (!toolkit) return fail("unknown option " + arg);
                if (toolkit->value && arg.find('=') == std::string::npos) ++i;
            }
            // Plain and toolkit arguments are the editor's unless a batch
            // option shows up; then they are strays, reported below.
            continue;
        }
        batch = batch || option->owner != kEditor;
        std::string value;
        if (option->hasValue) {
            if (args[i].attached) {
                value = *args[i].attached;
            } else {
                if (i + 1 >= args.size() || IsOption(args[i + 1].text)) return fail(arg + " needs a value");
                value = args[++i].text;
            }
        } else if (args[i].attached) {
            return fail(arg + " takes no value");
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
        const Option* option = Find(args[i].text);
        if (!option) return fail("unexpected argument " + args[i].text);
        if (option->hasValue && !args[i].attached) ++i;
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
