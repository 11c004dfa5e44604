// The module's resources: its strings, version block and about box text.
#pragma once

#include <cstdint>

namespace zubrelle {

inline constexpr std::uint32_t IDS_ZUBRELLE = 1;
inline constexpr std::uint32_t IDS_ZUBRELLE_PPG = 2;
inline constexpr std::uint32_t IDS_ZUBRELLE_PPG_CAPTION = 200;
inline constexpr std::uint32_t IDB_ZUBRELLE = 1;
inline constexpr std::uint32_t IDD_PROPPAGE_ZUBRELLE = 200;

// The string resource of that identifier, or an empty string.
const char* LoadResourceString(std::uint32_t id);

inline constexpr const char* kAboutBoxCaption = "About Zubrelle Control";
inline constexpr const char* kAboutBoxText = "Zubrelle Control, Version 1.0";

struct VersionInfo {
    const char* fileVersion;
    const char* productVersion;
    const char* fileDescription;
    const char* originalFilename;
    bool selfRegistering;  // the empty "OLESelfRegister" value
};
const VersionInfo& ModuleVersionInfo();

}  // namespace zubrelle
