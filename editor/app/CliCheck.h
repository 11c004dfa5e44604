// `mirtala --check`: the genome check of a genome file on standard output.
#pragma once

#include <iosfwd>

namespace mirtala {

struct CommandLine;

// Exit status: 0 when there is nothing but information, 1 when there are
// problems or the file (or the name file) cannot be read.
int RunCheck(const CommandLine& line, std::ostream& out, std::ostream& err);

}  // namespace mirtala
