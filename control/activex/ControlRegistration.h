// The registry entries of a control class and of a property page class.
#pragma once

#include <cstdint>
#include <string>

#include "platform/com/Guid.h"

namespace zubrelle {

struct ControlClassInfo {
    com::CLSID clsid;
    const char* progId;
    const char* typeName;
    std::uint32_t toolboxBitmapId;
    std::uint32_t miscStatus;
    com::GUID libid;
    std::uint16_t major;
    std::uint16_t minor;
};

// Writes CLSID\{clsid} (type name, InprocServer32 with the apartment threading
// model, ProgID, Control, ToolboxBitmap32, MiscStatus, TypeLib, Version) and the
// programmatic identifier's key; false when a write fails.
bool RegisterControlClass(const ControlClassInfo& info, const std::string& modulePath);
bool UnregisterControlClass(const com::CLSID& clsid, const char* progId);

// Writes CLSID\{clsid} with its type name and InprocServer32; no programmatic identifier.
bool RegisterPropertyPageClass(const com::CLSID& clsid, const char* typeName, const std::string& modulePath);
bool UnregisterPropertyPageClass(const com::CLSID& clsid);

}  // namespace zubrelle
