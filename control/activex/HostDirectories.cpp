// Reads HKEY_LOCAL_MACHINE\Software\Vantrelle Technology\Tarvossa 2\1.0 one
// level at a time, as an installer of the host product leaves it.
#include "control/activex/HostDirectories.h"

#include <cstdint>
#include <vector>

#include "platform/registry/Registry.h"

namespace zubrelle {

namespace reg = mirtala::registry;

namespace {

// Size first, then the data into a buffer of that size; the text ends at its
// first NUL. The value's type is not looked at.
void ReadValue(reg::HKEY key, const char* name, std::string& target) {
    std::uint32_t size = 0;
    if (reg::RegQueryValue(key, name, nullptr, nullptr, &size) != reg::ERROR_SUCCESS) return;
    std::vector<std::uint8_t> buffer(size);
    if (reg::RegQueryValue(key, name, nullptr, buffer.data(), &size) != reg::ERROR_SUCCESS) return;
    std::string text(buffer.begin(), buffer.begin() + size);
    target = text.substr(0, text.find('\0'));
}

}  // namespace

void ReadHostDirectories(std::string& imagesDirectory, std::string& bodyDataDirectory) {
    imagesDirectory = kDefaultImagesDirectory;
    bodyDataDirectory = kDefaultBodyDataDirectory;
    static const char* const kLevels[] = {"Software", "Vantrelle Technology", "Tarvossa 2", "1.0"};
    reg::HKEY opened[4] = {};
    int depth = 0;
    reg::HKEY parent = reg::HKEY_LOCAL_MACHINE;
    for (; depth < 4; ++depth) {
        if (reg::RegOpenKey(parent, kLevels[depth], &opened[depth]) != reg::ERROR_SUCCESS) break;
        parent = opened[depth];
    }
    if (depth == 4) {
        ReadValue(opened[3], "Images Directory", imagesDirectory);
        ReadValue(opened[3], "Body Data Directory", bodyDataDirectory);
    }
    while (depth > 0) reg::RegCloseKey(opened[--depth]);
}

}  // namespace zubrelle
