// The built module Zubrelle as a host meets it: registration and
// unregistration, creation by class and programmatic identifier through the
// registry, type information, the property page, and unloading.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <fstream>
#include <sstream>

#include "activex/ControlTestSupport.h"
#include "platform/com/Activation.h"
#include "platform/com/PropertyPage.h"
#include "platform/com/TypeLibrary.h"
#include "platform/registry/Registry.h"

using namespace com;
using namespace controltest;
namespace reg = mirtala::registry;

namespace {

constexpr CLSID kControl{0x11DF2DD2, 0xA937, 0x11D2, {0x9D, 0x30, 0x00, 0x90, 0x27, 0x1E, 0xEA, 0xBE}};
constexpr CLSID kPage{0x11DF2DD3, 0xA937, 0x11D2, {0x9D, 0x30, 0x00, 0x90, 0x27, 0x1E, 0xEA, 0xBE}};

// The module loaded directly, as the register tool loads it.
class Module {
public:
    Module() : m_handle(::dlopen(ZUBRELLE_MODULE_PATH, RTLD_NOW | RTLD_LOCAL)) {}
    ~Module() {
        if (m_handle) ::dlclose(m_handle);
    }
    HRESULT Call(const char* name) {
        auto fn = reinterpret_cast<HRESULT (*)()>(::dlsym(m_handle, name));
        return fn ? fn() : E_FAIL;
    }
    bool Loaded() const { return m_handle != nullptr; }

private:
    void* m_handle;
};

std::string ReadString(const std::string& key, const char* name = "") {
    reg::HKEY h = nullptr;
    if (reg::RegOpenKey(reg::HKEY_CLASSES_ROOT, key, &h) != reg::ERROR_SUCCESS) return "<missing key>";
    std::string text = "<missing value>";
    reg::RegReadString(h, name, &text);
    reg::RegCloseKey(h);
    return text;
}

bool KeyExists(const std::string& key) {
    reg::HKEY h = nullptr;
    if (reg::RegOpenKey(reg::HKEY_CLASSES_ROOT, key, &h) != reg::ERROR_SUCCESS) return false;
    reg::RegCloseKey(h);
    return true;
}

std::string FileText(const std::filesystem::path& p) {
    std::ifstream in(p);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class ModuleTest : public testing::Test {
protected:
    void SetUp() override { PointRegistryAtDemoCreature(); }
    void TearDown() override { CoFreeUnusedLibraries(); }
    TempRegistry registry;
};

constexpr const char* kClassKey = "CLSID\\{11DF2DD2-A937-11D2-9D30-0090271EEABE}";

}  // namespace

TEST_F(ModuleTest, RegisteringWritesTheEntriesAndUnregisteringRemovesThem) {
    Module module;
    ASSERT_TRUE(module.Loaded()) << ::dlerror();
    std::string before = FileText(registry.File("HKEY_LOCAL_MACHINE"));
    ASSERT_EQ(module.Call("DllRegisterServer"), S_OK);
    std::string path = ReadString(std::string(kClassKey) + "\\InprocServer32");
    EXPECT_EQ(std::filesystem::path(path), std::filesystem::canonical(ZUBRELLE_MODULE_PATH));
    EXPECT_EQ(ReadString(kClassKey), "Zubrelle Control");
    EXPECT_EQ(ReadString(std::string(kClassKey) + "\\InprocServer32", "ThreadingModel"), "Apartment");
    EXPECT_EQ(ReadString(std::string(kClassKey) + "\\ProgID"), "ZUBRELLE.ZubrelleCtrl.1");
    EXPECT_EQ(ReadString(std::string(kClassKey) + "\\MiscStatus\\1"), std::to_string(0x20191));
    EXPECT_EQ(ReadString(std::string(kClassKey) + "\\TypeLib"), "{11DF2DCF-A937-11D2-9D30-0090271EEABE}");
    EXPECT_EQ(ReadString(std::string(kClassKey) + "\\Version"), "1.0");
    EXPECT_TRUE(KeyExists(std::string(kClassKey) + "\\Control"));
    EXPECT_EQ(ReadString("ZUBRELLE.ZubrelleCtrl.1\\CLSID"), "{11DF2DD2-A937-11D2-9D30-0090271EEABE}");
    EXPECT_EQ(ReadString("CLSID\\{11DF2DD3-A937-11D2-9D30-0090271EEABE}"), "Zubrelle Property Page");
    EXPECT_FALSE(KeyExists("ZUBRELLE.ZubrellePropPage.1"));
    EXPECT_EQ(ReadString("TypeLib\\{11DF2DCF-A937-11D2-9D30-0090271EEABE}\\1.0"), "Zubrelle ActiveX Control module");
    EXPECT_EQ(ReadString("Interface\\{11DF2DD0-A937-11D2-9D30-0090271EEABE}"), "_DZubrelle");
    EXPECT_EQ(ReadString("Interface\\{11DF2DD1-A937-11D2-9D30-0090271EEABE}"), "_DZubrelleEvents");

    ASSERT_EQ(module.Call("DllUnregisterServer"), S_OK);
    std::string after = FileText(registry.File("HKEY_LOCAL_MACHINE"));
    EXPECT_EQ(after.find("11DF2D"), std::string::npos) << after;
    EXPECT_EQ(after.find("ZUBRELLE"), std::string::npos) << after;
    EXPECT_NE(after.find("Images Directory"), std::string::npos) << "other entries stay";
    EXPECT_NE(before.size(), 0u);
}

TEST_F(ModuleTest, RegistrationReportsARegistryItCannotWrite) {
    Module module;
    { std::ofstream(registry.File("HKEY_LOCAL_MACHINE"), std::ios::app) << "this line is not REGEDIT4\n"; }
    std::string before = FileText(registry.File("HKEY_LOCAL_MACHINE"));
    EXPECT_EQ(module.Call("DllRegisterServer"), SELFREG_E_TYPELIB);
    EXPECT_EQ(module.Call("DllUnregisterServer"), SELFREG_E_TYPELIB);
    EXPECT_EQ(FileText(registry.File("HKEY_LOCAL_MACHINE")), before);
}

TEST_F(ModuleTest, HostsCreateTheControlByClassOrProgrammaticIdentifierAndUnloadIt) {
    IDispatch* d = nullptr;
    EXPECT_EQ(CoCreateInstance(kControl, nullptr, IID_IDispatch, reinterpret_cast<void**>(&d)), REGDB_E_CLASSNOTREG);
    CLSID clsid;
    EXPECT_EQ(CLSIDFromProgID("ZUBRELLE.ZubrelleCtrl.1", &clsid), CO_E_CLASSSTRING);
    {
        Module module;
        ASSERT_EQ(module.Call("DllRegisterServer"), S_OK);
    }
    ASSERT_EQ(CLSIDFromProgID("ZUBRELLE.ZubrelleCtrl.1", &clsid), S_OK);
    EXPECT_EQ(clsid, kControl);
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, IID_IDispatch, reinterpret_cast<void**>(&d)), S_OK);
    IUnknown* outer = d;
    IUnknown* aggregated = nullptr;
    EXPECT_EQ(CoCreateInstance(kControl, outer, IID_IUnknown, reinterpret_cast<void**>(&aggregated)),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(LoadedModuleCount(), 1);

    const OLECHAR* names[] = {u"posestring", u"INDEX"};
    DISPID ids[2];
    ASSERT_EQ(d->GetIDsOfNames(IID_NULL, names, 2, 0, ids), S_OK);
    EXPECT_EQ(ids[0], 6);
    EXPECT_EQ(ids[1], 0);
    const OLECHAR* unknown[] = {u"Colour"};
    EXPECT_EQ(d->GetIDsOfNames(IID_NULL, unknown, 1, 0, ids), DISP_E_UNKNOWNNAME);

    ITypeInfo* info = nullptr;
    ASSERT_EQ(d->GetTypeInfo(0, 0x409, &info), S_OK);
    BSTR name = nullptr, doc = nullptr;
    ASSERT_EQ(info->GetDocumentation(MEMBERID_NIL, &name, &doc, nullptr, nullptr), S_OK);
    EXPECT_EQ(Utf8FromBstr(name), "_DZubrelle");
    EXPECT_EQ(Utf8FromBstr(doc), "Dispatch interface for Zubrelle Control");
    SysFreeString(name);
    SysFreeString(doc);
    ITypeLib* lib = nullptr;
    ASSERT_EQ(info->GetContainingTypeLib(&lib, nullptr), S_OK);
    BSTR helpFile = nullptr;
    ASSERT_EQ(lib->GetDocumentation(-1, &name, &doc, nullptr, &helpFile), S_OK);
    EXPECT_EQ(Utf8FromBstr(name), "ZUBRELLELib");
    EXPECT_EQ(Utf8FromBstr(doc), "Zubrelle ActiveX Control module");
    EXPECT_EQ(Utf8FromBstr(helpFile), "Zubrelle.hlp");
    SysFreeString(name);
    SysFreeString(doc);
    SysFreeString(helpFile);
    ITypeInfo* coclass = nullptr;
    ASSERT_EQ(lib->GetTypeInfoOfGuid(kControl, &coclass), S_OK);
    GUID source;
    ASSERT_EQ(coclass->GetImplType(1, &source), S_OK);
    EXPECT_EQ(GuidToString(source), "{11DF2DD1-A937-11D2-9D30-0090271EEABE}");
    coclass->Release();
    lib->Release();
    d->Release();
    CoFreeUnusedLibraries();
    EXPECT_EQ(LoadedModuleCount(), 1) << "type information of the module is still held";
    info->Release();
    ASSERT_EQ(CoCreateInstance(kControl, nullptr, IID_IDispatch, reinterpret_cast<void**>(&d)), S_OK);

    ISpecifyPropertyPages* specify = nullptr;
    ASSERT_EQ(d->QueryInterface(IID_ISpecifyPropertyPages, reinterpret_cast<void**>(&specify)), S_OK);
    CAUUID pages;
    ASSERT_EQ(specify->GetPages(&pages), S_OK);
    ASSERT_EQ(pages.cElems, 1u);
    EXPECT_EQ(pages.pElems[0], kPage);
    std::free(pages.pElems);
    specify->Release();
    IPropertyPage* page = nullptr;
    ASSERT_EQ(CoCreateInstance(kPage, nullptr, IID_IPropertyPage, reinterpret_cast<void**>(&page)), S_OK);
    PROPPAGEINFO pageInfo;
    ASSERT_EQ(page->GetPageInfo(&pageInfo), S_OK);
    EXPECT_EQ(Utf8FromBstr(pageInfo.title), "General");
    SysFreeString(pageInfo.title);
    SysFreeString(pageInfo.text);

    CoFreeUnusedLibraries();
    EXPECT_EQ(LoadedModuleCount(), 1) << "objects of the module are still alive";
    page->Release();
    d->Release();
    CoFreeUnusedLibraries();
    EXPECT_EQ(LoadedModuleCount(), 0);
}

TEST_F(ModuleTest, AMissingModuleFileIsReportedAsSuch) {
    reg::HKEY key = nullptr;
    ASSERT_EQ(reg::RegCreateKey(reg::HKEY_CLASSES_ROOT, std::string(kClassKey) + "\\InprocServer32", &key),
              reg::ERROR_SUCCESS);
    ASSERT_EQ(reg::RegSetString(key, "", registry.Dir().string() + "/gone/Zubrelle.so"), reg::ERROR_SUCCESS);
    reg::RegCloseKey(key);
    IDispatch* d = nullptr;
    EXPECT_EQ(CoCreateInstance(kControl, nullptr, IID_IDispatch, reinterpret_cast<void**>(&d)), CO_E_DLLNOTFOUND);
    EXPECT_EQ(d, nullptr);
}
