// The check a module file must pass before it is loaded: a whole ELF shared
// library for this machine and word size. The loader maps segments straight from
// the file, so a module cut short (a copy interrupted, a disk that filled up)
// would otherwise crash the loading process with a bus error, with no word of why.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace com {

// Empty when the file may be loaded; otherwise why not, in words that do not
// repeat the file's name ("it is cut short: ...").
std::string ModuleFileProblem(const std::string& path);

// The same check on the bytes of a whole file.
std::string ModuleImageProblem(std::span<const std::uint8_t> file);

// The four entry points a control module exports.
extern const char* const kModuleEntryPoints[4];

// For a file that passed ModuleFileProblem: empty when the loader takes it and it
// exports all four entry points; otherwise which are missing ("it does not export
// DllRegisterServer") or the loader's reason.
std::string ModuleEntryProblem(const std::string& path);

}  // namespace com
