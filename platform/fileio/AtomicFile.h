// Reading a whole file, and writing one atomically: a temporary file beside it, then a rename,
// so that a failure leaves the old file as it was.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mirtala::fileio {

// Why a file could not be read: the system's error number (ENOENT when there is
// no file, EISDIR for a folder, EINVAL for a device, pipe or socket) and the
// reason in words, without the file's name ("Permission denied").
struct FileError {
    int code = 0;
    std::string reason;
};

// True when `path` (or the file a link there leads to) is an existing regular file that
// may not be written: no write permission for us, none for anyone, or a read-only file system.
bool IsReadOnlyFile(const std::string& path);

// True when every byte reached the disk and the file now holds exactly `bytes`.
// A link at `path` is written through to its target; an existing target keeps
// its owner and permissions, and one that is not a regular file (a folder, a
// device, a pipe) or is read-only (IsReadOnlyFile) is refused. The new bytes go
// to an unnamed temporary file that is named (".NAME.~PID.XXXXXX", exclusively,
// never through a link) only once whole, then renamed over the target; where the
// file system has no unnamed files the name is made first. A save removes the
// temporary files of the same target left by processes that no longer run. On
// failure the old file is untouched, no temporary file is left behind, and
// `error` (if given) says why.
bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes, std::string* error = nullptr);

bool WriteFileAtomically(const std::string& path, std::string_view text, std::string* error = nullptr);

// Reads a whole regular file; false when it cannot be opened or read, or is a
// folder, pipe or device (which are never opened for long enough to hang).
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& out, FileError* error = nullptr);
bool ReadWholeFile(const std::string& path, std::string& out, FileError* error = nullptr);
// The first `count` bytes (fewer when the file is shorter) of a regular file, on the same terms.
bool ReadFileHead(const std::string& path, std::size_t count, std::vector<std::uint8_t>& out,
                  FileError* error = nullptr);

}  // namespace mirtala::fileio
