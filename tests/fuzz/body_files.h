// Shared by the body-file fuzz targets: a private folder holding one part's two files.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace bodyfuzz {

// The folder with its closing separator, as the part loader takes it. The name is
// never destroyed, so that the exit handler removing the folder can still read it.
inline const std::string& Directory() {
    static const std::string* folder = [] {
        auto path = std::filesystem::temp_directory_path() / ("mirtala-body-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(Directory(), ignored);
        });
        return new std::string(path.string() + "/");
    }();
    return *folder;
}

inline void Write(const std::string& name, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(Directory() + name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
}

}  // namespace bodyfuzz
