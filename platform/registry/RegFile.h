// Reading and writing one registry root as a REGEDIT4 text file.
#pragma once

#include <string>
#include <string_view>

#include "platform/registry/RegTree.h"

namespace mirtala::registry {

struct RegParseResult {
    bool complete = true;  // false when the text stopped being well-formed
    std::string problem;   // "line N: ..." for the first malformed line
};

// Reads keys of the root named rootName ("HKEY_LOCAL_MACHINE") into root, up to
// the first malformed line; everything before that line is kept.
RegParseResult ParseRegText(std::string_view text, std::string_view rootName, RegNode& root);

// Writes the whole tree; ParseRegText reads it back to an equal tree.
std::string FormatRegText(const RegNode& root, std::string_view rootName);

}  // namespace mirtala::registry
