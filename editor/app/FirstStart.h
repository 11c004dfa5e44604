// The first start's offer of body files: when none of the host product's
// folders (our registry, the Wine prefix, the default path) holds body files,
// the editor offers once, in one message, to use the demo creature installed
// with it, to choose the host product's folders, or to decide later. The
// choice is stored; "not now" asks again at the next start.
#pragma once

#include <string>

namespace mirtala {
struct InstallPaths;
}

namespace mirtala::app {

class CMainFrame;

enum class FirstStartChoice { None, DemoCreature, ChooseFolders };

// True when `images` holds a sprite file (.s16) and `bodyData` an attachment
// file (.att), whatever their case.
bool FoldersHoldBodyFiles(const std::string& images, const std::string& bodyData);
// The folders the pictures would draw from now hold body files.
bool HostFoldersHoldBodyFiles();

// The choice stored by an earlier start (None: never made, or "not now").
FirstStartChoice StoredFirstStartChoice();

// Makes the offer when it is due (no stored choice, no body files in the host
// product's folders, a demo creature beside the program) and carries out the
// answer. Returns the choice made now (None when nothing was offered or the
// answer was "not now").
FirstStartChoice OfferBodyFiles(CMainFrame& frame, const InstallPaths& paths);

}  // namespace mirtala::app
