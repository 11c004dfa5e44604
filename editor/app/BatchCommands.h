// The batch half of mirtala's command line: --help, --dump, --render-pose and
// --render-gait, run without a display.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace mirtala {

// Runs the batch command the arguments ask for and gives its exit status: 0
// done, 1 a failure (message on `err`), 2 a usage error naming the argument.
// nullopt when no batch option was given: the arguments are the editor's.
std::optional<int> RunBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The options of every command, as --help shows them.
void PrintUsage(std::ostream& out);

}  // namespace mirtala
