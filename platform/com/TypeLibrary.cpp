// Type library objects over static descriptions, and their registration.
#include "platform/com/TypeLibrary.h"

#include <cstdio>
#include <vector>

#include "platform/com/DispatchArgs.h"
#include "platform/registry/RegTree.h"
#include "platform/registry/Registry.h"

namespace com {

namespace reg = mirtala::registry;

namespace {

class TypeLibObject;

void (*g_lockModule)() = nullptr;
void (*g_unlockModule)() = nullptr;

void SetDoc(BSTR* out, const char* text) {
    if (out) *out = text ? BstrFromUtf8(text) : nullptr;
}

class TypeInfoObject final : public ITypeInfo {
public:
    TypeInfoObject(TypeLibObject* lib, const TypeDesc& desc, std::uint32_t index);
    HRESULT QueryInterface(const IID& iid, void** object) override {
        if (!object) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_ITypeInfo) {
            *object = static_cast<ITypeInfo*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT GetGuid(GUID* guid) override {
        if (!guid) return E_POINTER;
        *guid = m_desc.guid;
        return S_OK;
    }
    HRESULT GetTypeKind(TypeKind* kind) override {
        if (!kind) return E_POINTER;
        *kind = m_desc.kind;
        return S_OK;
    }
    HRESULT GetIDsOfNames(const OLECHAR* const* names, std::uint32_t count, MEMBERID* ids) override {
        return FindIdsOfNames(m_desc, names, count, ids);
    }
    HRESULT GetDocumentation(MEMBERID memid, BSTR* name, BSTR* doc, std::uint32_t* helpContext,
                             BSTR* helpFile) override;
    HRESULT GetMemberCount(std::uint32_t* count) override {
        if (!count) return E_POINTER;
        *count = m_desc.memberCount;
        return S_OK;
    }
    HRESULT GetMemberDesc(std::uint32_t index, const MemberDesc** desc) override {
        if (!desc) return E_POINTER;
        if (index >= m_desc.memberCount) return TYPE_E_ELEMENTNOTFOUND;
        *desc = &m_desc.members[index];
        return S_OK;
    }
    HRESULT GetImplType(std::uint32_t index, GUID* guid) override {
        if (!guid) return E_POINTER;
        if (m_desc.kind != TypeKind::CoClass || index > 1) return TYPE_E_ELEMENTNOTFOUND;
        *guid = index == 0 ? m_desc.defaultInterface : m_desc.defaultSource;
        return S_OK;
    }
    HRESULT GetContainingTypeLib(ITypeLib** lib, std::uint32_t* index) override;

private:
    TypeLibObject* m_lib;
    const TypeDesc& m_desc;
    std::uint32_t m_index;
};

// One object per load; its type information objects share its reference count.
class TypeLibObject final : public ITypeLib {
public:
    explicit TypeLibObject(const TypeLibDesc& desc) : m_desc(desc) {
        for (std::uint32_t i = 0; i < desc.typeCount; ++i) m_infos.emplace_back(this, desc.types[i], i);
        if (g_lockModule) g_lockModule();
    }
    ~TypeLibObject() {
        if (g_unlockModule) g_unlockModule();
    }
    HRESULT QueryInterface(const IID& iid, void** object) override {
        if (!object) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_ITypeLib) {
            *object = static_cast<ITypeLib*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++m_refs; }
    ULONG Release() override {
        ULONG left = --m_refs;
        if (left == 0) delete this;
        return left;
    }
    std::uint32_t GetTypeInfoCount() override { return m_desc.typeCount; }
    HRESULT GetTypeInfo(std::uint32_t index, ITypeInfo** info) override {
        if (!info) return E_POINTER;
        *info = nullptr;
        if (index >= m_infos.size()) return TYPE_E_ELEMENTNOTFOUND;
        *info = &m_infos[index];
        AddRef();
        return S_OK;
    }
    HRESULT GetTypeInfoOfGuid(const GUID& guid, ITypeInfo** info) override {
        if (!info) return E_POINTER;
        *info = nullptr;
        for (std::uint32_t i = 0; i < m_desc.typeCount; ++i)
            if (m_desc.types[i].guid == guid) return GetTypeInfo(i, info);
        return TYPE_E_ELEMENTNOTFOUND;
    }
    HRESULT GetLibAttr(GUID* libid, std::uint16_t* major, std::uint16_t* minor, LCID* lcid) override {
        if (libid) *libid = m_desc.libid;
        if (major) *major = m_desc.major;
        if (minor) *minor = m_desc.minor;
        if (lcid) *lcid = m_desc.lcid;
        return S_OK;
    }
    HRESULT GetDocumentation(std::int32_t index, BSTR* name, BSTR* doc, std::uint32_t* helpContext,
                             BSTR* helpFile) override {
        if (index == -1) {
            SetDoc(name, m_desc.name);
            SetDoc(doc, m_desc.help);
            if (helpContext) *helpContext = 0;
            SetDoc(helpFile, m_desc.helpFile);
            return S_OK;
        }
        if (index < 0 || static_cast<std::uint32_t>(index) >= m_infos.size()) return TYPE_E_ELEMENTNOTFOUND;
        return m_infos[static_cast<std::size_t>(index)].GetDocumentation(MEMBERID_NIL, name, doc, helpContext,
                                                                         helpFile);
    }
    const TypeLibDesc& Desc() const { return m_desc; }

private:
    const TypeLibDesc& m_desc;
    std::vector<TypeInfoObject> m_infos;
    ULONG m_refs = 1;
};

TypeInfoObject::TypeInfoObject(TypeLibObject* lib, const TypeDesc& desc, std::uint32_t index)
    : m_lib(lib), m_desc(desc), m_index(index) {}
ULONG TypeInfoObject::AddRef() { return m_lib->AddRef(); }
ULONG TypeInfoObject::Release() { return m_lib->Release(); }

HRESULT TypeInfoObject::GetDocumentation(MEMBERID memid, BSTR* name, BSTR* doc, std::uint32_t* helpContext,
                                         BSTR* helpFile) {
    const char* n = m_desc.name;
    const char* d = m_desc.help;
    if (memid != MEMBERID_NIL) {
        const MemberDesc* member = FindMember(m_desc, memid);
        if (!member) return TYPE_E_ELEMENTNOTFOUND;
        n = member->name;
        d = member->help;
    }
    SetDoc(name, n);
    SetDoc(doc, d);
    if (helpContext) *helpContext = 0;
    SetDoc(helpFile, m_lib->Desc().helpFile);
    return S_OK;
}

HRESULT TypeInfoObject::GetContainingTypeLib(ITypeLib** lib, std::uint32_t* index) {
    if (!lib) return E_POINTER;
    *lib = m_lib;
    m_lib->AddRef();
    if (index) *index = m_index;
    return S_OK;
}

struct Resource {
    std::string path;
    const TypeLibDesc* desc;
};

std::vector<Resource>& Resources() {
    static std::vector<Resource> resources;
    return resources;
}

std::string VersionKey(const TypeLibDesc& desc) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%x.%x", desc.major, desc.minor);
    return "TypeLib\\" + GuidToString(desc.libid) + "\\" + buf;
}

bool SetString(reg::HKEY parent, const std::string& sub, const std::string& name, const std::string& value) {
    reg::HKEY key = nullptr;
    if (reg::RegCreateKey(parent, sub, &key) != reg::ERROR_SUCCESS) return false;
    bool ok = reg::RegSetString(key, name, value) == reg::ERROR_SUCCESS;
    reg::RegCloseKey(key);
    return ok;
}

}  // namespace

void SetTypeLibModuleLock(void (*lock)(), void (*unlock)()) {
    g_lockModule = lock;
    g_unlockModule = unlock;
}

HRESULT CreateTypeLib(const TypeLibDesc& desc, ITypeLib** lib) {
    if (!lib) return E_POINTER;
    *lib = new TypeLibObject(desc);
    return S_OK;
}

void AddTypeLibResource(const std::string& modulePath, const TypeLibDesc& desc) {
    for (auto& r : Resources()) {
        if (r.path == modulePath && r.desc->libid == desc.libid) {
            r.desc = &desc;
            return;
        }
    }
    Resources().push_back({modulePath, &desc});
}

HRESULT RegisterTypeLib(const TypeLibDesc& desc, const std::string& modulePath, const std::string& helpDir) {
    std::string version = VersionKey(desc);
    char lcid[16];
    std::snprintf(lcid, sizeof lcid, "%x", desc.lcid);
    std::string libid = GuidToString(desc.libid);
    char ver[16];
    std::snprintf(ver, sizeof ver, "%u.%u", desc.major, desc.minor);
    bool ok = SetString(reg::HKEY_CLASSES_ROOT, version, "", desc.help ? desc.help : desc.name) &&
              SetString(reg::HKEY_CLASSES_ROOT, version + "\\FLAGS", "", "0") &&
              SetString(reg::HKEY_CLASSES_ROOT, version + "\\HELPDIR", "", helpDir) &&
              SetString(reg::HKEY_CLASSES_ROOT, version + "\\" + lcid + "\\linux", "", modulePath);
    for (std::uint32_t i = 0; ok && i < desc.typeCount; ++i) {
        const TypeDesc& type = desc.types[i];
        if (type.kind != TypeKind::Dispatch) continue;
        std::string key = "Interface\\" + GuidToString(type.guid);
        ok = SetString(reg::HKEY_CLASSES_ROOT, key, "", type.name) &&
             SetString(reg::HKEY_CLASSES_ROOT, key + "\\ProxyStubClsid32", "",
                       "{00020420-0000-0000-C000-000000000046}") &&
             SetString(reg::HKEY_CLASSES_ROOT, key + "\\TypeLib", "", libid) &&
             SetString(reg::HKEY_CLASSES_ROOT, key + "\\TypeLib", "Version", ver);
    }
    return ok ? S_OK : TYPE_E_REGISTRYACCESS;
}

HRESULT UnRegisterTypeLib(const TypeLibDesc& desc, LCID) {
    std::string libKey = "TypeLib\\" + GuidToString(desc.libid);
    HRESULT hr = reg::RegDeleteTree(reg::HKEY_CLASSES_ROOT, VersionKey(desc)) == reg::ERROR_SUCCESS
                     ? S_OK
                     : TYPE_E_REGISTRYACCESS;
    // The library key goes too once no version is left under it.
    reg::HKEY lib = nullptr;
    if (reg::RegOpenKey(reg::HKEY_CLASSES_ROOT, libKey, &lib) == reg::ERROR_SUCCESS) {
        std::string first;
        bool empty = reg::RegEnumKey(lib, 0, &first) == reg::ERROR_NO_MORE_ITEMS;
        reg::RegCloseKey(lib);
        if (empty) reg::RegDeleteTree(reg::HKEY_CLASSES_ROOT, libKey);
    }
    for (std::uint32_t i = 0; i < desc.typeCount; ++i)
        if (desc.types[i].kind == TypeKind::Dispatch)
            reg::RegDeleteTree(reg::HKEY_CLASSES_ROOT, "Interface\\" + GuidToString(desc.types[i].guid));
    return hr;
}

HRESULT LoadRegTypeLib(const GUID& libid, std::uint16_t major, std::uint16_t minor, LCID lcid, ITypeLib** lib) {
    if (!lib) return E_POINTER;
    *lib = nullptr;
    char version[32];
    std::snprintf(version, sizeof version, "%x.%x", major, minor);
    std::string base = "TypeLib\\" + GuidToString(libid) + "\\" + version + "\\";
    // The caller's locale, then its language alone, then neutral, then any registered one.
    std::vector<std::string> locales;
    for (LCID tryLcid : {lcid, LCID(lcid & 0x3FF), LCID(0)}) {
        char sub[16];
        std::snprintf(sub, sizeof sub, "%x", tryLcid);
        locales.emplace_back(sub);
    }
    reg::HKEY versionKey = nullptr;
    if (reg::RegOpenKey(reg::HKEY_CLASSES_ROOT, base, &versionKey) == reg::ERROR_SUCCESS) {
        std::string name;
        for (std::uint32_t i = 0; reg::RegEnumKey(versionKey, i, &name) == reg::ERROR_SUCCESS; ++i)
            if (!reg::NamesEqual(name, "FLAGS") && !reg::NamesEqual(name, "HELPDIR")) locales.push_back(name);
        reg::RegCloseKey(versionKey);
    }
    std::string path;
    for (const std::string& sub : locales) {
        reg::HKEY key = nullptr;
        if (reg::RegOpenKey(reg::HKEY_CLASSES_ROOT, base + sub + "\\linux", &key) != reg::ERROR_SUCCESS) continue;
        bool found = reg::RegReadString(key, "", &path);
        reg::RegCloseKey(key);
        if (found) break;
    }
    if (path.empty()) return TYPE_E_LIBNOTREGISTERED;
    for (const auto& r : Resources())
        if (r.path == path && r.desc->libid == libid) return CreateTypeLib(*r.desc, lib);
    return TYPE_E_CANTLOADLIBRARY;
}

}  // namespace com
