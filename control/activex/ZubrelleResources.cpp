// Resource tables of the control module.
#include "control/activex/ZubrelleResources.h"

#include <string>

#include "control/ZubrelleInterface.h"

namespace zubrelle {

const char* LoadResourceString(std::uint32_t id) {
    switch (id) {
        case IDS_ZUBRELLE: return "Zubrelle Control";
        case IDS_ZUBRELLE_PPG: return "Zubrelle Property Page";
        case IDS_ZUBRELLE_PPG_CAPTION: return "General";
        default: return "";
    }
}

const VersionInfo& ModuleVersionInfo() {
    // The type library's major and minor version, then release 0, build 1.
    static const std::string version = std::to_string(kTypeLibMajor) + "." + std::to_string(kTypeLibMinor) + ".0.1";
    static const VersionInfo info{version.c_str(), version.c_str(), "Zubrelle ActiveX Control Module", "Zubrelle.OCX",
                                  true};
    return info;
}

}  // namespace zubrelle
