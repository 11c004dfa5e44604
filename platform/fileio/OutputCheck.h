// The check a picture output passes before anything is written to it: an existing file is
// replaced only when it already is a file of the kind being written, or empty.
#pragma once

#include <string>

namespace mirtala::fileio {

enum class PictureKind { Png, Gif };

// Empty when `path` may be written: nothing is there (or only a link to nothing), a
// regular file that is empty or begins with the kind's signature, or no regular file
// at all (a folder or device, which the atomic writer refuses with its own reason). Otherwise the refusal,
// "OUT exists and is not a PNG file; it was not changed.", so that a mistyped command
// line can never turn a genome or any other file into a picture.
std::string PictureOutputRefusal(const std::string& path, PictureKind kind);

}  // namespace mirtala::fileio
