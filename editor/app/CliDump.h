// `mirtala --dump`: a genome file as one JSON object on standard output.
#pragma once

#include <iosfwd>

namespace mirtala {

struct CommandLine;

// Exit status: 0 read, 1 cannot open or not a genome. The JSON is written as it
// is produced, gene by gene, so that its size never has to fit in memory.
int RunDump(const CommandLine& line, std::ostream& out, std::ostream& err);

}  // namespace mirtala
