// Shared by the body-file fuzz targets: a private folder holding one part's two files.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace bodyfuzz {

inline const std::filesystem::path& Folder() {
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() /
                    ("mirtala-body-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(Folder(), ignored);
        });
        return path;
    }();
    return folder;
}

inline std::string Directory() { return Folder().string() + "/"; }

inline void Write(const std::string& name, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(Folder() / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
}

}  // namespace bodyfuzz
