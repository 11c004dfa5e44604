// CZubrelleApp: the module object. It owns the class factories of the control
// and its property page, knows the module's file, makes the type library
// available from it, and carries out the four exports.
#pragma once

#include <string>

#include "control/activex/ClassFactory.h"

namespace zubrelle {

class CZubrelleApp {
public:
    CZubrelleApp();
    ~CZubrelleApp();
    CZubrelleApp(const CZubrelleApp&) = delete;
    CZubrelleApp& operator=(const CZubrelleApp&) = delete;

    // The module's one application object, or null before it is made.
    static CZubrelleApp* Current();

    const std::string& ModulePath() const { return m_modulePath; }

    com::HRESULT GetClassObject(const com::CLSID& clsid, const com::IID& iid, void** object);
    com::HRESULT CanUnloadNow() const;
    com::HRESULT RegisterServer();
    com::HRESULT UnregisterServer();

private:
    bool InitInstance();
    int ExitInstance();

    std::string m_modulePath;
    ClassFactory m_controlFactory;
    ClassFactory m_pageFactory;
};

}  // namespace zubrelle
