// `mirtala --dump`: a genome file as one JSON object on standard output.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace mirtala {

// Exit status: 0 read, 1 cannot open or not a genome, 2 usage error.
int RunDump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Bytes of the ANSI code page, taken as Latin-1, in UTF-8.
std::string Latin1ToUtf8(std::string_view bytes);

}  // namespace mirtala
