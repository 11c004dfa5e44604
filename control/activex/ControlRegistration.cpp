// Class registration entries under HKEY_CLASSES_ROOT.
#include "control/activex/ControlRegistration.h"

#include "platform/registry/Registry.h"

namespace zubrelle {

namespace reg = mirtala::registry;

namespace {

bool Set(const std::string& key, const char* name, const std::string& value) {
    reg::HKEY h = nullptr;
    if (reg::RegCreateKey(reg::HKEY_CLASSES_ROOT, key, &h) != reg::ERROR_SUCCESS) return false;
    bool ok = reg::RegSetString(h, name, value) == reg::ERROR_SUCCESS;
    reg::RegCloseKey(h);
    return ok;
}

bool Create(const std::string& key) {
    reg::HKEY h = nullptr;
    if (reg::RegCreateKey(reg::HKEY_CLASSES_ROOT, key, &h) != reg::ERROR_SUCCESS) return false;
    reg::RegCloseKey(h);
    return true;
}

// Removing what is already absent counts as done.
bool Remove(const std::string& key) {
    reg::LSTATUS s = reg::RegDeleteTree(reg::HKEY_CLASSES_ROOT, key);
    return s == reg::ERROR_SUCCESS || s == reg::ERROR_FILE_NOT_FOUND;
}

}  // namespace

bool RegisterControlClass(const ControlClassInfo& info, const std::string& modulePath) {
    std::string clsid = com::GuidToString(info.clsid);
    std::string key = "CLSID\\" + clsid;
    std::string version = std::to_string(info.major) + "." + std::to_string(info.minor);
    return Set(key, "", info.typeName) && Set(key + "\\InprocServer32", "", modulePath) &&
           Set(key + "\\InprocServer32", "ThreadingModel", "Apartment") && Set(key + "\\ProgID", "", info.progId) &&
           Create(key + "\\Control") &&
           Set(key + "\\ToolboxBitmap32", "", modulePath + ", " + std::to_string(info.toolboxBitmapId)) &&
           Set(key + "\\MiscStatus", "", "0") && Set(key + "\\MiscStatus\\1", "", std::to_string(info.miscStatus)) &&
           Set(key + "\\TypeLib", "", com::GuidToString(info.libid)) && Set(key + "\\Version", "", version) &&
           Set(info.progId, "", info.typeName) && Set(std::string(info.progId) + "\\CLSID", "", clsid);
}

bool UnregisterControlClass(const com::CLSID& clsid, const char* progId) {
    bool a = Remove("CLSID\\" + com::GuidToString(clsid));
    bool b = Remove(progId);
    return a && b;
}

bool RegisterPropertyPageClass(const com::CLSID& clsid, const char* typeName, const std::string& modulePath) {
    std::string key = "CLSID\\" + com::GuidToString(clsid);
    return Set(key, "", typeName) && Set(key + "\\InprocServer32", "", modulePath) &&
           Set(key + "\\InprocServer32", "ThreadingModel", "Apartment");
}

bool UnregisterPropertyPageClass(const com::CLSID& clsid) { return Remove("CLSID\\" + com::GuidToString(clsid)); }

}  // namespace zubrelle
