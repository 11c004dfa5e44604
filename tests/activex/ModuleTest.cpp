// The built module Zubrelle as a host meets it: registration and
// unregistration, creation by class and programmatic identifier through the
// registry, type information, the property page, and unloading.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <gnu/libc-version.h>

#include <fstream>

#include "activex/ControlTestSupport.h"
#include "control/ZubrelleInterface.h"
#include "platform/com/Activation.h"
#include "platform/com/ModuleFile.h"
#include "platform/com/PropertyPage.h"
#include "platform/registry/Registry.h"

using namespace com;
using namespace controltest;
namespace reg = mirtala::registry;

namespace {

constexpr CLSID kControl = zubrelle::CLSID_Zubrelle;
constexpr CLSID kPage = zubrelle::CLSID_ZubrellePropPage;
// The registry's own text of the identifiers, written out so that a changed
// identifier in the interface shows here.
const std::string kClassKey = "CLSID\\{11DF2DD2-A937-11D2-9D30-0090271EEABE}";

std::string ReadString(const std::string& key, const char* name = "") {
    return ReadRegString(reg::HKEY_CLASSES_ROOT, key, name);
}

template <class T>
HRESULT Create(const CLSID& clsid, const IID& iid, T** object, IUnknown* outer = nullptr) {
    return CoCreateInstance(clsid, outer, iid, reinterpret_cast<void**>(object));
}

class ModuleTest : public testing::Test {
protected:
    void SetUp() override { PointRegistryAtDemoCreature(); }
    void TearDown() override { CoFreeUnusedLibraries(); }
    TempRegistry registry;
};

}  // namespace

TEST_F(ModuleTest, RegisteringWritesTheEntriesAndUnregisteringRemovesThem) {
    ASSERT_EQ(CallModule(ZUBRELLE_MODULE_PATH), S_OK) << ::dlerror();
    EXPECT_EQ(std::filesystem::path(ReadString(kClassKey + "\\InprocServer32")),
              std::filesystem::canonical(ZUBRELLE_MODULE_PATH));
    const std::pair<std::string, std::string> entries[] = {
        {kClassKey, "Zubrelle Control"},
        {kClassKey + "\\ProgID", "ZUBRELLE.ZubrelleCtrl.1"},
        {kClassKey + "\\MiscStatus\\1", std::to_string(0x20191)},
        {kClassKey + "\\TypeLib", "{11DF2DCF-A937-11D2-9D30-0090271EEABE}"},
        {kClassKey + "\\Version", "1.0"},
        {kClassKey + "\\Control", "<missing value>"},
        {"CLSID\\{11DF2DD3-A937-11D2-9D30-0090271EEABE}", "Zubrelle Property Page"},
        {"ZUBRELLE.ZubrellePropPage.1", "<missing key>"},
        {"TypeLib\\{11DF2DCF-A937-11D2-9D30-0090271EEABE}\\1.0", "Zubrelle ActiveX Control module"},
        {"Interface\\{11DF2DD0-A937-11D2-9D30-0090271EEABE}", "_DZubrelle"},
        {"Interface\\{11DF2DD1-A937-11D2-9D30-0090271EEABE}", "_DZubrelleEvents"}};
    for (const auto& [key, value] : entries) EXPECT_EQ(ReadString(key), value) << key;
    EXPECT_EQ(ReadString(kClassKey + "\\InprocServer32", "ThreadingModel"), "Apartment");

    // A key already removed by hand counts as removed.
    ASSERT_EQ(reg::RegDeleteTree(reg::HKEY_CLASSES_ROOT, "ZUBRELLE.ZubrelleCtrl.1"), reg::ERROR_SUCCESS);
    ASSERT_EQ(CallModule(ZUBRELLE_MODULE_PATH, "DllUnregisterServer"), S_OK);
    const std::string after = mirtala::test::ReadFileBytes(registry.File("HKEY_LOCAL_MACHINE"));
    EXPECT_EQ(after.find("11DF2D"), std::string::npos) << after;
    EXPECT_EQ(after.find("ZUBRELLE"), std::string::npos) << after;
    EXPECT_NE(after.find("Images Directory"), std::string::npos) << "other entries stay";
}

TEST_F(ModuleTest, HostsCreateTheControlByClassOrProgrammaticIdentifierAndUnloadIt) {
    IDispatch* d = nullptr;
    CLSID clsid;
    EXPECT_EQ(CLSIDFromProgID("ZUBRELLE.ZubrelleCtrl.1", &clsid), CO_E_CLASSSTRING);
    ASSERT_EQ(CallModule(ZUBRELLE_MODULE_PATH), S_OK);
    ASSERT_EQ(CLSIDFromProgID("ZUBRELLE.ZubrelleCtrl.1", &clsid), S_OK);
    EXPECT_EQ(clsid, kControl);
    ASSERT_EQ(Create(clsid, IID_IDispatch, &d), S_OK);
    IUnknown* aggregated = nullptr;
    EXPECT_EQ(Create(kControl, IID_IUnknown, &aggregated, d), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(LoadedModuleCount(), 1);

    const OLECHAR* names[] = {u"posestring", u"INDEX"};
    DISPID ids[2];
    ASSERT_EQ(d->GetIDsOfNames(IID_NULL, names, 2, 0, ids), S_OK);
    EXPECT_EQ(ids[0], 6);
    EXPECT_EQ(ids[1], 0);
    const OLECHAR* unknown[] = {u"Colour"};
    EXPECT_EQ(d->GetIDsOfNames(IID_NULL, unknown, 1, 0, ids), DISP_E_UNKNOWNNAME);

    // Type information a host still holds keeps the module loaded.
    ITypeInfo* info = nullptr;
    ASSERT_EQ(d->GetTypeInfo(0, 0x409, &info), S_OK);
    d->Release();
    CoFreeUnusedLibraries();
    EXPECT_EQ(LoadedModuleCount(), 1) << "type information of the module is still held";
    info->Release();

    ASSERT_EQ(Create(kControl, IID_IDispatch, &d), S_OK);
    ISpecifyPropertyPages* specify = nullptr;
    ASSERT_EQ(d->QueryInterface(IID_ISpecifyPropertyPages, reinterpret_cast<void**>(&specify)), S_OK);
    CAUUID pages;
    ASSERT_EQ(specify->GetPages(&pages), S_OK);
    ASSERT_EQ(pages.cElems, 1u);
    EXPECT_EQ(pages.pElems[0], kPage);
    std::free(pages.pElems);
    specify->Release();
    IPropertyPage* page = nullptr;
    ASSERT_EQ(Create(kPage, IID_IPropertyPage, &page), S_OK);
    void* other = nullptr;
    EXPECT_EQ(page->QueryInterface(IID_IDispatch, &other), E_NOINTERFACE);
    PROPPAGEINFO pageInfo;
    ASSERT_EQ(page->GetPageInfo(&pageInfo), S_OK);
    EXPECT_EQ(Utf8FromBstr(pageInfo.title), "General");
    SysFreeString(pageInfo.title);
    EXPECT_EQ(pageInfo.width, 250) << "the size its host lays out";
    EXPECT_EQ(pageInfo.height, 62);
    SysFreeString(pageInfo.text);
    IUnknown* objects[] = {d};
    EXPECT_EQ(page->SetObjects(0, nullptr), S_OK);
    EXPECT_EQ(page->SetObjects(1, nullptr), E_POINTER);
    EXPECT_EQ(page->SetObjects(1, objects), S_OK);
    CoFreeUnusedLibraries();
    EXPECT_EQ(LoadedModuleCount(), 1) << "objects of the module are still alive";
    page->Release();
    d->Release();
    CoFreeUnusedLibraries();
    EXPECT_EQ(LoadedModuleCount(), 0);
}

// A module cut short anywhere (loading it would crash the host with a bus
// error) is refused with what is cut short; a missing module gives its own
// result. Creation refusing a cut module, and a registry that cannot be read,
// are held by the command line's render test.
TEST_F(ModuleTest, AModuleThatCannotBeLoadedOrFoundIsReportedAsSuch) {
    const std::string whole = mirtala::test::ReadFileBytes(ZUBRELLE_MODULE_PATH);
    const std::string truncated = registry.Dir().string() + "/truncated.so";
    EXPECT_EQ(ModuleFileProblem(ZUBRELLE_MODULE_PATH), "");
    const struct {
        std::size_t bytesKept;
        const char* problem;
    } cuts[] = {{whole.size() - 1, "its section header table ends at byte"},
                {100, "its program header table ends at byte"},
                {10, "it is not a module"}};
    for (const auto& cut : cuts) {
        std::ofstream(truncated, std::ios::binary | std::ios::trunc) << whole.substr(0, cut.bytesKept);
        EXPECT_NE(ModuleFileProblem(truncated).find(cut.problem), std::string::npos) << ModuleFileProblem(truncated);
    }
    EXPECT_NE(ModuleFileProblem(registry.Dir().string()).find("it is not a regular file"), std::string::npos);
#if defined(__x86_64__)
    // Another machine is named from the file header; a library with none of the entry points lists them.
    std::vector<std::uint8_t> arm(whole.begin(), whole.end());
    arm[18] = 183;  // e_machine: 64-bit ARM
    arm[19] = 0;
    EXPECT_EQ(com::ModuleImageProblem(arm), "it was built for ARM, this is x86-64");
#endif
    Dl_info libc{};
    // A function of the C library that no sanitizer runtime stands in for.
    ASSERT_NE(::dladdr(reinterpret_cast<void*>(&::gnu_get_libc_version), &libc), 0);
    EXPECT_EQ(com::ModuleEntryProblem(libc.dli_fname),
              "it exports none of the four entry points (DllGetClassObject, DllCanUnloadNow, DllRegisterServer, "
              "DllUnregisterServer)");
    EXPECT_EQ(com::ModuleEntryProblem(ZUBRELLE_MODULE_PATH), "");
    const std::string gone = registry.Dir().string() + "/gone/Zubrelle.so";
    ASSERT_TRUE(WriteRegString(reg::HKEY_CLASSES_ROOT, kClassKey + "\\InprocServer32", "", gone));
    IDispatch* d = nullptr;
    EXPECT_EQ(Create(kControl, IID_IDispatch, &d), CO_E_DLLNOTFOUND);
    EXPECT_EQ(d, nullptr);
    EXPECT_EQ(LoadedModuleCount(), 0);
}
