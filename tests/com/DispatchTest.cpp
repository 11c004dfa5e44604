// Typed dispatch over a description, type libraries in the registry, and
// connection points.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "activex/ControlTestSupport.h"
#include "platform/com/ConnectionPoint.h"
#include "platform/com/DispatchArgs.h"
#include "platform/com/Guid.h"
#include "platform/com/TypeLibrary.h"

using namespace com;

namespace {

constexpr ParamDesc kTwo[] = {{"Row", VT_I2}, {"Column", VT_I4}};
constexpr MemberDesc kMembers[] = {{1, "Size", MemberKind::Property, VT_R8, nullptr, 0, "how big"},
                                   {2, "Cell", MemberKind::Property, VT_BSTR, kTwo, 2, nullptr},
                                   {3, "Move", MemberKind::Method, VT_EMPTY, kTwo, 2, nullptr}};
constexpr GUID Id(std::uint32_t n) { return {0x1234 + n, 1, 2, {1, 2, 3, 4, 5, 6, 7, 8}}; }
constexpr GUID kIface = Id(0), kLib = Id(1), kClass = Id(2), kEvents = Id(3);
constexpr TypeDesc kTypes[] = {
    {kIface, "_DThing", "Dispatch interface for Thing", TypeKind::Dispatch, kMembers, 3, {}, {}},
    {kClass, "Thing", "Thing class", TypeKind::CoClass, nullptr, 0, kIface, kEvents}};
constexpr TypeLibDesc kLibrary{kLib, 1, 0, 0x409, "THINGLib", "Thing module", "Thing.hlp", kTypes, 2};

// An event sink recording the events it is given; the owner of a point only counts references.
class RecordingSink final : public IDispatch {
public:
    HRESULT QueryInterface(const IID& iid, void** object) override {
        *object = iid == IID_IDispatch ? this : nullptr;
        return *object ? (AddRef(), S_OK) : E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++refs; }
    ULONG Release() override { return --refs; }
    HRESULT GetTypeInfoCount(std::uint32_t* count) override { return *count = 0, S_OK; }
    HRESULT GetTypeInfo(std::uint32_t, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(const IID&, const OLECHAR* const*, unsigned, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT Invoke(DISPID id, const IID&, LCID, std::uint16_t, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                   std::uint32_t*) override {
        events.push_back(id);
        if (onEvent) onEvent();
        return S_OK;
    }
    ULONG refs = 0;
    std::vector<DISPID> events;
    std::function<void()> onEvent;
};

}  // namespace

struct Call {
    const char* name;
    DISPID id;
    std::uint16_t flags;
    std::uint32_t count;  // of the arguments "oops", 1, 2 as the host passes them, last first
    bool named;
    HRESULT hr;
    std::uint32_t argErr;  // 1234: left alone
};

class DispatchArgs : public testing::TestWithParam<Call> {};

TEST_P(DispatchArgs, AreCheckedAndCoercedOrReportedWithTheirPosition) {
    const Call& b = GetParam();
    VARIANT args[3] = {MakeBstr("oops"), MakeI4(1), MakeI4(2)};
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{args, b.named ? &named : nullptr, b.count, b.named ? 1u : 0u};
    DispatchCall call;
    std::uint32_t argErr = 1234;
    EXPECT_EQ(PrepareDispatchCall(kTypes[0], b.id, b.flags, &params, &call, &argErr), b.hr);
    EXPECT_EQ(argErr, b.argErr);
    if (b.hr == S_OK) {  // indexes in order, the value last
        ASSERT_EQ(call.args.size(), 3u);
        EXPECT_EQ(call.args[0].vt, VT_I2);
        EXPECT_EQ(call.args[0].iVal * 10 + call.args[1].lVal, 21);
        EXPECT_EQ(Utf8FromBstr(call.args[2].bstrVal), "oops");
    }
    VariantClear(&args[0]);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DispatchArgs,
    testing::Values(Call{"IndexedPut", 2, DISPATCH_PROPERTYPUT, 3, true, S_OK, 1234},
                    Call{"UnknownMember", 9, DISPATCH_METHOD, 0, false, DISP_E_MEMBERNOTFOUND, 1234},
                    Call{"MethodAsGet", 3, DISPATCH_PROPERTYGET, 2, false, DISP_E_MEMBERNOTFOUND, 1234},
                    Call{"TooFewArguments", 3, DISPATCH_METHOD, 1, false, DISP_E_BADPARAMCOUNT, 1234},
                    Call{"NamedMethodArguments", 3, DISPATCH_METHOD, 2, true, DISP_E_NONAMEDARGS, 1234},
                    Call{"TextForAnInteger", 3, DISPATCH_METHOD, 2, false, DISP_E_TYPEMISMATCH, 0},
                    Call{"TextForADouble", 1, DISPATCH_PROPERTYPUT, 1, true, DISP_E_TYPEMISMATCH, 0},
                    Call{"PutWithoutItsName", 1, DISPATCH_PROPERTYPUT, 1, false, DISP_E_PARAMNOTFOUND, 1234},
                    Call{"GetWithAnExtraArgument", 1, DISPATCH_PROPERTYGET, 1, false, DISP_E_BADPARAMCOUNT, 1234}),
    [](const auto& info) { return std::string(info.param.name); });

// Hosts find a library through its registration and walk it by its
// interfaces and indexes: what is not there is refused with its own code and
// a cleared output.
TEST(TypeLibrary, IsFoundThroughItsRegistrationAndAnswersOnlyForWhatItHolds) {
    GUID id{};  // ids as registry text: in braces, hex digits of either case
    EXPECT_TRUE(GuidFromString("{11df2dd2-A937-11D2-9D30-0090271EEABE}", &id));
    EXPECT_EQ(GuidToString(id), "{11DF2DD2-A937-11D2-9D30-0090271EEABE}");
    EXPECT_FALSE(GuidFromString("(11DF2DD2-A937-11D2-9D30-0090271EEABE}", &id));
    TempRegistry registry;
    AddTypeLibResource("/modules/thing.so", kLibrary);
    ITypeLib* lib = nullptr;
    EXPECT_EQ(LoadRegTypeLib(kLib, 1, 0, 0x407, &lib), TYPE_E_LIBNOTREGISTERED);
    ASSERT_EQ(RegisterTypeLib(kLibrary, "/modules/thing.so", "/modules"), S_OK);
    ASSERT_EQ(LoadRegTypeLib(kLib, 1, 0, 0x407, &lib), S_OK) << "any registered locale serves";
    ITypeInfo *iface = nullptr, *coclass = nullptr;
    ASSERT_EQ(lib->GetTypeInfoOfGuid(kIface, &iface), S_OK);
    ASSERT_EQ(lib->GetTypeInfo(1, &coclass), S_OK);
    BSTR name = nullptr, doc = nullptr;
    ASSERT_EQ(iface->GetDocumentation(1, &name, &doc, nullptr, nullptr), S_OK);
    EXPECT_EQ(Utf8FromBstr(name) + "|" + Utf8FromBstr(doc), "Size|how big");
    SysFreeString(name);
    SysFreeString(doc);
    EXPECT_EQ(iface->GetDocumentation(42, &name, nullptr, nullptr, nullptr), TYPE_E_ELEMENTNOTFOUND);

    for (IUnknown* object : {static_cast<IUnknown*>(lib), static_cast<IUnknown*>(iface)}) {
        void* out = nullptr;
        ASSERT_EQ(object->QueryInterface(IID_IUnknown, &out), S_OK);
        EXPECT_EQ(out, object);
        static_cast<IUnknown*>(out)->Release();
        out = object;
        EXPECT_EQ(object->QueryInterface(IID_IDispatch, &out), E_NOINTERFACE);
        EXPECT_EQ(out, nullptr);
    }
    GUID first{}, second{}, g{};
    EXPECT_EQ(coclass->GetImplType(0, &first), S_OK);
    EXPECT_EQ(first, kIface);
    EXPECT_EQ(coclass->GetImplType(1, &second), S_OK);
    EXPECT_EQ(second, kEvents) << "the event interface";
    EXPECT_EQ(coclass->GetImplType(2, &g), TYPE_E_ELEMENTNOTFOUND);
    EXPECT_EQ(iface->GetImplType(0, &g), TYPE_E_ELEMENTNOTFOUND) << "not a class";
    std::uint32_t context = 77;
    ASSERT_EQ(lib->GetDocumentation(-1, &name, nullptr, &context, &doc), S_OK);
    EXPECT_EQ(Utf8FromBstr(name) + "|" + Utf8FromBstr(doc), "THINGLib|Thing.hlp");
    EXPECT_EQ(context, 0u);
    SysFreeString(name);
    SysFreeString(doc);
    EXPECT_EQ(lib->GetDocumentation(2, &name, nullptr, nullptr, nullptr), TYPE_E_ELEMENTNOTFOUND);
    EXPECT_EQ(lib->GetDocumentation(-2, &name, nullptr, nullptr, nullptr), TYPE_E_ELEMENTNOTFOUND);
    coclass->Release();
    iface->Release();
    lib->Release();

    EXPECT_EQ(LoadRegTypeLib(kLib, 2, 0, 0, &lib), TYPE_E_LIBNOTREGISTERED) << "another version";
    ASSERT_EQ(UnRegisterTypeLib(kLibrary, 0), S_OK);
    EXPECT_EQ(LoadRegTypeLib(kLib, 1, 0, 0x409, &lib), TYPE_E_LIBNOTREGISTERED);
    EXPECT_EQ(UnRegisterTypeLib(kLibrary, 0), TYPE_E_REGISTRYACCESS);
}

TEST(ConnectionPoint, SinksMayDisconnectWhileAnEventIsDelivered) {
    RecordingSink owner, leaving, steady;
    DispatchConnectionPoint point(owner, kIface);  // releases its sinks before they go
    std::uint32_t leavingCookie = 0, steadyCookie = 0;
    leaving.onEvent = [&] { point.Unadvise(leavingCookie); };
    ASSERT_EQ(point.Advise(&leaving, &leavingCookie), S_OK);
    ASSERT_EQ(point.Advise(&steady, &steadyCookie), S_OK);
    EXPECT_EQ(point.Advise(&steady, nullptr), E_POINTER) << "no place for the cookie";
    point.Fire(-600);
    point.Fire(-601);
    EXPECT_EQ(leaving.events, std::vector<DISPID>{-600});
    EXPECT_EQ(leaving.refs, 0u);
    EXPECT_EQ(steady.events, (std::vector<DISPID>{-600, -601}));
    EXPECT_EQ(point.Unadvise(999), CONNECT_E_NOCONNECTION);
    IConnectionPoint* self = nullptr;
    ASSERT_EQ(point.QueryInterface(IID_IConnectionPoint, reinterpret_cast<void**>(&self)), S_OK);
    EXPECT_EQ(owner.refs, 1u) << "the point counts on its owner";
    self->Release();
    EXPECT_EQ(point.QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&self)), E_NOINTERFACE);
}
