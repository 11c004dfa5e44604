// Resource tables of the control module.
#include "control/activex/ZubrelleResources.h"

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
    static const VersionInfo info{"1.0.0.1", "1.0.0.1", "Zubrelle ActiveX Control Module", "Zubrelle.OCX", true};
    return info;
}

}  // namespace zubrelle
