// The host product's sprite and attachment directories, from the machine-wide
// registry settings, with built-in defaults.
#pragma once

#include <string>

namespace zubrelle {

inline constexpr const char* kDefaultImagesDirectory = "c:\\program files\\tarvossa 2\\images\\";
inline constexpr const char* kDefaultBodyDataDirectory = "c:\\program files\\tarvossa 2\\body data\\";

// Sets both to their defaults, then to the registry's values where present.
void ReadHostDirectories(std::string& imagesDirectory, std::string& bodyDataDirectory);

}  // namespace zubrelle
