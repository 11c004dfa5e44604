// The batch options of mirtala's command line, checked as a whole before any
// command runs: which command was asked for, and each option's value.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mirtala {

struct CommandLine {
    // "--dump", "--check", "--render-pose", "--render-gait", "--sheet", "--pose-sheet", "--help", "--version", or empty when no
    // batch option was given (the arguments are then the editor's).
    std::string command;
    // The options in the order given, each with its value ("" for --help).
    std::vector<std::pair<std::string, std::string>> options;
    // A usage error naming the offending argument; empty when the line is sound.
    std::string error;

    // The value of an option, or nullptr when it was not given.
    const std::string* Value(std::string_view option) const;
};

// Unknown options (single-dash ones too, apart from the toolkit's own),
// missing values, repeated options, options of another command and stray
// arguments beside a batch command are usage errors. "--option=value" is the
// same as "--option value". Without a batch option, plain arguments (genome
// files), the toolkit's options (-platform NAME, -style NAME, ...) and the
// editor's --screenshot FILE belong to the editor.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

}  // namespace mirtala
