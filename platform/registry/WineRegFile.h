// Reading the registry text files of a Wine prefix (system.reg, user.reg). They
// start with "WINE REGISTRY Version 2"; keys are "[Path\\Below\\Root] stamp"
// lines, "#..." lines are key attributes, and names and strings carry C-style
// escapes, with "\x" giving one UTF-16 unit. Only reading: a prefix is never
// written.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/registry/RegTree.h"

namespace mirtala::registry {

struct WineRegResult {
    bool readable = false;  // the header was there, so the rest was read
    int skippedLines = 0;   // malformed lines, passed over
    std::string problem;    // "line N: ..." for the first skipped line or a missing header
};

// Reads the keys whose paths are in `wanted` (levels below the file's root,
// matched whatever their case) with their values into `root`; every other key
// is passed over unread. A malformed line is skipped and reading goes on, but
// the values after a malformed key line are not given to any key. Strings
// (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ, as text or as hex) are stored as UTF-8
// with a closing NUL, as our own registry stores them.
WineRegResult ReadWineRegText(std::string_view text, const std::vector<std::vector<std::string>>& wanted,
                              RegNode& root);

}  // namespace mirtala::registry
