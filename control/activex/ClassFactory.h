// The class factory of one class of the module: creates its objects and
// registers or unregisters the class.
#pragma once

#include <string>

#include "platform/com/Unknown.h"

namespace zubrelle {

class ClassFactory final : public com::IClassFactory {
public:
    using Creator = com::IUnknown* (*)();  // a new object holding one reference
    using Registrar = bool (*)(bool add, const std::string& modulePath);

    ClassFactory(const com::CLSID& clsid, const char* progId, Creator create, Registrar registrar)
        : m_clsid(clsid), m_progId(progId), m_create(create), m_registrar(registrar) {}

    const com::CLSID& Clsid() const { return m_clsid; }
    const char* ProgId() const { return m_progId; }
    bool UpdateRegistry(bool add, const std::string& modulePath) const { return m_registrar(add, modulePath); }

    com::HRESULT QueryInterface(const com::IID& iid, void** object) override;
    // Factories are static objects of the module: counting does not free them.
    com::ULONG AddRef() override { return 2; }
    com::ULONG Release() override { return 1; }
    com::HRESULT CreateInstance(com::IUnknown* outer, const com::IID& iid, void** object) override;
    com::HRESULT LockServer(bool lock) override;

private:
    com::CLSID m_clsid;
    const char* m_progId;
    Creator m_create;
    Registrar m_registrar;
};

}  // namespace zubrelle
